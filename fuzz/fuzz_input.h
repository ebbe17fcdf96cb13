#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "regional_settings.h"

namespace quorvel::fuzz {

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The regions worth telling apart: ".", ",", and separators of several bytes.
inline RegionalSettings RegionFromByte(std::uint8_t byte) {
    switch (byte % 4) {
        case 0:
            return {".", ","};
        case 1:
            return {",", "."};
        case 2:
            return {",", "\xE2\x80\xAF"};
        default:
            return {"\xD9\xAB", "\xD9\xAC"};
    }
}

}  // namespace quorvel::fuzz
