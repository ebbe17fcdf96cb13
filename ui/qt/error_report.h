#pragma once

#include <functional>

#include "run_time_error.h"

class QWidget;

namespace quorvel {

// How the window tells the user that a calculation failed. Replaceable, so
// tests can collect the reports instead of answering a modal box.
using ErrorReporter = std::function<void(QWidget* window, const RunTimeError& error)>;

// The default reporter: a modal message box titled "Quorvel" with the error's
// number and message. It returns when the user dismisses the box; the window
// and everything typed into it stay as they were.
void ShowRunTimeError(QWidget* window, const RunTimeError& error);

}  // namespace quorvel
