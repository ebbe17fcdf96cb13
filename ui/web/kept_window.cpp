#include "kept_window.h"

#include <algorithm>

#include "control_table.h"

// The page's side (kept_window.js).
extern "C" {
void quorvel_keep_text(const char* id);
void quorvel_keep_choice(const char* pair, const char* button);
void quorvel_keep_window(const char* key, int limit);
void quorvel_window_changed();
}

namespace quorvel {
namespace {

// A pair is kept under its frame's name.
static_assert(std::all_of(kForm1Controls.begin(), kForm1Controls.end(), [](const ControlRow& c) {
    return c.kind != ControlKind::OptionButton || c.container != nullptr;
}));

}  // namespace

void KeepWindow() {
    // The record's fields are the window's: every text box, the fix box
    // included, and every pair of option buttons, by the table's names.
    for (const ControlRow& c : kForm1Controls) {
        if (c.kind == ControlKind::TextBox) {
            quorvel_keep_text(c.name);
        } else if (c.kind == ControlKind::OptionButton) {
            quorvel_keep_choice(c.container, c.name);
        }
    }
    quorvel_keep_window(kKeptWindowKey, kKeptWindowLimit);
}

void NoteWindowChanged() {
    quorvel_window_changed();
}

}  // namespace quorvel
