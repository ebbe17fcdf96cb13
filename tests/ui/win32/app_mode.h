#pragma once

#include <windows.h>

#include <optional>

namespace quorvel::testing {

// Windows' app mode, "Choose your mode", in the test prefix's registry, put
// back as it was when the test is done. 0 dark, 1 light, nothing for no
// choice recorded (a new account).
class AppMode {
public:
    AppMode() {
        DWORD light = 0;
        DWORD size = sizeof light;
        if (RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_DWORD, nullptr, &light,
                         &size) == ERROR_SUCCESS) {
            saved_ = light;
        }
    }
    ~AppMode() { set(saved_); }
    AppMode(const AppMode&) = delete;
    AppMode& operator=(const AppMode&) = delete;

    static void set(std::optional<DWORD> light) {
        if (light) {
            RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &*light, sizeof *light);
        } else {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, kValue);
        }
    }
    // What Windows tells every window after a change of the mode.
    static void announce() {
        SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                            reinterpret_cast<LPARAM>(L"ImmersiveColorSet"), SMTO_ABORTIFHUNG, 5000,
                            nullptr);
    }

private:
    static constexpr wchar_t kKey[] =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
    static constexpr wchar_t kValue[] = L"AppsUseLightTheme";
    std::optional<DWORD> saved_;
};

}  // namespace quorvel::testing
