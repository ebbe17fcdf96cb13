#include "error_report.h"

#include "calculate_step.h"
#include "wide_text.h"

namespace quorvel {

void ShowRunTimeError(HWND window, const RunTimeError& error) {
    MessageBoxW(window, Widen(ErrorReportText(error)).c_str(), Widen(kErrorReportTitle).c_str(),
                MB_OK | MB_ICONERROR);
}

}  // namespace quorvel
