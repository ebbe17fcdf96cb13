#pragma once

#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel::testing {

// A readable GoogleTest name for a table row, so a failing row says which
// case broke: "3_time_without_a_colon".
inline std::string CaseName(std::size_t index, std::string_view what) {
    std::string name = std::to_string(index) + "_";
    for (const char c : what.substr(0, 40)) {
        const auto u = static_cast<unsigned char>(c);
        name.push_back(std::isalnum(u) ? c : '_');
    }
    return name;
}

// For tables whose rows carry a text or a description in their first field.
struct NameRow {
    template <typename Info>
    std::string operator()(const Info& info) const {
        return CaseName(info.index, info.param.name());
    }
};

}  // namespace quorvel::testing
