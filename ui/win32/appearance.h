#pragma once

#include <windows.h>

#include <commctrl.h>

namespace quorvel {

// The colours the user has asked Windows for.
enum class Scheme {
    Light,         // "Choose your mode": Light, or no choice recorded
    Dark,          // "Choose your mode": Dark
    HighContrast,  // a High Contrast theme, which wins over the mode
};

// Read now from the user's settings.
Scheme SystemScheme();

// The colour of each role the window paints in dark.
struct Palette {
    COLORREF window;      // the client area, labels, frames, option buttons
    COLORREF text;        // every caption and every entry's text
    COLORREF entry;       // the entry boxes
    COLORREF buttonFace;  // the command button and the read-only fix box
    COLORREF hotFace;     // the command button under the mouse
    COLORREF pressedFace;
    COLORREF edge;  // the command button's border
};

// The window's colours in one scheme and the brushes that paint them. In
// Light and HighContrast the window keeps the system colours, painted as the
// controls paint themselves; only Dark has colours and brushes of its own.
class Appearance {
public:
    Appearance() = default;
    ~Appearance();
    Appearance(const Appearance&) = delete;
    Appearance& operator=(const Appearance&) = delete;

    // Takes a scheme; false when it was already the one in use.
    bool follow(Scheme scheme);
    bool dark() const { return scheme_ == Scheme::Dark; }
    const Palette& palette() const { return palette_; }
    HBRUSH windowBrush() const { return windowBrush_; }
    HBRUSH entryBrush() const { return entryBrush_; }
    HBRUSH faceBrush() const { return faceBrush_; }

    // Dark or light title bar, by the Desktop Window Manager.
    void applyToTitleBar(HWND window);
    // Paints an option button or the command button in the dark palette, in
    // answer to its NM_CUSTOMDRAW; returns the answer to give.
    LRESULT paintButton(const NMCUSTOMDRAW& draw, UINT dpi) const;

private:
    void paintOptionButton(const NMCUSTOMDRAW& draw, UINT dpi) const;
    void paintCommandButton(const NMCUSTOMDRAW& draw, UINT dpi) const;
    void releaseBrushes();

    Scheme scheme_ = Scheme::Light;
    Palette palette_{};
    HBRUSH windowBrush_ = nullptr;
    HBRUSH entryBrush_ = nullptr;
    HBRUSH faceBrush_ = nullptr;
    bool titleBarDark_ = false;
};

}  // namespace quorvel
