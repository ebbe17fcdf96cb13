#pragma once

#include <emscripten/val.h>

#include "run_time_error.h"

namespace quorvel {

// The report of a failed calculation: a modal dialog in the page, titled
// "Quorvel", with the error's number and message. Its OK button, Enter or
// Escape dismisses it, and the browser returns the focus to where it was;
// nothing in the window changes.
class ErrorReport {
public:
    explicit ErrorReport(const emscripten::val& document);

    void show(const RunTimeError& error);

private:
    emscripten::val dialog_;
    emscripten::val text_;
};

}  // namespace quorvel
