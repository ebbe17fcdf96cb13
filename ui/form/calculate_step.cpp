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

std::string ErrorHeading(const RunTimeError& error) {
    return "Run-time error '" + std::to_string(error.code()) + "':";
}

std::string ErrorReportText(const RunTimeError& error) {
    return ErrorHeading(error) + "\n\n" + error.message();
}

}  // namespace quorvel
