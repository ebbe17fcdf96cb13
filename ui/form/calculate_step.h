#pragma once

#include <optional>
#include <string>

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

// The report of a failed calculation, in the words navigators know: a box
// titled with the product's name, "Run-time error '13':", a blank line and
// the message.
inline constexpr const char* kErrorReportTitle = kProductName;
std::string ErrorHeading(const RunTimeError& error);
std::string ErrorReportText(const RunTimeError& error);

}  // namespace quorvel
