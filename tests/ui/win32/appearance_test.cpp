// The window in Windows' app mode, light or dark, at start and after a
// change while it is open, read back from its pixels: its background, and
// every caption and entry against its own background (WCAG AA, 4.5:1).

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app_mode.h"
#include "control_table.h"
#include "form1.h"

namespace quorvel {
namespace {

using testing::AppMode;

// WCAG 2 relative luminance of a pixel.
double Luminance(COLORREF colour) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) +
           0.0722 * linear(GetBValue(colour));
}

double Contrast(COLORREF a, COLORREF b) {
    const double first = Luminance(a);
    const double second = Luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// The window's client area as it stands on the screen, once what it had
// to paint has been painted.
class Capture {
public:
    explicit Capture(HWND window) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        RECT client{};
        GetClientRect(window, &client);
        width_ = client.right;
        const int height = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HDC windowDc = GetDC(window);
        HDC memory = CreateCompatibleDC(windowDc);
        HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width_, height, windowDc, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* pixels = static_cast<const DWORD*>(bits);
        // The DIB holds 0x00RRGGBB; COLORREF is 0x00BBGGRR.
        for (int i = 0; i < width_ * height; ++i) {
            pixels_.push_back(RGB(pixels[i] >> 16 & 0xFF, pixels[i] >> 8 & 0xFF, pixels[i] & 0xFF));
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(window, windowDc);
    }

    // The colour most of an area shows: its background.
    COLORREF background(const RECT& area) const {
        std::map<COLORREF, int> counts;
        forEach(area, [&](COLORREF c) { ++counts[c]; });
        return std::ranges::max_element(counts, {}, [](const auto& c) { return c.second; })->first;
    }
    // The strongest contrast any pixel of the area makes with its background:
    // a caption's, where the area holds only a caption.
    double strongestContrast(const RECT& area) const {
        const COLORREF behind = background(area);
        double strongest = 1.0;
        forEach(area, [&](COLORREF c) { strongest = std::max(strongest, Contrast(c, behind)); });
        return strongest;
    }

private:
    template <typename Visit>
    void forEach(const RECT& area, Visit visit) const {
        const int rows = static_cast<int>(pixels_.size()) / width_;
        for (int y = std::max(0, static_cast<int>(area.top));
             y < std::min(rows, static_cast<int>(area.bottom)); ++y) {
            for (int x = std::max(0, static_cast<int>(area.left));
                 x < std::min(width_, static_cast<int>(area.right)); ++x) {
                visit(pixels_[static_cast<std::size_t>(y * width_ + x)]);
            }
        }
    }

    int width_ = 0;
    std::vector<COLORREF> pixels_;
};

RECT WholeClient(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

// Where a control's caption or text stands, in the window's client area:
// its own client area, past an option button's circle and inside the
// command button's border and focus rectangle.
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

// A window as a navigator leaves it: a choice changed, an entry edited, the
// fix worked out, the focus left on the command. Told as the controls tell
// the window, with no mouse in between; the caret is out of the entries.
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

std::wstring TextOf(HWND control) {
    wchar_t text[64] = {};
    GetWindowTextW(control, text, 64);
    return text;
}

// The app mode's value; nothing for no choice recorded.
struct ModeRow {
    const char* what;
    std::optional<DWORD> light;
    bool dark;
};

constexpr ModeRow kModeChanges[] = {
    {"turned dark", 0, true},
    {"turned light", 1, false},
    {"dark again", 0, true},
    {"choice removed", std::nullopt, false},
};

TEST(Appearance, FollowsTheAppModeWhileOpenKeepingWhatWasEntered) {
    AppMode mode;
    mode.set(std::nullopt);
    Form1 form(GetModuleHandleW(nullptr));
    form.show(SW_SHOW);
    UseTheWindow(form);
    const std::wstring fix = TextOf(form.control(ControlIndex("FixLL")));
    ASSERT_FALSE(fix.empty());
    EXPECT_GT(Luminance(Capture(form.window()).background(WholeClient(form.window()))), 0.6)
        << "light with no choice recorded";

    for (const ModeRow& change : kModeChanges) {
        mode.set(change.light);
        AppMode::announce();
        const double luminance =
            Luminance(Capture(form.window()).background(WholeClient(form.window())));
        if (change.dark) {
            EXPECT_LT(luminance, 0.2) << change.what;
        } else {
            EXPECT_GT(luminance, 0.6) << change.what;
        }
        EXPECT_EQ(TextOf(form.control(ControlIndex("Zn2"))), L"241") << change.what;
        EXPECT_EQ(TextOf(form.control(ControlIndex("FixLL"))), fix) << change.what;
        EXPECT_EQ(SendMessageW(form.control(ControlIndex("Option2")), BM_GETCHECK, 0, 0),
                  BST_CHECKED)
            << change.what;
    }
}

class AppearanceAtStart : public ::testing::TestWithParam<ModeRow> {};

TEST_P(AppearanceAtStart, EveryTextStandsOutFromItsBackground) {
    AppMode mode;
    mode.set(GetParam().light);
    Form1 form(GetModuleHandleW(nullptr));
    form.show(SW_SHOW);
    UseTheWindow(form);
    const Capture capture(form.window());
    const double luminance = Luminance(capture.background(WholeClient(form.window())));
    EXPECT_EQ(luminance < 0.2, GetParam().dark) << luminance;

    int measured = 0;
    for (std::size_t row = 0; row < kForm1Controls.size(); ++row) {
        HWND control = form.control(row);
        if (control == nullptr || TextOf(control).empty()) {
            continue;
        }
        EXPECT_GE(capture.strongestContrast(TextArea(form, row)), 4.5) << kForm1Controls[row].name;
        ++measured;
    }
    EXPECT_GT(measured, 30);
}

INSTANTIATE_TEST_SUITE_P(Modes, AppearanceAtStart,
                         ::testing::Values(ModeRow{"light", 1, false}, ModeRow{"dark", 0, true}),
                         [](const auto& row) { return std::string(row.param.what); });

}  // namespace
}  // namespace quorvel
