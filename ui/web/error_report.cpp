#include "error_report.h"

#include <string>

#include "calculate_step.h"

// The page's side of the report (error_report.js).
extern "C" void quorvel_show_error_report(const char* title, const char* text);

namespace quorvel {

void ShowErrorReport(const RunTimeError& error) {
    quorvel_show_error_report(kErrorReportTitle, ErrorReportText(error).c_str());
}

}  // namespace quorvel
