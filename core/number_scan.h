#pragma once

#include <cstddef>
#include <string_view>

namespace quorvel::detail {

// The pieces of a decimal number written at the start of a text.
struct NumberExtent {
    std::size_t length = 0;  // bytes taken from the text; 0 when no number starts there
    bool negative = false;
    std::string_view wholeDigits;
    std::string_view fractionDigits;
    bool exponentNegative = false;
    std::string_view exponentDigits;
    // The number without its sign exactly as written, when that is already
    // the form from_chars reads ("." as the separator, a digit first); empty
    // otherwise.
    std::string_view plainText;
};

// Finds [sign] digits [separator digits] [e|E [sign] digits] at the start of
// the text, with at least one digit before the exponent. An exponent without
// digits is not part of the number.
NumberExtent ScanNumber(std::string_view text, std::string_view decimalSeparator);

// The correctly rounded double of a scanned number. Throws
// RunTimeError(Overflow) beyond the double range; a number too small for a
// double is 0 (of the number's sign).
double NumberValue(const NumberExtent& number);

// Space, tab, carriage return and line feed.
bool IsBlank(char c) noexcept;

}  // namespace quorvel::detail
