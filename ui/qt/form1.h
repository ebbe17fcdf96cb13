#pragma once

#include <QWidget>

#include <array>

#include "control_table.h"
#include "error_report.h"
#include "fix_entries.h"

class QPushButton;

namespace quorvel {

// The main window: the entries of two sights, course and speed, the
// "Calculate Fix" button and the box that shows the fix. It only moves values
// between its controls and the Calculate Fix command; the calculation lives in
// the core library.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    // Replaces the modal message box that reports a failed calculation.
    void setErrorReporter(ErrorReporter reporter);

    // The record the Calculate Fix command reads, from the controls as they
    // stand now.
    FixEntries entries() const;

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void chainTabOrder();
    void calculateFix();

    // Each control under its row in the control table.
    std::array<QWidget*, kForm1Controls.size()> controls_{};
    QPushButton* command1_ = nullptr;
    ErrorReporter reportError_ = ShowRunTimeError;
};

}  // namespace quorvel
