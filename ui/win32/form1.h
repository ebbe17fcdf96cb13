#pragma once

#include <windows.h>

#include <array>
#include <cstddef>

#include "appearance.h"
#include "control_table.h"
#include "fix_entries.h"

namespace quorvel {

// The main window on the Win32 API: standard EDIT, BUTTON and STATIC
// controls, so screen readers, automation tools and the user's theme know
// them. It only moves values between its controls and the shared calculate
// step.
class Form1 {
public:
    static constexpr wchar_t kClassName[] = L"QuorvelForm1";
    // Controls carry their table row plus this as their id, clear of IDOK
    // and IDCANCEL, which the dialog keys send.
    static constexpr int kFirstControlId = 100;

    // Creates the window and its controls, hidden, at the default place.
    explicit Form1(HINSTANCE instance);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Null when the window could not be made.
    HWND window() const { return window_; }
    // The control of a table row; null for the borderless frames, which a
    // Win32 window needs no window for (the buttons' WS_GROUP makes the pair).
    HWND control(std::size_t row) const { return controls_[row]; }

    void show(int showCommand);
    // Places the controls and sets their fonts for a screen's dots per inch.
    void layOut(UINT dpi);

    // The record the Calculate Fix command reads, from the controls as they
    // stand now.
    FixEntries entries() const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls(HINSTANCE instance, UINT dpi);
    HFONT fontFor(std::size_t row) const;
    void onCommand(int id, int code);
    void calculateFix();
    void keepSelectedAsTabStop(std::size_t row);
    void followSystemColours();
    LRESULT controlColours(UINT message, HDC dc, HWND control);

    HWND window_ = nullptr;
    std::array<HWND, kForm1Controls.size()> controls_{};
    HFONT boldFont_ = nullptr;
    HFONT normalFont_ = nullptr;
    HWND focusOnDeactivate_ = nullptr;
    Appearance appearance_;
};

// Runs the window's messages, with the keyboard of a dialog (Tab, Shift+Tab,
// arrows within a pair), until the window is closed; returns the exit code.
int RunMessageLoop(const Form1& form);

}  // namespace quorvel
