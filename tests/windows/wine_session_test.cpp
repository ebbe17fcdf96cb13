// What the Windows tests rely on in the Wine session tools/wine-session
// starts. A window test in a decimal-comma locale proves nothing if Wine's
// user locale stayed en-US; a prefix without Debian's fonts-wine fonts lays
// out every face in Liberation Sans; pixel sizes assume 96 dpi; and managed
// windows, with no window manager on Xvfb, cost seconds per message box.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

// The expected value the test's environment names (set by CMake per locale).
std::wstring Expected(const char* variable) {
    const char* value = std::getenv(variable);
    if (value == nullptr) {
        ADD_FAILURE() << variable << " is not set";
        return {};
    }
    wchar_t wide[64] = {};
    MultiByteToWideChar(CP_UTF8, 0, value, -1, wide, 64);
    return wide;
}

std::wstring UserLocaleInfo(LCTYPE type) {
    wchar_t value[64] = {};
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, value, 64);
    return value;
}

TEST(WineSession, UserLocaleFollowsLcAll) {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    ASSERT_GT(GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH), 0);
    EXPECT_EQ(std::wstring(name), Expected("QUORVEL_EXPECT_LOCALE_NAME"));
    EXPECT_EQ(UserLocaleInfo(LOCALE_SDECIMAL), Expected("QUORVEL_EXPECT_DECIMAL"));
    EXPECT_EQ(UserLocaleInfo(LOCALE_STHOUSAND), Expected("QUORVEL_EXPECT_GROUPING"));
}

// The face a window gets when it asks for one by name.
std::wstring SelectedFace(const wchar_t* face) {
    LOGFONTW wanted = {};
    wanted.lfHeight = -11;
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    HDC screen = GetDC(nullptr);
    HFONT font = CreateFontIndirectW(&wanted);
    HGDIOBJ previous = SelectObject(screen, font);
    wchar_t selected[LF_FACESIZE] = {};
    GetTextFaceW(screen, LF_FACESIZE, selected);
    SelectObject(screen, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return selected;
}

class FontsWineFace : public testing::TestWithParam<const wchar_t*> {};

TEST_P(FontsWineFace, IsInstalledInThePrefix) {
    EXPECT_EQ(SelectedFace(GetParam()), GetParam());
}

INSTANTIATE_TEST_SUITE_P(WineSession, FontsWineFace, testing::Values(L"MS Sans Serif", L"Tahoma"));

TEST(WineSession, ScreenIs96Dpi) {
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    ReleaseDC(nullptr, screen);
}

TEST(WineSession, WindowsAreNotManaged) {
    wchar_t value[8] = {};
    DWORD size = sizeof value;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", L"Managed",
                           RRF_RT_REG_SZ, nullptr, value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(value), L"N");
}

}  // namespace
