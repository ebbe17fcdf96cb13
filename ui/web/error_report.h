#pragma once

#include "run_time_error.h"

namespace quorvel {

// The report of a failed calculation: a modal dialog in the page, titled
// "Quorvel", with the error's number and message. Its OK button, Enter or
// Escape dismisses it, and the browser returns the focus to where it was;
// nothing in the window changes. The dialog is made at the first report,
// so a start-up builds nothing.
void ShowErrorReport(const RunTimeError& error);

}  // namespace quorvel
