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
// Defaults are the window's starting entries.
struct FixEntries {
    std::string Time1 = "1:00:00";
    std::string Time2 = "1:02:30";
    std::string Long1 = "145.18";
    OptionState West1 = kSelected;
    std::string Lat1 = "35";
    OptionState North1 = kSelected;
    std::string Long2 = "144.50";
    OptionState West2 = kSelected;
    std::string Lat2 = "35";
    OptionState North2 = kSelected;
    std::string course = "90";
    std::string speed = "20";
    std::string Zn1 = "340";
    std::string Zn2 = "240";
    std::string A1 = "20";
    std::string A2 = "30";
    OptionState A1_A = kClear;
    OptionState A2_A = kSelected;
};

}  // namespace quorvel
