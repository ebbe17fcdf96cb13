#include "time_to_hours.h"

#include "checked_arithmetic.h"
#include "lenient_number.h"
#include "run_time_error.h"
#include "strict_number.h"

namespace quorvel {

double TimeToHours(std::string_view text, const RegionalSettings& region) {
    // The colon is ASCII, so byte positions in UTF-8 text cut only between
    // whole characters.
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        throw RunTimeError(ErrorNumber::InvalidProcedureCall);
    }
    double total = WholeNumber(text.substr(0, colon), region);

    std::string_view rest = text.substr(colon + 1);
    const std::size_t second = rest.find(':');
    if (second == std::string_view::npos) {
        return checked::Add(checked::Div(LeadingNumber(rest), 60.0), total);
    }
    total = checked::Add(checked::Div(LeadingNumber(rest.substr(0, second)), 60.0), total);
    rest = rest.substr(second + 1);
    // The seconds stop at a third colon of their own accord.
    return checked::Add(checked::Div(LeadingNumber(rest), 3600.0), total);
}

}  // namespace quorvel
