#pragma once

#include <windows.h>

#include "run_time_error.h"

namespace quorvel {

// A modal message box owned by the window, titled "Quorvel", with the
// error's number and message. It returns when the user dismisses it; the
// window and everything typed into it stay as they were.
void ShowRunTimeError(HWND window, const RunTimeError& error);

}  // namespace quorvel
