#include "number_format.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace quorvel {

std::string FixedText(double value, int decimals) {
    // Enough for the largest double written out in full, plus decimals.
    std::array<char, 400> buffer{};
#if __cpp_lib_to_chars >= 201611L
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed, decimals);
    if (error != std::errc()) {
        return {};
    }
    std::string text(buffer.data(), end);
#else
    // A standard library without the floating-point to_chars (emscripten's):
    // printf rounds correctly too, and WebAssembly's C library always writes with
    // the C locale's ".".
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, value);
    if (length < 0 || static_cast<std::size_t>(length) >= buffer.size()) {
        return {};
    }
    std::string text(buffer.data(), static_cast<std::size_t>(length));
#endif
    // A value that rounds to nothing is written without a sign.
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

std::string InUsersNotation(std::string_view plain, const RegionalSettings& region) {
    const std::string_view digits = plain.substr(plain.starts_with('-') ? 1 : 0);
    const std::size_t point = digits.find('.');
    const std::string_view whole = digits.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : digits.substr(point + 1);

    std::string text;
    text.reserve(plain.size() + whole.size() / 3 * region.groupSeparator.size() +
                 region.decimalSeparator.size());
    if (plain.starts_with('-')) {
        text.push_back('-');
    }
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) {
            text.append(region.groupSeparator);
        }
        text.push_back(whole[i]);
    }
    if (!fraction.empty()) {
        text.append(region.decimalSeparator.empty() ? std::string_view(".")
                                                    : std::string_view(region.decimalSeparator));
        text.append(fraction);
    }
    return text;
}

std::string FormatNumber(double value, int decimals, const RegionalSettings& region) {
    return InUsersNotation(FixedText(value, decimals), region);
}

}  // namespace quorvel
