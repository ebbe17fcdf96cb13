#include "calculate_step.h"

#include "calculate_fix.h"

namespace quorvel {

FixOutcome CalculateFix(const FixEntries& entries, const RegionalSettings& region) {
    try {
        return {Command1_Click(entries, region), std::nullopt};
    } catch (const RunTimeError& error) {
        return {{}, error};
    }
}

void ClickCalculateFix(FrontEnd& frontEnd) {
    const FixOutcome outcome = CalculateFix(ReadEntries(frontEnd), frontEnd.regionalSettings());
    if (outcome.error) {
        frontEnd.showErrorReport(*outcome.error);
        return;
    }
    frontEnd.setFixText(outcome.fix);
}

std::string ErrorHeading(const RunTimeError& error) {
    return "Run-time error '" + std::to_string(error.code()) + "':";
}

std::string ErrorReportText(const RunTimeError& error) {
    return ErrorHeading(error) + "\n\n" + error.message();
}

}  // namespace quorvel
