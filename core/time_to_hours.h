#pragma once

#include <string_view>

#include "regional_settings.h"

namespace quorvel {

// Decimal hours of a sight time written "h:mm" or "h:mm:ss" on the 24-hour
// clock. Each field keeps its own sign and has no range limit; empty or
// non-numeric minutes and seconds count as 0; text after a third colon is
// ignored. The hours field follows the user's regional decimal separator,
// the minutes and seconds are always read with ".".
// Throws RunTimeError: InvalidProcedureCall when there is no colon,
// TypeMismatch when the hours are not a number, Overflow beyond the double
// range, the first one met in that order.
double TimeToHours(std::string_view text, const RegionalSettings& region);

}  // namespace quorvel
