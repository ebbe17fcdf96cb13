#include "number_scan.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <system_error>

#include "run_time_error.h"

namespace quorvel::detail {
namespace {

bool IsDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

std::size_t DigitsFrom(std::string_view text, std::size_t at) noexcept {
    std::size_t end = at;
    while (end < text.size() && IsDigit(text[end])) {
        ++end;
    }
    return end;
}

// from_chars reports a number too large and a number too small alike; tell
// them apart by the decimal position of the first significant digit.
bool IsTooLarge(const NumberExtent& number) noexcept {
    std::int64_t order = 0;
    const auto firstWhole = number.wholeDigits.find_first_not_of('0');
    if (firstWhole != std::string_view::npos) {
        order = static_cast<std::int64_t>(number.wholeDigits.size() - firstWhole);
    } else {
        const auto firstFraction = number.fractionDigits.find_first_not_of('0');
        if (firstFraction == std::string_view::npos) {
            return false;
        }
        order = -static_cast<std::int64_t>(firstFraction);
    }
    // Saturate: any exponent beyond a billion settles the question.
    constexpr std::int64_t kLimit = 1'000'000'000;
    std::int64_t exponent = 0;
    for (const char c : number.exponentDigits) {
        exponent = exponent * 10 + (c - '0');
        if (exponent > kLimit) {
            exponent = kLimit;
            break;
        }
    }
    return order + (number.exponentNegative ? -exponent : exponent) > 0;
}

#if __cpp_lib_to_chars >= 201611L
std::from_chars_result ReadDouble(std::string_view plain, double& value) {
    return std::from_chars(plain.data(), plain.data() + plain.size(), value,
                           std::chars_format::general);
}
#else
// A standard library without the floating-point from_chars (emscripten's):
// strtod rounds correctly too, and WebAssembly's C library always reads with
// the C locale's ".". Its results are told apart as from_chars tells them.
std::from_chars_result ReadDouble(std::string_view plain, double& value) {
    const std::string text(plain);
    char* end = nullptr;
    errno = 0;
    const double read = std::strtod(text.c_str(), &end);
    const auto length = static_cast<std::size_t>(end - text.c_str());
    if (length == 0) {
        return {plain.data(), std::errc::invalid_argument};
    }
    if (errno == ERANGE && (read == 0.0 || std::isinf(read))) {
        return {plain.data() + length, std::errc::result_out_of_range};
    }
    value = read;
    return {plain.data() + length, std::errc()};
}
#endif

double Convert(const NumberExtent& number, std::string_view plain) {
    double value = 0.0;
    const auto [end, error] = ReadDouble(plain, value);
    if (error == std::errc::result_out_of_range) {
        if (IsTooLarge(number)) {
            throw RunTimeError(ErrorNumber::Overflow);
        }
        value = 0.0;
    } else if (error != std::errc() || end != plain.data() + plain.size()) {
        // Cannot happen for a scanned number; refuse rather than guess.
        throw RunTimeError(ErrorNumber::TypeMismatch);
    }
    return number.negative ? -value : value;
}

}  // namespace

bool IsBlank(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

NumberExtent ScanNumber(std::string_view text, std::string_view decimalSeparator) {
    NumberExtent number;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        number.negative = text[at] == '-';
        ++at;
    }
    const std::size_t wholeEnd = DigitsFrom(text, at);
    number.wholeDigits = text.substr(at, wholeEnd - at);
    at = wholeEnd;
    if (!decimalSeparator.empty() && text.substr(at).starts_with(decimalSeparator)) {
        const std::size_t fractionBegin = at + decimalSeparator.size();
        const std::size_t fractionEnd = DigitsFrom(text, fractionBegin);
        number.fractionDigits = text.substr(fractionBegin, fractionEnd - fractionBegin);
        // A separator with no digit on either side is not a number.
        if (!number.wholeDigits.empty() || !number.fractionDigits.empty()) {
            at = fractionEnd;
        }
    }
    if (number.wholeDigits.empty() && number.fractionDigits.empty()) {
        return {};
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t exponentAt = at + 1;
        bool exponentNegative = false;
        if (exponentAt < text.size() && (text[exponentAt] == '+' || text[exponentAt] == '-')) {
            exponentNegative = text[exponentAt] == '-';
            ++exponentAt;
        }
        const std::size_t exponentEnd = DigitsFrom(text, exponentAt);
        if (exponentEnd > exponentAt) {
            number.exponentNegative = exponentNegative;
            number.exponentDigits = text.substr(exponentAt, exponentEnd - exponentAt);
            at = exponentEnd;
        }
    }
    number.length = at;
    if (decimalSeparator == "." && !number.wholeDigits.empty()) {
        const std::size_t unsignedAt = number.negative || text.front() == '+' ? 1 : 0;
        number.plainText = text.substr(unsignedAt, at - unsignedAt);
    }
    return number;
}

double NumberValue(const NumberExtent& number) {
    // Only the scanned digits reach from_chars, in the one form it reads (no
    // sign, "." as the separator): it does the correctly rounded conversion,
    // and its "inf", "nan" and hexadecimal forms can never match.
    if (!number.plainText.empty()) {
        return Convert(number, number.plainText);
    }
    std::string plain;
    plain.reserve(number.wholeDigits.size() + number.fractionDigits.size() +
                  number.exponentDigits.size() + 4);
    plain.append(number.wholeDigits.empty() ? std::string_view("0") : number.wholeDigits);
    if (!number.fractionDigits.empty()) {
        plain.push_back('.');
        plain.append(number.fractionDigits);
    }
    if (!number.exponentDigits.empty()) {
        plain.push_back('e');
        if (number.exponentNegative) {
            plain.push_back('-');
        }
        plain.append(number.exponentDigits);
    }

    return Convert(number, plain);
}

}  // namespace quorvel::detail
