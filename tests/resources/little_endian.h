#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorvel_test {

// Windows file formats store numbers least significant byte first.
inline std::uint16_t Word(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}

inline std::uint32_t Dword(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(Word(bytes, at)) |
           static_cast<std::uint32_t>(Word(bytes, at + 2)) << 16;
}

}  // namespace quorvel_test
