// The Win32 window seen from inside: its icons, and every caption whole in
// its box at 100, 150 and 200 % of the 96 dpi the layout was drawn for.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "control_table.h"
#include "form1.h"
#include "wide_text.h"

namespace quorvel {
namespace {

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) {
        return {0, 0};
    }
    BITMAP bitmap{};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return {bitmap.bmWidth, bitmap.bmHeight};
}

TEST(Form1Layout, ShowsTheProgramsIconInBothSizes) {
    Form1 form(GetModuleHandleW(nullptr));
    const auto icon = [&](WPARAM which) {
        return IconSize(reinterpret_cast<HICON>(SendMessageW(form.window(), WM_GETICON, which, 0)));
    };
    EXPECT_EQ(icon(ICON_BIG).cx, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(icon(ICON_BIG).cy, GetSystemMetrics(SM_CYICON));
    EXPECT_EQ(icon(ICON_SMALL).cx, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(icon(ICON_SMALL).cy, GetSystemMetrics(SM_CYSMICON));
}

class Form1AtScale : public ::testing::TestWithParam<UINT> {};

TEST_P(Form1AtScale, ShowsEveryCaptionWhole) {
    const UINT dpi = GetParam();
    Form1 form(GetModuleHandleW(nullptr));
    form.layOut(dpi);
    int tightest = 1000;
    for (std::size_t row = 0; row < kForm1Controls.size(); ++row) {
        const ControlRow& c = kForm1Controls[row];
        if (*c.text == '\0' || c.kind == ControlKind::TextBox) {
            continue;
        }
        HWND control = form.control(row);
        RECT box{};
        GetClientRect(control, &box);
        HDC dc = GetDC(control);
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        const std::wstring text = Widen(c.text);
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        ReleaseDC(control, dc);

        // Beside the text, a radio button draws its circle and a gap, and a
        // push button its edges.
        int beside = 0;
        if (c.kind == ControlKind::OptionButton) {
            beside = MulDiv(13 + 3, static_cast<int>(dpi), 96);
        } else if (c.kind == ControlKind::CommandButton) {
            beside = MulDiv(8, static_cast<int>(dpi), 96);
        }
        const int spare = box.right - beside - extent.cx;
        EXPECT_GE(spare, 0) << c.name << " at " << dpi << " dpi";
        EXPECT_LE(extent.cy, box.bottom) << c.name << " at " << dpi << " dpi";
        tightest = std::min(tightest, spare);
    }
    wchar_t face[LF_FACESIZE] = {};
    HDC dc = GetDC(form.window());
    SelectObject(dc, reinterpret_cast<HFONT>(
                         SendMessageW(form.control(ControlIndex("Label1")), WM_GETFONT, 0, 0)));
    GetTextFaceW(dc, LF_FACESIZE, face);
    ReleaseDC(form.window(), dc);
    std::printf("at %u dpi, drawn in %s: the tightest caption has %d px to spare\n", dpi,
                Narrow(face).c_str(), tightest);
}

INSTANTIATE_TEST_SUITE_P(Scales, Form1AtScale, ::testing::Values(96u, 144u, 192u));

TEST(Form1Layout, LaysItselfOutAgainWhenMovedToADenserScreen) {
    Form1 form(GetModuleHandleW(nullptr));
    RECT suggested{0, 0, 1000, 500};
    SendMessageW(form.window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    HWND button = form.control(ControlIndex("Command1"));
    RECT box{};
    GetWindowRect(button, &box);
    MapWindowPoints(nullptr, form.window(), reinterpret_cast<POINT*>(&box), 2);
    // Its left, top and right edges at 4080, 2280 and 6015 twips: 408, 228 and
    // 601.5, rounded to 602, pixels at 144 dpi.
    EXPECT_EQ(box.left, 408);
    EXPECT_EQ(box.top, 228);
    EXPECT_EQ(box.right, 602);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -17);  // 8.25 points at 144 dpi
}

TEST(Form1Layout, IsTheDesignedSizeAndFaceAt96Dpi) {
    Form1 form(GetModuleHandleW(nullptr));
    form.layOut(96);
    RECT client{};
    GetClientRect(form.window(), &client);
    EXPECT_EQ(client.right, 604);
    EXPECT_EQ(client.bottom, 267);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(
                   SendMessageW(form.control(ControlIndex("Label1")), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_EQ(Narrow(font.lfFaceName), "MS Sans Serif");
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfHeight, -11);  // 8.25 points
}

}  // namespace
}  // namespace quorvel
