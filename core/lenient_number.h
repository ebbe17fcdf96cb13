#pragma once

#include <string_view>

namespace quorvel {

// The number at the start of a text, read with "." as the decimal point
// whatever the user's region: leading blanks, an optional sign, digits with
// an optional fraction and exponent. It ends at the first character that
// cannot continue it (so a colon ends it) and is 0 when the text starts with
// no number. "inf", "nan", hexadecimal and decimal commas are not numbers.
// Throws RunTimeError(Overflow) beyond the double range; a number too small
// for a double is 0.
double LeadingNumber(std::string_view text);

}  // namespace quorvel
