// Quorvel.exe as a user and an automation tool meet it: started as its own
// process, driven through window messages and keystrokes, closed by its
// close command. Run once per regional setting; the test's command line says
// which decimal separator that setting has.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app_mode.h"
#include "calculate_step.h"
#include "control_table.h"
#include "form1.h"
#include "program_path.h"
#include "run_time_error.h"
#include "starting_fix.h"
#include "wide_text.h"

namespace quorvel {
namespace {

std::wstring gProgram;
std::string gDecimalSeparator;
std::string gStartingFix;

// A fix text worked out with a decimal point, in the regional setting of
// the run (no fix here reaches 1000, so no group separator shows).
std::string InUsersSetting(std::string text) {
    std::ranges::replace(text, '.', gDecimalSeparator.front());
    return text;
}

// Waits up to ten seconds for a condition that another process brings about.
template <typename Condition>
bool Eventually(Condition condition) {
    for (int i = 0; i < 200; ++i) {
        if (condition()) {
            return true;
        }
        Sleep(50);
    }
    return condition();
}

class RunningProgram {
public:
    RunningProgram() {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + gProgram + L"\"";
        if (!CreateProcessW(gProgram.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                            nullptr, nullptr, &startup, &process_)) {
            ADD_FAILURE() << "cannot start the program: error " << GetLastError();
            return;
        }
        WaitForInputIdle(process_.hProcess, 10000);
        Eventually([this] {
            window_ = FindWindowW(Form1::kClassName, Widen(kCaption).c_str());
            DWORD owner = 0;
            GetWindowThreadProcessId(window_, &owner);
            return window_ != nullptr && owner == process_.dwProcessId && IsWindowVisible(window_);
        });
        EXPECT_NE(window_, nullptr) << "no window came up";
    }
    ~RunningProgram() {
        if (process_.hProcess == nullptr) {
            return;
        }
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    HWND window() const { return window_; }
    HANDLE process() const { return process_.hProcess; }
    HWND control(const char* name) const {
        for (std::size_t row = 0; row < kForm1Controls.size(); ++row) {
            if (std::string_view(kForm1Controls[row].name) == name) {
                return GetDlgItem(window_, Form1::kFirstControlId + static_cast<int>(row));
            }
        }
        ADD_FAILURE() << "no control " << name;
        return nullptr;
    }
    std::string text(const char* name) const {
        wchar_t buffer[256] = {};
        SendMessageW(control(name), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer));
        return Narrow(buffer);
    }
    void setText(const char* name, const std::string& text) const {
        const std::wstring wide = Widen(text);
        SendMessageW(control(name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    // Returns once the click has been handled.
    void click(const char* name) const { SendMessageW(control(name), BM_CLICK, 0, 0); }
    bool selected(const char* name) const {
        return SendMessageW(control(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    // Moves the focus as the dialog keys do.
    void focusOn(const char* name) const {
        PostMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control(name)), TRUE);
        SendMessageW(window_, WM_NULL, 0, 0);
        Sleep(50);
    }
    HWND focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(process_.dwThreadId, &info);
        return info.hwndFocus;
    }
    // A keystroke as the keyboard sends it, to the window that has the focus.
    void press(WORD key, bool shift = false) const {
        std::vector<INPUT> inputs;
        const auto add = [&](WORD k, DWORD flags) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = k;
            input.ki.dwFlags = flags;
            inputs.push_back(input);
        };
        if (shift) {
            add(VK_SHIFT, 0);
        }
        add(key, 0);
        add(key, KEYEVENTF_KEYUP);
        if (shift) {
            add(VK_SHIFT, KEYEVENTF_KEYUP);
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        // The keys are handled once the window answers a message sent after them.
        Sleep(50);
        SendMessageW(window_, WM_NULL, 0, 0);
    }

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// The message box the program shows, owned by its window.
HWND ReportBox(HWND owner) {
    std::pair<HWND, HWND> search{owner, nullptr};
    Eventually([&] {
        EnumWindows(
            [](HWND candidate, LPARAM found) -> BOOL {
                auto& [boxOwner, box] = *reinterpret_cast<std::pair<HWND, HWND>*>(found);
                wchar_t name[16] = {};
                GetClassNameW(candidate, name, 16);
                if (std::wstring_view(name) == L"#32770" &&
                    GetWindow(candidate, GW_OWNER) == boxOwner && IsWindowVisible(candidate)) {
                    box = candidate;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.second != nullptr;
    });
    return search.second;
}

TEST(Form1Window, StartingEntriesGiveTheFixInTheUsersNotation) {
    RunningProgram program;
    EXPECT_EQ(program.text("FixLL"), "");
    program.click("Command1");
    EXPECT_EQ(program.text("FixLL"), gStartingFix);
}

TEST(Form1Window, EachPairIsExclusiveAndItsButtonReadsAsPlaced) {
    RunningProgram program;
    // Selecting S clears N, and the latitudes are taken as south: a selected
    // button must reach the command as -1, never as the 1 Win32 reports.
    program.click("Option2");
    program.click("South2");
    EXPECT_FALSE(program.selected("North1"));
    EXPECT_FALSE(program.selected("North2"));
    program.click("A2_T");
    EXPECT_FALSE(program.selected("A2_A"));
    program.click("Command1");
    // Both latitudes south, both intercepts toward, worked out apart from
    // the program.
    EXPECT_EQ(program.text("FixLL"), InUsersSetting("145.420 W,  34.462 S"));
}

// The starting selections are made without the clearing a click does; in
// every pair, whichever of its buttons was made first, a click on the
// partner must still clear the starting one, and an arrow key bring it back.
TEST(Form1Window, EachStartingSelectionGivesWayToItsPartnerAndBack) {
    RunningProgram program;
    for (std::size_t row = 0; row < kForm1Controls.size(); ++row) {
        const ControlRow& start = kForm1Controls[row];
        if (start.extra != Extra::Selected) {
            continue;
        }
        const auto partner = std::ranges::find_if(kForm1Controls, [&](const ControlRow& c) {
            return c.kind == ControlKind::OptionButton && &c != &start &&
                   std::string_view(c.container) == start.container;
        });
        ASSERT_NE(partner, kForm1Controls.end()) << start.name;
        EXPECT_TRUE(program.selected(start.name));
        program.click(partner->name);
        EXPECT_TRUE(program.selected(partner->name)) << partner->name;
        EXPECT_FALSE(program.selected(start.name)) << start.name;
        program.focusOn(partner->name);
        program.press(VK_DOWN);
        EXPECT_EQ(program.focus(), program.control(start.name)) << start.name;
        EXPECT_TRUE(program.selected(start.name)) << start.name;
        EXPECT_FALSE(program.selected(partner->name)) << partner->name;
    }
}

TEST(Form1Window, AnErrorIsReportedAndLeavesTheWindowAsItWas) {
    RunningProgram program;
    program.click("Command1");
    program.setText("Zn2", "340");                              // parallel to the first line
    PostMessageW(program.control("Command1"), BM_CLICK, 0, 0);  // a sent one waits for the box

    HWND box = ReportBox(program.window());
    ASSERT_NE(box, nullptr) << "no report";
    wchar_t title[64] = {};
    GetWindowTextW(box, title, 64);
    EXPECT_EQ(Narrow(title), "Quorvel");
    std::string shown;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[256] = {};
        GetWindowTextW(child, text, 256);
        shown += Narrow(text) + "|";
    }
    EXPECT_NE(shown.find(ErrorReportText(RunTimeError(ErrorNumber::DivisionByZero))),
              std::string::npos)
        << shown;

    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(Eventually([&] { return !IsWindow(box); }));
    EXPECT_EQ(WaitForSingleObject(program.process(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(program.text("FixLL"), gStartingFix);
    EXPECT_EQ(program.text("Zn2"), "340");
}

TEST(Form1Window, TabFollowsTheTabIndexAndStopsAtTheSelectedButton) {
    RunningProgram program;
    std::vector<std::pair<int, std::string>> stops;
    for (const ControlRow& row : kForm1Controls) {
        const bool optionNotSelected =
            row.kind == ControlKind::OptionButton && row.extra != Extra::Selected;
        if (TakesFocus(row.kind) && !optionNotSelected) {
            stops.emplace_back(row.tabIndex, row.name);
        }
    }
    std::ranges::sort(stops);
    ASSERT_EQ(program.focus(), program.control(stops.front().second.c_str()));
    for (std::size_t i = 1; i < stops.size(); ++i) {
        program.press(VK_TAB);
        EXPECT_EQ(program.focus(), program.control(stops[i].second.c_str()))
            << "after " << stops[i - 1].second;
    }
    program.press(VK_TAB, true);
    EXPECT_EQ(program.focus(), program.control(stops[stops.size() - 2].second.c_str()))
        << "Shift+Tab from " << stops.back().second;
}

TEST(Form1Window, KeysChooseAndCalculateAsInADialog) {
    RunningProgram program;
    // An arrow moves the choice within a pair.
    program.focusOn("North1");
    program.press(VK_DOWN);
    EXPECT_EQ(program.focus(), program.control("Option2"));
    EXPECT_TRUE(program.selected("Option2"));
    EXPECT_FALSE(program.selected("North1"));
    program.press(VK_UP);
    EXPECT_TRUE(program.selected("North1"));

    // Enter in an entry box does nothing; on the focused button it calculates.
    program.focusOn("Zn2");
    program.press(VK_RETURN);
    EXPECT_EQ(program.text("FixLL"), "");
    program.focusOn("Command1");
    program.press(VK_RETURN);
    EXPECT_EQ(program.text("FixLL"), gStartingFix);
}

TEST(Form1Window, TakesTheUsersDecimalSeparatorAtEachClick) {
    RunningProgram program;
    wchar_t before[8] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, before, 8);
    ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L"'"));
    program.click("Command1");
    const std::string fix = program.text("FixLL");
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, before);
    std::string expected = testing::kStartingFix;
    std::ranges::replace(expected, '.', '\'');
    EXPECT_EQ(fix, expected);
}

TEST(Form1Window, NamesEachEntryBoxForScreenReaders) {
    // Screen readers name an entry box after the static text just before it.
    RunningProgram program;
    for (const ControlRow& row : kForm1Controls) {
        if (row.kind != ControlKind::TextBox) {
            continue;
        }
        HWND label = GetWindow(program.control(row.name), GW_HWNDPREV);
        wchar_t kind[16] = {};
        wchar_t text[64] = {};
        GetClassNameW(label, kind, 16);
        GetWindowTextW(label, text, 64);
        EXPECT_EQ(Narrow(kind), "Static") << row.name;
        EXPECT_EQ(Narrow(text), row.accessibleName) << row.name;
        EXPECT_FALSE(IsWindowVisible(label)) << row.name;
    }
}

TEST(Form1Window, ClosingEndsTheProgramWithExitCodeZero) {
    RunningProgram program;
    program.click("Command1");
    PostMessageW(program.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_EQ(WaitForSingleObject(program.process(), 10000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(program.process(), &code);
    EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace quorvel

// Usage: form1_window_test <Quorvel.exe> <decimal separator: . or ,> [dark]
// With "dark", Windows' app mode is dark for the run, and light again after.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 3 || argc > 4 || (std::string(argv[2]) != "." && std::string(argv[2]) != ",") ||
        (argc == 4 && std::string(argv[3]) != "dark")) {
        return 2;
    }
    quorvel::testing::AppMode mode;
    if (argc == 4) {
        mode.set(0);
    }
    quorvel::gProgram = quorvel::testing::ProgramPath(argv[1]);
    quorvel::gDecimalSeparator = argv[2];
    quorvel::gStartingFix = quorvel::gDecimalSeparator == "."
                                ? quorvel::testing::kStartingFix
                                : quorvel::testing::kStartingFixDecimalComma;
    return RUN_ALL_TESTS();
}
