#include "appearance.h"

#include <string>

namespace quorvel {
namespace {

// Windows 10 20H1 and later; older MinGW-w64 headers do not name it. Earlier
// Windows refuses it, and their title bar stays light.
constexpr DWORD kUseImmersiveDarkMode = 20;

// Where "Choose your mode" keeps the apps' mode: 0 dark, 1 or absent light.
constexpr wchar_t kPersonalizeKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// Every dark colour of the window. The text is the light window's face
// colour; the background is Windows' own dark window colour; the entries sit
// darker and the button face lighter than it, as white entries and a grey
// face stand apart in light. The edge stays at 3:1 or more against all three.
constexpr Palette kDark{
    .window = RGB(0x20, 0x20, 0x20),
    .text = RGB(0xF0, 0xF0, 0xF0),
    .entry = RGB(0x16, 0x16, 0x16),
    .buttonFace = RGB(0x33, 0x33, 0x33),
    .hotFace = RGB(0x45, 0x45, 0x45),
    .pressedFace = RGB(0x2A, 0x2A, 0x2A),
    .edge = RGB(0x9A, 0x9A, 0x9A),
};

template <typename Function>
Function* Lookup(HMODULE module, const char* name) {
    if (module == nullptr) {
        return nullptr;
    }
    // Through a generic function type, the sanctioned way to change a
    // function pointer's type.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

std::wstring TextOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool FocusCuesShown(HWND control) {
    return (SendMessageW(control, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

// The focus rectangle inverts what is beneath it, so it shows on any face.
void DrawFocus(HDC dc, RECT box) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(0xFF, 0xFF, 0xFF));
    DrawFocusRect(dc, &box);
}

int Scaled(int pixelsAt96, UINT dpi) {
    return MulDiv(pixelsAt96, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

}  // namespace

Scheme SystemScheme() {
    HIGHCONTRASTW highContrast{};
    highContrast.cbSize = sizeof highContrast;
    if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof highContrast, &highContrast, 0) &&
        (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0) {
        return Scheme::HighContrast;
    }
    DWORD light = 1;
    DWORD size = sizeof light;
    if (RegGetValueW(HKEY_CURRENT_USER, kPersonalizeKey, L"AppsUseLightTheme", RRF_RT_REG_DWORD,
                     nullptr, &light, &size) == ERROR_SUCCESS &&
        light == 0) {
        return Scheme::Dark;
    }
    return Scheme::Light;
}

Appearance::~Appearance() {
    releaseBrushes();
}

void Appearance::releaseBrushes() {
    for (HBRUSH* brush : {&windowBrush_, &entryBrush_, &faceBrush_}) {
        if (*brush != nullptr) {
            DeleteObject(*brush);
            *brush = nullptr;
        }
    }
}

bool Appearance::follow(Scheme scheme) {
    if (scheme == scheme_) {
        return false;
    }
    scheme_ = scheme;
    releaseBrushes();
    if (dark()) {
        palette_ = kDark;
        windowBrush_ = CreateSolidBrush(palette_.window);
        entryBrush_ = CreateSolidBrush(palette_.entry);
        faceBrush_ = CreateSolidBrush(palette_.buttonFace);
    }
    return true;
}

void Appearance::applyToTitleBar(HWND window) {
    if (titleBarDark_ == dark()) {
        return;
    }
    // Loaded only once a title bar is to turn dark: most windows open light.
    static auto* const setAttribute = Lookup<HRESULT WINAPI(HWND, DWORD, LPCVOID, DWORD)>(
        LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32),
        "DwmSetWindowAttribute");
    if (setAttribute != nullptr) {
        const BOOL useDark = dark() ? TRUE : FALSE;
        setAttribute(window, kUseImmersiveDarkMode, &useDark, sizeof useDark);
    }
    titleBarDark_ = dark();
}

LRESULT Appearance::paintButton(const NMCUSTOMDRAW& draw, UINT dpi) const {
    // The whole button is painted before its own painting would start: a
    // themed button draws its caption in the theme's colour, whatever its
    // parent's WM_CTLCOLOR* answer says.
    if (!dark() || draw.dwDrawStage != CDDS_PREPAINT) {
        return CDRF_DODEFAULT;
    }
    const LONG_PTR kind = GetWindowLongPtrW(draw.hdr.hwndFrom, GWL_STYLE) & BS_TYPEMASK;
    const bool option = kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
    if (!option && kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON) {
        return CDRF_DODEFAULT;
    }
    // The button's own device context, handed back as it came.
    const int saved = SaveDC(draw.hdc);
    SelectObject(draw.hdc, GetStockObject(DC_PEN));
    SelectObject(draw.hdc, GetStockObject(DC_BRUSH));
    SelectObject(draw.hdc,
                 reinterpret_cast<HFONT>(SendMessageW(draw.hdr.hwndFrom, WM_GETFONT, 0, 0)));
    SetBkMode(draw.hdc, TRANSPARENT);
    SetTextColor(draw.hdc, palette_.text);
    if (option) {
        paintOptionButton(draw, dpi);
    } else {
        paintCommandButton(draw, dpi);
    }
    RestoreDC(draw.hdc, saved);
    return CDRF_SKIPDEFAULT;
}

void Appearance::paintOptionButton(const NMCUSTOMDRAW& draw, UINT dpi) const {
    HWND button = draw.hdr.hwndFrom;
    HDC dc = draw.hdc;
    const RECT& box = draw.rc;
    FillRect(dc, &box, windowBrush_);
    const LRESULT state = SendMessageW(button, BM_GETSTATE, 0, 0);

    // A glyph of its own: the visual styles' and the classic one are white
    // wells, too bright for eyes used to the dark. Its ring lightens under
    // the mouse; the dot is in the text's colour.
    const int size = Scaled(13, dpi);
    const int glyphTop = (box.top + box.bottom - size) / 2;
    const RECT glyph{box.left, glyphTop, box.left + size, glyphTop + size};
    SetDCPenColor(dc, (state & BST_HOT) != 0 ? palette_.text : palette_.edge);
    SetDCBrushColor(dc, (state & BST_PUSHED) != 0 ? palette_.buttonFace : palette_.entry);
    Ellipse(dc, glyph.left, glyph.top, glyph.right, glyph.bottom);
    if ((state & BST_CHECKED) != 0) {
        const int inset = Scaled(4, dpi);
        SetDCPenColor(dc, palette_.text);
        SetDCBrushColor(dc, palette_.text);
        Ellipse(dc, glyph.left + inset, glyph.top + inset, glyph.right - inset,
                glyph.bottom - inset);
    }

    const std::wstring text = TextOf(button);
    RECT textBox{glyph.right + Scaled(3, dpi), box.top, box.right, box.bottom};
    constexpr UINT kFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textBox, kFormat);
    if ((state & BST_FOCUS) != 0 && FocusCuesShown(button)) {
        RECT focus = textBox;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &focus, kFormat | DT_CALCRECT);
        const int height = focus.bottom - focus.top;
        focus.top = (box.top + box.bottom - height) / 2;
        focus.bottom = focus.top + height;
        InflateRect(&focus, 1, 1);
        IntersectRect(&focus, &focus, &box);
        DrawFocus(dc, focus);
    }
}

void Appearance::paintCommandButton(const NMCUSTOMDRAW& draw, UINT dpi) const {
    HWND button = draw.hdr.hwndFrom;
    HDC dc = draw.hdc;
    const LRESULT state = SendMessageW(button, BM_GETSTATE, 0, 0);
    const bool pushed = (state & BST_PUSHED) != 0;
    const bool focused = (state & BST_FOCUS) != 0;

    // The face in a frame that thickens and lightens with the focus, as a
    // classic button's black frame does.
    RECT box = draw.rc;
    SetDCBrushColor(dc, focused ? palette_.text : palette_.edge);
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    const int line = Scaled(focused ? 2 : 1, dpi);
    InflateRect(&box, -line, -line);
    SetDCBrushColor(dc, pushed                   ? palette_.pressedFace
                        : (state & BST_HOT) != 0 ? palette_.hotFace
                                                 : palette_.buttonFace);
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));

    const std::wstring text = TextOf(button);
    RECT textBox = draw.rc;
    if (pushed) {
        OffsetRect(&textBox, 1, 1);
    }
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textBox,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (focused && FocusCuesShown(button)) {
        RECT focus = draw.rc;
        InflateRect(&focus, -Scaled(4, dpi), -Scaled(4, dpi));
        DrawFocus(dc, focus);
    }
}

}  // namespace quorvel
