#pragma once

#include <string>
#include <string_view>

#include "regional_settings.h"

namespace quorvel {

// The value with a fixed number of decimals, correctly rounded, with "." and
// no grouping: "1234.500". Never depends on the process locale.
std::string FixedText(double value, int decimals);

// A text written by FixedText in the user's notation: their decimal
// separator, and their group separator between thousands.
std::string InUsersNotation(std::string_view fixedText, const RegionalSettings& region);

// The value with a fixed number of decimals in the user's notation.
std::string FormatNumber(double value, int decimals, const RegionalSettings& region);

}  // namespace quorvel
