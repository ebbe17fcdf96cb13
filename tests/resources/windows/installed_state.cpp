// Reports, one line each, what of an installed Quorvel this Windows has: the
// install folder and the files in it, the Start-menu shortcut, the uninstall
// entries and the installer's registry key. Nothing installed, no line. With
// --start it also starts the installed program and reports its window; with
// --products CODE it lists the installed products of that upgrade code.
// installer_test.py compares the report with what each step must leave.

#include <windows.h>

#include <msi.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "control_table.h"
#include "form1.h"
#include "quorvel_version.h"
#include "wide_text.h"

namespace quorvel {
namespace {

std::filesystem::path KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::filesystem::path result;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) {
        result = path;
    }
    CoTaskMemFree(path);
    return result;
}

void Report(const std::wstring& line) {
    std::printf("%s\n", Narrow(line).c_str());
}

std::wstring StringValue(HKEY key, const wchar_t* name) {
    wchar_t value[512] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
        return L"-";
    }
    return value;
}

std::wstring NumberValue(HKEY key, const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(key, nullptr, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS) {
        return L"-";
    }
    return std::to_wstring(value);
}

// Installed apps shows the icon Windows Installer registered for the product
// (ARPPRODUCTICON), not a value of the uninstall entry.
bool HasProductIcon(const wchar_t* productCode) {
    wchar_t icon[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    return MsiGetProductInfoW(productCode, INSTALLPROPERTY_PRODUCTICON, icon, &length) ==
               ERROR_SUCCESS &&
           std::filesystem::exists(icon);
}

// Each entry under Installed apps with the program's name, in either hive:
// Wine writes a per-user package's entry under HKLM.
void ReportUninstallEntries(const std::wstring& product) {
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        HKEY list = nullptr;
        if (RegOpenKeyExW(hive, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                          KEY_READ | KEY_WOW64_64KEY, &list) != ERROR_SUCCESS) {
            continue;
        }
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = 256;
            if (RegEnumKeyExW(list, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS) {
                break;
            }
            HKEY entry = nullptr;
            if (RegOpenKeyExW(list, name, 0, KEY_READ, &entry) != ERROR_SUCCESS) {
                continue;
            }
            if (StringValue(entry, L"DisplayName") == product) {
                const bool icon = HasProductIcon(name);
                Report(L"entry " + StringValue(entry, L"DisplayVersion") + L" publisher=" +
                       StringValue(entry, L"Publisher") + L" nomodify=" +
                       NumberValue(entry, L"NoModify") + (icon ? L" icon" : L" no-icon"));
            }
            RegCloseKey(entry);
        }
        RegCloseKey(list);
    }
}

// The shortcut, and whether it starts the installed program with its icon.
void ReportShortcut(const std::filesystem::path& link, const std::filesystem::path& program) {
    if (!std::filesystem::exists(link)) {
        return;
    }
    IShellLinkW* shortcut = nullptr;
    IPersistFile* file = nullptr;
    wchar_t target[MAX_PATH] = {};
    wchar_t icon[MAX_PATH] = {};
    int index = 0;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&shortcut))) &&
        SUCCEEDED(shortcut->QueryInterface(IID_PPV_ARGS(&file))) &&
        SUCCEEDED(file->Load(link.c_str(), STGM_READ))) {
        shortcut->GetPath(target, MAX_PATH, nullptr, 0);
        shortcut->GetIconLocation(icon, MAX_PATH, &index);
    }
    if (file != nullptr) {
        file->Release();
    }
    if (shortcut != nullptr) {
        shortcut->Release();
    }
    const bool toProgram = _wcsicmp(target, program.c_str()) == 0;
    Report(L"shortcut " + link.filename().wstring() +
           (toProgram ? L" to the program" : L" to " + std::wstring(target)) +
           (icon[0] != L'\0' ? L" with an icon" : L" without an icon"));
}

// Starts the installed program, waits for its window, then closes it.
void ReportWindow(const std::filesystem::path& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        Report(L"window: the program did not start");
        return;
    }
    WaitForInputIdle(process.hProcess, 10000);
    HWND window = nullptr;
    // Up to 30 s: a first start under Wine on a busy machine can take several.
    for (int i = 0; i < 600 && window == nullptr; ++i) {
        HWND found = FindWindowW(Form1::kClassName, Widen(kCaption).c_str());
        DWORD owner = 0;
        GetWindowThreadProcessId(found, &owner);
        if (found != nullptr && owner == process.dwProcessId && IsWindowVisible(found)) {
            window = found;
        } else {
            Sleep(50);
        }
    }
    if (window == nullptr) {
        Report(L"window: none came up");
        TerminateProcess(process.hProcess, 1);
    } else {
        Report(L"window shown");
        PostMessageW(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
            Report(L"window: the program did not close");
            TerminateProcess(process.hProcess, 1);
        }
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace
}  // namespace quorvel

int main(int argc, char** argv) {
    using namespace quorvel;
    // --products CODE: the product code of each installed product with that
    // upgrade code, whichever installer put it there.
    if (argc > 2 && std::string_view(argv[1]) == "--products") {
        wchar_t product[39] = {};
        const std::wstring upgradeCode = Widen(argv[2]);
        for (DWORD i = 0;
             MsiEnumRelatedProductsW(upgradeCode.c_str(), 0, i, product) == ERROR_SUCCESS; ++i) {
            Report(product);
        }
        return 0;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring product = Widen(kProductName);
    const std::filesystem::path folder = KnownFolder(FOLDERID_LocalAppData) / L"Programs" / product;
    const std::filesystem::path program = folder / (product + L".exe");
    if (std::filesystem::exists(folder)) {
        Report(L"folder Programs\\" + product);
        for (const auto& file : std::filesystem::directory_iterator(folder)) {
            Report(L"file " + file.path().filename().wstring());
        }
    }
    ReportShortcut(KnownFolder(FOLDERID_Programs) / (product + L".lnk"), program);
    ReportUninstallEntries(product);
    const std::wstring key = L"Software\\" + Widen(kCompanyName) + L"\\" + product;
    HKEY installed = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &installed) == ERROR_SUCCESS) {
        Report(L"key HKCU\\" + key);
        RegCloseKey(installed);
    }
    if (argc > 1 && std::string_view(argv[1]) == "--start" && std::filesystem::exists(program)) {
        ReportWindow(program);
    }
    CoUninitialize();
    return 0;
}
