#pragma once

#include <optional>
#include <string>

#include "entry_binding.h"
#include "fix_entries.h"
#include "quorvel_version.h"
#include "regional_settings.h"
#include "run_time_error.h"

namespace quorvel {

// What one click on "Calculate Fix" comes to: the text for the fix box, or
// the run-time error that ended the calculation, in which case the fix box
// keeps what it showed.
struct FixOutcome {
    std::string fix;
    std::optional<RunTimeError> error;
};

// The click itself, for every front-end: none of them catches an error of
// its own.
FixOutcome CalculateFix(const FixEntries& entries, const RegionalSettings& region);

// What the click needs of a front-end besides reading its controls: only
// what differs from one toolkit to the next.
class FrontEnd : public ControlReader {
public:
    // The user's decimal and group separators as they stand at this click,
    // so a change of region applies without a restart.
    virtual RegionalSettings regionalSettings() const = 0;
    // Replaces the whole text of the fix box.
    virtual void setFixText(const std::string& fix) = 0;
    // Modal: returns once the user has dismissed the report.
    virtual void showErrorReport(const RunTimeError& error) = 0;

protected:
    ~FrontEnd() = default;
};

// The click on "Calculate Fix": reads the controls, runs the calculation,
// then sets the fix box or shows the report. A failed calculation touches no
// control, so every entry and the last fix are still there afterwards.
void ClickCalculateFix(FrontEnd& frontEnd);

// The report of a failed calculation, in the words navigators know: a box
// titled with the product's name, "Run-time error '13':", a blank line and
// the message.
inline constexpr const char* kErrorReportTitle = kProductName;
std::string ErrorHeading(const RunTimeError& error);
std::string ErrorReportText(const RunTimeError& error);

}  // namespace quorvel
