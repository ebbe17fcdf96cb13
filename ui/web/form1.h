#pragma once

#include <cstddef>
#include <string>

#include "calculate_step.h"

namespace quorvel {

// The main window in the page: standard form elements (text inputs, radio
// buttons, a button) that the page's HTML already holds, written from the
// control table at build time, so screen readers, browser zoom and
// automation know them. It only moves values between those elements and the
// shared click.
class Form1 final : public FrontEnd {
public:
    // Attaches to the window in the document and gives it back as it was
    // left (kept_window.h): whatever has been typed or chosen there before
    // the program started stays and is what the click reads. The page has
    // one window: the click reaches this one.
    Form1();
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    std::string text(std::size_t control) const override;
    bool isSelected(std::size_t control) const override;
    RegionalSettings regionalSettings() const override;
    void setFixText(const std::string& fix) override;
    void showErrorReport(const RunTimeError& error) override;
};

}  // namespace quorvel
