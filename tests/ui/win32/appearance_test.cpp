// The window in Windows' app mode, at start and after a change while it is
// open, read back from its pixels: a dark or light background, and every
// caption and entry at 4.5:1 or more against its own background (WCAG AA).

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "app_mode.h"
#include "contrast.h"
#include "control_table.h"
#include "form1.h"

namespace quorvel {
namespace {

using testing::AppMode;

double Luminance(COLORREF colour) {
    return test::Luminance(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

double Contrast(COLORREF a, COLORREF b) {
    return test::ContrastRatio(Luminance(a), Luminance(b));
}

// The pixels of an area of the window's client area, once all it had to
// paint has been painted.
std::vector<COLORREF> Pixels(HWND window, RECT area) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(window);
    for (LONG y = area.top; y < area.bottom; ++y) {
        for (LONG x = area.left; x < area.right; ++x) {
            pixels.push_back(GetPixel(dc, x, y));
        }
    }
    ReleaseDC(window, dc);
    return pixels;
}

// Where a control's text stands, in the window's client area: past an
// option button's circle, inside the command button's border and focus
// rectangle, inside an entry's edge.
RECT TextArea(const Form1& form, std::size_t row) {
    HWND control = form.control(row);
    RECT area{};
    GetClientRect(control, &area);
    MapWindowPoints(control, form.window(), reinterpret_cast<POINT*>(&area), 2);
    const int dpi = static_cast<int>(GetDpiForWindow(control));
    if (kForm1Controls[row].kind == ControlKind::OptionButton) {
        area.left += MulDiv(13 + 3, dpi, 96);
    } else if (kForm1Controls[row].kind == ControlKind::CommandButton) {
        InflateRect(&area, -MulDiv(5, dpi, 96), -MulDiv(5, dpi, 96));
    }
    return area;
}

std::wstring TextOf(HWND control) {
    wchar_t text[64] = {};
    GetWindowTextW(control, text, 64);
    return text;
}

// Dark (luminance under 0.2) or light (over 0.6), with every text readable.
void ExpectColours(const Form1& form, bool dark, const char* when) {
    // A corner of the client area, clear of every control.
    const double luminance = Luminance(Pixels(form.window(), {1, 1, 2, 2}).front());
    EXPECT_TRUE(dark ? luminance < 0.2 : luminance > 0.6) << when << ": " << luminance;
    for (std::size_t row = 0; row < kForm1Controls.size(); ++row) {
        if (form.control(row) == nullptr || TextOf(form.control(row)).empty()) {
            continue;
        }
        // The strongest contrast any pixel makes with the area's corner,
        // its background: the text's, where the area holds only text.
        const std::vector<COLORREF> pixels = Pixels(form.window(), TextArea(form, row));
        const COLORREF behind = pixels.front();
        double strongest = 1.0;
        for (const COLORREF pixel : pixels) {
            strongest = std::max(strongest, Contrast(pixel, behind));
        }
        EXPECT_GE(strongest, 4.5) << when << ": " << kForm1Controls[row].name;
    }
}

// A window as a navigator leaves it: a choice changed, an entry edited, the
// fix worked out and the focus on the command, the caret out of the entries.
// Told as the controls tell the window, with no mouse in between.
void UseTheWindow(const Form1& form) {
    SendMessageW(form.control(ControlIndex("North1")), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(form.control(ControlIndex("Option2")), BM_SETCHECK, BST_CHECKED, 0);
    SetWindowTextW(form.control(ControlIndex("Zn2")), L"241");
    const std::size_t command = ControlIndex("Command1");
    SendMessageW(form.window(), WM_COMMAND,
                 MAKEWPARAM(Form1::kFirstControlId + static_cast<int>(command), BN_CLICKED),
                 reinterpret_cast<LPARAM>(form.control(command)));
    SetFocus(form.control(command));
}

struct ModeRow {
    const char* what;
    std::optional<DWORD> light;  // nothing: no choice recorded
    bool dark;
};

TEST(Appearance, TakesTheAppModeAtStartAndEachChangeKeepingWhatWasEntered) {
    AppMode mode;
    mode.set(0);
    Form1 form(GetModuleHandleW(nullptr));
    form.show(SW_SHOW);
    UseTheWindow(form);
    ExpectColours(form, true, "dark at start");
    const std::wstring fix = TextOf(form.control(ControlIndex("FixLL")));
    ASSERT_FALSE(fix.empty());

    struct Change {
        const char* what;
        std::optional<DWORD> light;  // nothing: no choice recorded
        bool dark;
    };
    constexpr Change kChanges[] = {{"turned light", 1, false},
                                   {"dark again", 0, true},
                                   {"choice removed", std::nullopt, false}};
    for (const Change& change : kChanges) {
        mode.set(change.light);
        AppMode::announce();
        ExpectColours(form, change.dark, change.what);
        EXPECT_EQ(TextOf(form.control(ControlIndex("Zn2"))), L"241") << change.what;
        EXPECT_EQ(TextOf(form.control(ControlIndex("FixLL"))), fix) << change.what;
        EXPECT_EQ(SendMessageW(form.control(ControlIndex("Option2")), BM_GETCHECK, 0, 0),
                  BST_CHECKED)
            << change.what;
    }
}

}  // namespace
}  // namespace quorvel
