#pragma once

#include <algorithm>
#include <cmath>

// WCAG 2's relative luminance of an sRGB colour and the contrast ratio of two,
// for the window tests that read a rendered window's pixels.
namespace quorvel::test {

inline double Luminance(int red, int green, int blue) {
    const auto linear = [](int channel) {
        const double value = channel / 255.0;
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(red) + 0.7152 * linear(green) + 0.0722 * linear(blue);
}

inline double ContrastRatio(double luminance, double other) {
    return (std::max(luminance, other) + 0.05) / (std::min(luminance, other) + 0.05);
}

}  // namespace quorvel::test
