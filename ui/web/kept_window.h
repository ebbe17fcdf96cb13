#pragma once

namespace quorvel {

// The page's window kept on the device, in the page's own storage, because
// a phone ends a page in the background whenever it likes, hours into the
// run between two sights: every text box's text and each pair's choice, as
// one record under one key, written at every change and when the page is
// hidden. Attaching gives the window back whole from that record, or the
// starting window when there is none that fits this window; what was typed
// before the program came is kept instead. With storage refused, nothing is
// kept and nothing is said.
void KeepWindow();

// After the program itself has changed the window (the fix written), which
// the page's input events do not tell.
void NoteWindowChanged();

// The key of the record in the page's localStorage.
inline constexpr const char* kKeptWindowKey = "quorvel-window";
// Nothing longer is kept or read, in characters of the record's JSON: a
// window whose texts run past it keeps its last record that fitted.
inline constexpr int kKeptWindowLimit = 65536;

}  // namespace quorvel
