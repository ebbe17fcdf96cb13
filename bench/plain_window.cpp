// What Quorvel.exe's start-up is measured against (wine_startup.sh): a plain
// Win32 window with the same standard controls, made from the same control
// table the simple way, each created at its place with its font and nothing
// more. No icon, no names for screen readers, no starting selections.

#include <windows.h>

#include "control_table.h"

namespace {

using quorvel::ControlKind;
using quorvel::kForm1Controls;

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

const wchar_t* ClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return L"STATIC";
        case ControlKind::TextBox:
            return L"EDIT";
        case ControlKind::BorderedFrame:
        case ControlKind::OptionButton:
        case ControlKind::CommandButton:
            return L"BUTTON";
        case ControlKind::Frame:
            break;
    }
    return nullptr;
}

DWORD StyleOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextBox:
            return ES_AUTOHSCROLL | WS_TABSTOP;
        case ControlKind::BorderedFrame:
            return BS_GROUPBOX;
        case ControlKind::OptionButton:
            return BS_AUTORADIOBUTTON;
        case ControlKind::CommandButton:
            return BS_PUSHBUTTON | WS_TABSTOP;
        default:
            return 0;
    }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"PlainWindow";
    RegisterClassW(&windowClass);

    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const auto px = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };

    RECT frame{0, 0, px(quorvel::kClientWidthTwips), px(quorvel::kClientHeightTwips)};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Plain window", kWindowStyle,
                                  CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);

    const int height = -MulDiv(825, dpi, 7200);  // 8.25 points
    HFONT bold = CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                             0, 0, L"MS Sans Serif");
    HFONT normal = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0,
                               0, 0, 0, L"MS Sans Serif");

    for (std::size_t row = 0; row < kForm1Controls.size(); ++row) {
        const quorvel::ControlRow& c = kForm1Controls[row];
        const wchar_t* className = ClassOf(c.kind);
        if (className == nullptr) {
            continue;  // a borderless frame: nothing to see
        }
        int left = c.left;
        int top = c.top;
        if (const auto container = quorvel::ContainerRow(row)) {
            left += kForm1Controls[*container].left;
            top += kForm1Controls[*container].top;
        }
        wchar_t text[64] = {};
        MultiByteToWideChar(CP_UTF8, 0, c.text, -1, text, 64);
        HWND control =
            CreateWindowExW(c.kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0, className, text,
                            WS_CHILD | WS_VISIBLE | StyleOf(c.kind), px(left), px(top),
                            px(left + c.width) - px(left), px(top + c.height) - px(top), window,
                            nullptr, instance, nullptr);
        SendMessageW(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(c.weight == quorvel::Weight::Bold ? bold : normal),
                     FALSE);
    }

    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    DeleteObject(bold);
    DeleteObject(normal);
    return static_cast<int>(message.wParam);
}
