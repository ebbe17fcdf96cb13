#include "form1.h"

#include <algorithm>
#include <string>
#include <vector>

#include "calculate_step.h"
#include "entry_binding.h"
#include "error_report.h"
#include "quorvel_version.h"
#include "user_region.h"
#include "wide_text.h"

namespace quorvel {
namespace {

constexpr int kTwipsPerInch = 1440;
// A fixed size: nothing in the window follows a resize. No WS_CLIPCHILDREN:
// the group boxes draw only their border and rely on the window painting the
// face beneath them.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kIconResource = 1;

int ToPixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

// The screen-scaling calls of Windows 10; looked up, not imported, so the
// program still starts on an older Windows and keeps 96 dpi there.
template <typename Function>
Function* User32Function(const char* name) {
    const FARPROC address = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    // Through a generic function type, the sanctioned way to change a
    // function pointer's type.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(address));
}

// A window's dots per inch; with no window yet, those of the screen a new
// window opens on.
UINT DpiOf(HWND window) {
    static auto* const getDpiForWindow = User32Function<UINT WINAPI(HWND)>("GetDpiForWindow");
    if (window != nullptr && getDpiForWindow != nullptr) {
        return getDpiForWindow(window);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

// The window's outer size for the designed client area at a dpi.
SIZE WindowSize(UINT dpi) {
    static auto* const adjustForDpi =
        User32Function<BOOL WINAPI(LPRECT, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, ToPixels(kClientWidthTwips, dpi), ToPixels(kClientHeightTwips, dpi)};
    if (adjustForDpi != nullptr) {
        adjustForDpi(&rect, kWindowStyle, FALSE, 0, dpi);
    } else {
        AdjustWindowRectEx(&rect, kWindowStyle, FALSE, 0);
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
}

bool FontInstalled(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    HDC screen = GetDC(nullptr);
    bool found = false;
    EnumFontFamiliesExW(
        screen, &wanted,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM seen) -> int {
            *reinterpret_cast<bool*>(seen) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// "MS Sans Serif" is a bitmap face drawn for 96 dpi: there it is the very
// face the window was designed with. On a denser screen its bitmaps stop
// short of the size the layout needs, so "Microsoft Sans Serif", its TrueType
// successor with the same metrics, takes over where it is installed, as on
// every Windows. Without it the bitmaps stay: a size smaller, but never a
// wider face that would cut the captions off.
HFONT MakeFont(UINT dpi, Weight weight) {
    // Looked for off 96 dpi only: a start-up at 96 dpi lists no fonts.
    const auto haveSuccessor = [] {
        static const bool installed = FontInstalled(L"Microsoft Sans Serif");
        return installed;
    };
    const wchar_t* face = dpi != USER_DEFAULT_SCREEN_DPI && haveSuccessor()
                              ? L"Microsoft Sans Serif"
                              : L"MS Sans Serif";
    // 8.25 points, the window's size.
    const int height = -MulDiv(825, static_cast<int>(dpi), 72 * 100);
    return CreateFontW(height, 0, 0, 0, weight == Weight::Bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                       FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

// A control's box on the window in twips: a control in a frame is placed
// from the frame's corner and cut off at the frame's edge, as the wider N
// and E buttons are.
RECT TwipsBox(std::size_t row) {
    const ControlRow& c = kForm1Controls[row];
    RECT box{c.left, c.top, c.left + c.width, c.top + c.height};
    if (const auto frame = ContainerRow(row)) {
        const ControlRow& f = kForm1Controls[*frame];
        OffsetRect(&box, f.left, f.top);
        const RECT frameBox{f.left, f.top, f.left + f.width, f.top + f.height};
        IntersectRect(&box, &box, &frameBox);
    }
    return box;
}

// The same box in pixels at a dpi, each edge from its own twips, so rounding
// never drifts the grid.
RECT PixelBox(std::size_t row, UINT dpi) {
    const RECT box = TwipsBox(row);
    return {ToPixels(box.left, dpi), ToPixels(box.top, dpi), ToPixels(box.right, dpi),
            ToPixels(box.bottom, dpi)};
}

struct WindowClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

// The standard control for each kind; WS_GROUP starts a new group for the
// dialog keys, so only the two buttons of a pair share one.
WindowClass ClassFor(const ControlRow& row) {
    switch (row.kind) {
        case ControlKind::Label:
            return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX | WS_GROUP, 0};
        case ControlKind::TextBox:
            return {L"EDIT",
                    static_cast<DWORD>(ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP |
                                       (row.extra == Extra::Output ? ES_READONLY : 0)),
                    WS_EX_CLIENTEDGE};
        case ControlKind::BorderedFrame:
            return {L"BUTTON", BS_GROUPBOX | WS_GROUP, 0};
        case ControlKind::OptionButton:
            return {L"BUTTON", BS_AUTORADIOBUTTON, 0};
        case ControlKind::CommandButton:
            // Not the default button: Enter in an entry box must not run the
            // command halfway through typing.
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0};
        case ControlKind::Frame:
            break;
    }
    return {nullptr, 0, 0};
}

// The window as the shared click sees it.
class WindowFrontEnd final : public FrontEnd {
public:
    explicit WindowFrontEnd(const Form1& form) : form_(form) {}

    std::string text(std::size_t control) const override {
        HWND box = form_.control(control);
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
        return Narrow(text);
    }
    bool isSelected(std::size_t control) const override {
        return SendMessageW(form_.control(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    RegionalSettings regionalSettings() const override { return UserRegionalSettings(); }
    void setFixText(const std::string& fix) override {
        SetWindowTextW(form_.control(ControlIndex("FixLL")), Widen(fix).c_str());
    }
    void showErrorReport(const RunTimeError& error) override {
        ShowRunTimeError(form_.window(), error);
    }

private:
    const Form1& form_;
};

}  // namespace

Form1::Form1(HINSTANCE instance) {
    // Shared icons belong to the system, so a second window (the tests make
    // several) loads no new ones.
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Form1::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(LoadImageW(
        instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
        GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR | LR_SHARED));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(
        instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
        GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR | LR_SHARED));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);

    // Made at its size for the screen it is expected on, and each control at
    // its place with its font: moving and restyling them afterwards costs
    // Wine a round trip to its server for each.
    const std::wstring caption = Widen(kCaption);
    const UINT expectedDpi = DpiOf(nullptr);
    const SIZE size = WindowSize(expectedDpi);
    window_ = CreateWindowExW(0, kClassName, caption.c_str(), kWindowStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance, this);
    if (window_ == nullptr) {
        return;
    }
    // The title bar takes its colours before the window is first shown.
    appearance_.follow(SystemScheme());
    appearance_.applyToTitleBar(window_);
    const UINT dpi = DpiOf(window_);
    if (dpi != expectedDpi) {
        const SIZE resized = WindowSize(dpi);
        SetWindowPos(window_, nullptr, 0, 0, resized.cx, resized.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    boldFont_ = MakeFont(dpi, Weight::Bold);
    normalFont_ = MakeFont(dpi, Weight::Normal);
    createControls(instance, dpi);
    focusOnDeactivate_ = controls_[ControlIndex("Time1")];
}

Form1::~Form1() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
    DeleteObject(boldFont_);
    DeleteObject(normalFont_);
}

void Form1::createControls(HINSTANCE instance, UINT dpi) {
    // Created in the order of the tab index: the dialog keys follow the
    // order of creation, and each pair's two buttons come out side by side.
    std::vector<std::size_t> rows(kForm1Controls.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i] = i;
    }
    std::ranges::stable_sort(rows, {}, [](std::size_t i) { return kForm1Controls[i].tabIndex; });

    std::vector<std::size_t> pairsStarted;
    for (const std::size_t row : rows) {
        const ControlRow& c = kForm1Controls[row];
        WindowClass windowClass = ClassFor(c);
        if (windowClass.name == nullptr) {
            continue;
        }
        const bool selected = c.extra == Extra::Selected;
        if (c.kind == ControlKind::OptionButton) {
            const std::size_t pair = ContainerRow(row).value_or(row);
            if (std::ranges::find(pairsStarted, pair) == pairsStarted.end()) {
                windowClass.style |= WS_GROUP;
                pairsStarted.push_back(pair);
            }
            // Checking an automatic radio button clears the rest of its
            // group, which Wine finds by walking every sibling one server
            // round trip at a time. Its partner is not checked yet, so the
            // selected button is checked as a plain radio button and made
            // automatic afterwards. Tab stops at the selected one only.
            if (selected) {
                windowClass.style = (windowClass.style & ~static_cast<DWORD>(BS_TYPEMASK)) |
                                    BS_RADIOBUTTON | WS_TABSTOP;
            }
        }
        if (c.kind == ControlKind::TextBox && c.accessibleName != nullptr) {
            // A screen reader names an entry box after the static text just
            // before it; the headings are shared by two rows, so each box
            // gets an invisible label of its own ("Sight 1 time"). Each costs
            // a window; the only other way to name a box, Dynamic
            // Annotation, would start COM and oleacc at every start-up.
            CreateWindowExW(0, L"STATIC", Widen(c.accessibleName).c_str(),
                            WS_CHILD | SS_LEFT | SS_NOPREFIX | WS_GROUP, 0, 0, 0, 0, window_,
                            nullptr, instance, nullptr);
        }
        const std::wstring text = Widen(c.text);
        const RECT box = PixelBox(row, dpi);
        HWND control = CreateWindowExW(
            windowClass.exStyle, windowClass.name, text.c_str(),
            WS_CHILD | WS_VISIBLE | windowClass.style, box.left, box.top, box.right - box.left,
            box.bottom - box.top, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(row))),
            instance, nullptr);
        controls_[row] = control;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(row)), FALSE);
        if (c.kind == ControlKind::TextBox) {
            SendMessageW(control, EM_SETLIMITTEXT, 0, 0);  // no length limit
        }
        if (selected) {
            SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
            SendMessageW(control, BM_SETSTYLE, BS_AUTORADIOBUTTON, FALSE);
        }
    }
}

HFONT Form1::fontFor(std::size_t row) const {
    return kForm1Controls[row].weight == Weight::Bold ? boldFont_ : normalFont_;
}

void Form1::layOut(UINT dpi) {
    HFONT oldBold = boldFont_;
    HFONT oldNormal = normalFont_;
    boldFont_ = MakeFont(dpi, Weight::Bold);
    normalFont_ = MakeFont(dpi, Weight::Normal);
    for (std::size_t row = 0; row < controls_.size(); ++row) {
        if (controls_[row] == nullptr) {
            continue;
        }
        const RECT box = PixelBox(row, dpi);
        SetWindowPos(controls_[row], nullptr, box.left, box.top, box.right - box.left,
                     box.bottom - box.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(controls_[row], WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(row)), TRUE);
    }
    DeleteObject(oldBold);
    DeleteObject(oldNormal);

    const SIZE size = WindowSize(dpi);
    SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetFocus(focusOnDeactivate_);
}

FixEntries Form1::entries() const {
    return ReadEntries(WindowFrontEnd(*this));
}

void Form1::calculateFix() {
    WindowFrontEnd frontEnd(*this);
    ClickCalculateFix(frontEnd);
}

// Tab stops at the selected button of a pair only, as in a dialog, so Tab
// never lands on a choice the navigator did not make.
void Form1::keepSelectedAsTabStop(std::size_t row) {
    const auto pair = ContainerRow(row);
    for (std::size_t other = 0; other < controls_.size(); ++other) {
        if (kForm1Controls[other].kind != ControlKind::OptionButton ||
            ContainerRow(other) != pair) {
            continue;
        }
        HWND button = controls_[other];
        const bool selected = SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
        const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
        SetWindowLongPtrW(button, GWL_STYLE, selected ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
}

void Form1::onCommand(int id, int code) {
    if (id == IDOK) {
        // Enter: the dialog keys send IDOK unless the focus is on a button of
        // the default kind; a focused "Calculate Fix" answers it, as Space.
        if (GetFocus() == controls_[ControlIndex("Command1")]) {
            calculateFix();
        }
        return;
    }
    const int row = id - kFirstControlId;
    if (row < 0 || row >= static_cast<int>(controls_.size()) || code != BN_CLICKED) {
        return;
    }
    const auto index = static_cast<std::size_t>(row);
    if (index == ControlIndex("Command1")) {
        calculateFix();
    } else if (kForm1Controls[index].kind == ControlKind::OptionButton) {
        keepSelectedAsTabStop(index);
    }
}

// Null for the controls' own colours.
LRESULT Form1::controlColours(UINT message, HDC dc, HWND control) {
    const bool fix = control == controls_[ControlIndex("FixLL")];
    if (!appearance_.dark()) {
        // The fix box is read-only on the button face: part of the window,
        // not an entry.
        if (fix && message == WM_CTLCOLORSTATIC) {
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        return 0;
    }
    const Palette& colours = appearance_.palette();
    HBRUSH brush = appearance_.windowBrush();
    COLORREF background = colours.window;
    if (fix) {
        brush = appearance_.faceBrush();
        background = colours.buttonFace;
    } else if (message == WM_CTLCOLOREDIT) {
        brush = appearance_.entryBrush();
        background = colours.entry;
    }
    SetTextColor(dc, colours.text);
    SetBkColor(dc, background);
    return reinterpret_cast<LRESULT>(brush);
}

// Entries, selections and the fix stay as they are; only the colours change,
// painted at once.
void Form1::followSystemColours() {
    if (!appearance_.follow(SystemScheme())) {
        return;
    }
    appearance_.applyToTitleBar(window_);
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

LRESULT CALLBACK Form1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // The last message the window gets: the form no longer has one.
        form->window_ = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return form->handle(message, wParam, lParam);
}

LRESULT Form1::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETICON:
            // The class's icons, for the task bar, the switcher and anyone
            // who asks, the answer WM_SETICON would give: setting them makes
            // Wine convert both images again for its X window.
            return static_cast<LRESULT>(
                GetClassLongPtrW(window_, wParam == ICON_BIG ? GCLP_HICON : GCLP_HICONSM));
        case WM_COMMAND:
            onCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NEXTDLGCTL: {
            // The dialog keys ask the window to move the focus, as a dialog
            // box would: to the given control, or the next or previous stop.
            HWND next = LOWORD(lParam) != 0
                            ? reinterpret_cast<HWND>(wParam)
                            : GetNextDlgTabItem(window_, GetFocus(), wParam != 0 ? TRUE : FALSE);
            if (next == nullptr) {
                return 0;
            }
            SetFocus(next);
            const LRESULT code = SendMessageW(next, WM_GETDLGCODE, 0, 0);
            if ((code & DLGC_HASSETSEL) != 0) {
                SendMessageW(next, EM_SETSEL, 0, -1);
            }
            if ((code & DLGC_RADIOBUTTON) != 0 &&
                SendMessageW(next, BM_GETCHECK, 0, 0) != BST_CHECKED) {
                SendMessageW(next, BM_CLICK, 0, 0);  // arrows choose as they move
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            if (const LRESULT brush = controlColours(message, reinterpret_cast<HDC>(wParam),
                                                     reinterpret_cast<HWND>(lParam))) {
                return brush;
            }
            break;
        case WM_ERASEBKGND:
            if (appearance_.dark()) {
                RECT client{};
                GetClientRect(window_, &client);
                FillRect(reinterpret_cast<HDC>(wParam), &client, appearance_.windowBrush());
                return 1;
            }
            break;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
                return appearance_.paintButton(*reinterpret_cast<const NMCUSTOMDRAW*>(lParam),
                                               DpiOf(window_));
            }
            break;
        }
        case WM_SETTINGCHANGE:
            // A change of the apps' mode comes as "ImmersiveColorSet"; High
            // Contrast turned on or off as its own parameter.
            if (wParam == SPI_SETHIGHCONTRAST ||
                (lParam != 0 &&
                 lstrcmpW(reinterpret_cast<const wchar_t*>(lParam), L"ImmersiveColorSet") == 0)) {
                followSystemColours();
            }
            break;
        case WM_ACTIVATE:
            // Back from another window or the error report, the focus returns
            // to the control that had it.
            if (LOWORD(wParam) == WA_INACTIVE) {
                if (HWND focus = GetFocus(); focus != nullptr && IsChild(window_, focus)) {
                    focusOnDeactivate_ = focus;
                }
            } else if (focusOnDeactivate_ != nullptr) {
                SetFocus(focusOnDeactivate_);
            }
            return 0;
        case WM_DPICHANGED: {
            layOut(HIWORD(wParam));
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

int RunMessageLoop(const Form1& form) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form.window() == nullptr || !IsDialogMessageW(form.window(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

}  // namespace quorvel
