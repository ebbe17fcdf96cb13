#pragma once

#include <string>

#include "regional_settings.h"

namespace quorvel {

// The value with a fixed number of decimals, correctly rounded, with "." and
// no grouping: "1234.500". Never depends on the process locale.
std::string FixedText(double value, int decimals);

// The value with a fixed number of decimals in the user's notation: their
// decimal separator, and their group separator between thousands.
std::string FormatNumber(double value, int decimals, const RegionalSettings& region);

}  // namespace quorvel
