#pragma once

#include <cstdint>
#include <string>

namespace quorvel {

// The state of an option button as the command reads it: a 16-bit boolean,
// -1 (all bits set) when selected, 0 when clear.
using OptionState = std::int16_t;
inline constexpr OptionState kSelected = -1;
inline constexpr OptionState kClear = 0;

// What the Calculate Fix command reads from the window, each value under the
// name of the control it comes from. Texts are UTF-8, exactly as typed.
struct FixEntries {
    std::string Time1;
    std::string Time2;
    std::string Long1;
    OptionState West1 = kClear;
    std::string Lat1;
    OptionState North1 = kClear;
    std::string Long2;
    OptionState West2 = kClear;
    std::string Lat2;
    OptionState North2 = kClear;
    std::string course;
    std::string speed;
    std::string Zn1;
    std::string Zn2;
    std::string A1;
    std::string A2;
    OptionState A1_A = kClear;
    OptionState A2_A = kClear;
};

}  // namespace quorvel
