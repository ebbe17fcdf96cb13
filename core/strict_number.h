#pragma once

#include <string_view>

#include "regional_settings.h"

namespace quorvel {

// The whole text, blanks around it allowed, as a number written with the
// user's decimal separator. Throws RunTimeError(TypeMismatch) when it is not
// one (the empty text included) and RunTimeError(Overflow) beyond the double
// range. Group separators are refused: "1,5" in an English region is not
// fifteen hours.
double WholeNumber(std::string_view text, const RegionalSettings& region);

}  // namespace quorvel
