#include "form1.h"

#include <string>

#include "control_table.h"
#include "error_report.h"
#include "kept_window.h"
#include "page_string.h"
#include "user_region.h"

// The page's side of the window (form1.js).
extern "C" {
void quorvel_listen_for_click(const char* id, void (*handler)());
int quorvel_control_value(const char* id, char* out, int capacity);
bool quorvel_control_checked(const char* id);
void quorvel_show_fix(const char* id, const char* fix);
}

namespace quorvel {
namespace {

// The page's one window, which Command1's listener reaches.
Form1* theWindow = nullptr;

void OnCalculateFix() {
    if (theWindow != nullptr) {
        ClickCalculateFix(*theWindow);
    }
}

}  // namespace

Form1::Form1() {
    theWindow = this;
    // The window as it was left, before the click works on it.
    KeepWindow();
    quorvel_listen_for_click(kForm1Controls[ControlIndex("Command1")].name, &OnCalculateFix);
}

Form1::~Form1() {
    theWindow = nullptr;
}

std::string Form1::text(std::size_t control) const {
    return PageString([control](char* out, int capacity) {
        return quorvel_control_value(kForm1Controls[control].name, out, capacity);
    });
}

bool Form1::isSelected(std::size_t control) const {
    return quorvel_control_checked(kForm1Controls[control].name);
}

RegionalSettings Form1::regionalSettings() const {
    return UserRegionalSettings();
}

void Form1::setFixText(const std::string& fix) {
    quorvel_show_fix(kForm1Controls[ControlIndex("FixLL")].name, fix.c_str());
    NoteWindowChanged();
}

void Form1::showErrorReport(const RunTimeError& error) {
    ShowErrorReport(error);
}

}  // namespace quorvel
