#pragma once

#include <span>

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

// The layout was drawn at 96 dpi, where a pixel is 15 twips; Qt scales logical
// pixels on denser screens.
inline constexpr int kTwipsPerPixel = 15;
constexpr int Pixels(int twips) {
    return twips / kTwipsPerPixel;
}

inline constexpr int kClientWidthTwips = 9060;
inline constexpr int kClientHeightTwips = 4005;
inline constexpr const char* kCaption = "Kestrane Quorvel";

// The 50 controls in the order they are created; a container comes before
// the controls it holds.
std::span<const ControlRow> Form1Controls();

}  // namespace quorvel
