#pragma once

#include <cctype>
#include <sstream>
#include <string>
#include <string_view>

namespace quorvel::testing {

// What an option button's caption means, in the words its screen-reader name
// must use, and the word of its partner that it must not: a swapped pair
// sends a navigator who cannot see the window the wrong way.
struct OptionMeaning {
    std::string_view caption;
    std::string_view quantity;
    std::string_view meaning;
    std::string_view opposite;
};
inline constexpr OptionMeaning kOptionMeanings[] = {
    {"N", "latitude", "north", "south"},  {"S", "latitude", "south", "north"},
    {"E", "longitude", "east", "west"},   {"W", "longitude", "west", "east"},
    {"A", "intercept", "away", "toward"}, {"T", "intercept", "toward", "away"},
};

// Empty when the name of the button with this caption, in the row of this
// sight, says what the button means; otherwise what it gets wrong.
inline std::string NameMismatch(std::string_view caption, int sight, std::string_view name) {
    std::string words = " ";
    for (const char c : name) {
        words += std::isalnum(static_cast<unsigned char>(c)) != 0
                     ? static_cast<char>(std::tolower(static_cast<unsigned char>(c)))
                     : ' ';
    }
    words += ' ';
    const auto has = [&](std::string_view word) {
        return words.find(' ' + std::string(word) + ' ') != std::string::npos;
    };
    for (const OptionMeaning& m : kOptionMeanings) {
        if (m.caption != caption) {
            continue;
        }
        std::ostringstream wrong;
        if (!has("sight") || !has(std::to_string(sight))) {
            wrong << "does not name sight " << sight << "; ";
        }
        if (!has(m.quantity)) {
            wrong << "does not say " << m.quantity << "; ";
        }
        if (!has(m.meaning) || has(m.opposite)) {
            wrong << "\"" << caption << "\" means " << m.meaning << "; ";
        }
        return wrong.str();
    }
    return "no meaning known for the caption \"" + std::string(caption) + "\"";
}

}  // namespace quorvel::testing
