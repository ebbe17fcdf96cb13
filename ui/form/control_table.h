#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "quorvel_version.h"

namespace quorvel {

enum class ControlKind {
    Label,
    TextBox,
    Frame,          // an invisible container that groups two option buttons
    BorderedFrame,  // a group-box border, no caption, around an intercept entry
    OptionButton,
    CommandButton,
};

enum class Weight { Normal, Bold };

enum class Extra {
    None,
    Selected,  // the option button selected at start in its group
    Output,    // read-only, button-face background: only the command writes it
};

// One control of the window as it was designed: geometry in twips, relative to
// its container, so the rows can be checked against the original layout.
struct ControlRow {
    const char* name;
    ControlKind kind;
    const char* container;  // nullptr: the window's client area
    const char* text;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    Weight weight;
    Extra extra;
    const char* accessibleName;  // nullptr: announced by its caption, or not at all
};

// The layout was drawn at 96 dpi, where a pixel is 15 twips; on denser
// screens each front-end scales its pixels.
inline constexpr int kTwipsPerPixel = 15;
constexpr int Pixels(int twips) {
    return twips / kTwipsPerPixel;
}

inline constexpr int kClientWidthTwips = 9060;
inline constexpr int kClientHeightTwips = 4005;
inline constexpr const char* kCaption = "Kestrane Quorvel";

// The 50 controls in the order they are created; a container comes before
// the controls it holds. Every front-end renders this one table, and the
// starting texts and selections in it are the only ones the program has.
namespace form1_rows {
using enum ControlKind;
using enum Weight;
using enum Extra;

inline constexpr std::array kRows{
    // clang-format off
    ControlRow{"Frame7",   Frame,         nullptr,  "",         4680, 1200,  495,  585, 29, Bold,   None,     nullptr},
    ControlRow{"Option4",  OptionButton,  "Frame7", "E",           0,    0,  615,  255, 40, Bold,   None,     "Sight 2 longitude east"},
    ControlRow{"West2",    OptionButton,  "Frame7", "W",           0,  240,  495,  315, 41, Bold,   Selected, "Sight 2 longitude west"},
    ControlRow{"Frame6",   Frame,         nullptr,  "",         4680,  480,  495,  585, 26, Bold,   None,     nullptr},
    ControlRow{"West1",    OptionButton,  "Frame6", "W",           0,  240,  495,  315, 28, Bold,   Selected, "Sight 1 longitude west"},
    ControlRow{"Option1",  OptionButton,  "Frame6", "E",           0,    0,  615,  255, 27, Bold,   None,     "Sight 1 longitude east"},
    ControlRow{"Frame5",   Frame,         nullptr,  "",         3000,  480,  495,  555, 22, Bold,   None,     nullptr},
    ControlRow{"Option2",  OptionButton,  "Frame5", "S",           0,  240,  495,  315, 24, Bold,   None,     "Sight 1 latitude south"},
    ControlRow{"North1",   OptionButton,  "Frame5", "N",           0,    0,  615,  255, 23, Bold,   Selected, "Sight 1 latitude north"},
    ControlRow{"Frame3",   Frame,         nullptr,  "",         3000, 1200,  495,  585, 21, Bold,   None,     nullptr},
    ControlRow{"North2",   OptionButton,  "Frame3", "N",           0,    0,  615,  255, 37, Bold,   Selected, "Sight 2 latitude north"},
    ControlRow{"South2",   OptionButton,  "Frame3", "S",           0,  240,  495,  315, 38, Bold,   None,     "Sight 2 latitude south"},
    ControlRow{"Lat1",     TextBox,       nullptr,  "35",       1920,  600,  975,  285, 20, Normal, None,     "Sight 1 assumed latitude"},
    ControlRow{"Frame2",   BorderedFrame, nullptr,  "",         5400, 1200, 2415,  495, 13, Normal, None,     nullptr},
    ControlRow{"A2_T",     OptionButton,  "Frame2", "T",        1920,  180,  375,  195, 44, Normal, None,     "Sight 2 intercept toward"},
    ControlRow{"A2_A",     OptionButton,  "Frame2", "A",        1320,  180,  375,  195, 43, Normal, Selected, "Sight 2 intercept away"},
    ControlRow{"A2",       TextBox,       "Frame2", "30",        120,  120, 1095,  285, 42, Normal, None,     "Sight 2 intercept"},
    ControlRow{"Frame1",   BorderedFrame, nullptr,  "",         5400,  480, 2415,  495, 12, Normal, None,     nullptr},
    ControlRow{"A1",       TextBox,       "Frame1", "20",        120,  120, 1095,  285, 31, Normal, None,     "Sight 1 intercept"},
    ControlRow{"A1_A",     OptionButton,  "Frame1", "A",        1320,  180,  375,  195, 32, Normal, None,     "Sight 1 intercept away"},
    ControlRow{"A1_T",     OptionButton,  "Frame1", "T",        1920,  180,  375,  195, 33, Normal, Selected, "Sight 1 intercept toward"},
    ControlRow{"speed",    TextBox,       nullptr,  "20",       2280, 2160,  975,  285, 47, Normal, None,     "Speed in knots"},
    ControlRow{"course",   TextBox,       nullptr,  "90",       1080, 2160,  975,  285, 46, Normal, None,     "Course true"},
    ControlRow{"FixLL",    TextBox,       nullptr,  "",         6120, 2400, 2775,  285,  9, Bold,   Output,   "Fix"},
    ControlRow{"Command1", CommandButton, nullptr,  "Calculate Fix", 4080, 2280, 1935, 525, 48, Bold, None,   nullptr},
    ControlRow{"Time2",    TextBox,       nullptr,  "1:02:30",   840, 1320,  975,  285, 35, Normal, None,     "Sight 2 time"},
    ControlRow{"Zn2",      TextBox,       nullptr,  "240",      7920, 1320,  975,  285, 45, Normal, None,     "Sight 2 azimuth"},
    ControlRow{"Lat2",     TextBox,       nullptr,  "35",       1920, 1320,  975,  285, 36, Normal, None,     "Sight 2 assumed latitude"},
    ControlRow{"Long2",    TextBox,       nullptr,  "144.50",   3600, 1320,  975,  285, 39, Normal, None,     "Sight 2 assumed longitude"},
    ControlRow{"Zn1",      TextBox,       nullptr,  "340",      7920,  600,  975,  285, 34, Normal, None,     "Sight 1 azimuth"},
    ControlRow{"Long1",    TextBox,       nullptr,  "145.18",   3600,  600,  975,  285, 25, Normal, None,     "Sight 1 assumed longitude"},
    ControlRow{"Time1",    TextBox,       nullptr,  "1:00:00",   840,  600,  975,  285,  7, Normal, None,     "Sight 1 time"},
    ControlRow{"Label7",   Label,         nullptr,  "Fix is calculated for time of second sighting.", 240, 2760, 3855, 255, 49, Normal, None, nullptr},
    ControlRow{"Label4",   Label,         nullptr,  "time2 > time1; seconds are optional", 240, 3720, 2655, 255, 30, Normal, None, nullptr},
    ControlRow{"Label17",  Label,         nullptr,  "(12.345 = 12 degrees 34.5 minutes)", 360, 3240, 2655, 255, 19, Normal, None, nullptr},
    ControlRow{"Label16",  Label,         nullptr,  kCopyrightNotice, 7080, 3720, 1815, 255, 18, Bold, None, nullptr},
    ControlRow{"Label15",  Label,         nullptr,  "Time is on the 24 hour clock; 2:06:13pm = 14:06:13", 240, 3480, 3855, 255, 17, Normal, None, nullptr},
    ControlRow{"Label14",  Label,         nullptr,  "Conventions", 120, 2520, 3255, 255, 16, Bold, None, nullptr},
    ControlRow{"Label13",  Label,         nullptr,  kWebAddress, 6240, 3480, 2655, 255, 15, Bold, None, nullptr},
    ControlRow{"Label12",  Label,         nullptr,  kCompanyName, 7080, 3240, 1815, 255, 14, Bold, None, nullptr},
    ControlRow{"lcourse",  Label,         nullptr,  "Course(T)", 1080, 1920,  855,  210, 11, Bold,   None,     nullptr},
    ControlRow{"lspeed",   Label,         nullptr,  "Speed (knots)", 2280, 1920, 1455, 210, 10, Bold, None,  nullptr},
    ControlRow{"Label3",   Label,         nullptr,  "2",         360, 1350,  375,  210,  8, Normal, None,     nullptr},
    ControlRow{"Label11",  Label,         nullptr,  "Degrees are in 'DD.MMddd' convention ", 240, 3000, 2895, 255, 6, Normal, None, nullptr},
    ControlRow{"Label10",  Label,         nullptr,  "a-Lon",    3600,  240,  615,  255,  5, Bold,   None,     nullptr},
    ControlRow{"Label9",   Label,         nullptr,  "a-Lat",    1920,  240,  495,  255,  4, Bold,   None,     nullptr},
    ControlRow{"Label6",   Label,         nullptr,  "a-Value",  5520,  240,  975,  255,  3, Bold,   None,     nullptr},
    ControlRow{"Label5",   Label,         nullptr,  "Zn",       8160,  240,  375,  255,  2, Bold,   None,     nullptr},
    ControlRow{"Label2",   Label,         nullptr,  "1",         360,  630,  375,  210,  1, Normal, None,     nullptr},
    ControlRow{"Label1",   Label,         nullptr,  "Sight Time", 840,  240,  975,  255,  0, Bold,   None,     nullptr},
    // clang-format on
};
}  // namespace form1_rows

inline constexpr const auto& kForm1Controls = form1_rows::kRows;

// Labels and frames never take the focus.
constexpr bool TakesFocus(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::OptionButton ||
           kind == ControlKind::CommandButton;
}

// The row of the frame that holds a control; none for the window's own.
constexpr std::optional<std::size_t> ContainerRow(std::size_t row) {
    const char* container = kForm1Controls[row].container;
    if (container == nullptr) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < row; ++i) {
        if (std::string_view(kForm1Controls[i].name) == container) {
            return i;
        }
    }
    return std::nullopt;
}

// The row of a control in the table; front-ends keep their controls by row.
// Evaluated while compiling, so a misspelt name does not build.
consteval std::size_t ControlIndex(std::string_view name) {
    for (std::size_t i = 0; i < kForm1Controls.size(); ++i) {
        if (kForm1Controls[i].name == name) {
            return i;
        }
    }
    throw "no control of that name";
}

}  // namespace quorvel
