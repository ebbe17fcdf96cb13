#include "strict_number.h"

#include "number_scan.h"
#include "run_time_error.h"

namespace quorvel {

double WholeNumber(std::string_view text, const RegionalSettings& region) {
    while (!text.empty() && detail::IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && detail::IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    const std::string_view separator =
        region.decimalSeparator.empty() ? std::string_view(".") : region.decimalSeparator;
    const detail::NumberExtent number = detail::ScanNumber(text, separator);
    // Judge the whole text before converting: "1e400x" is not a number at
    // all, which matters more than the size it would have had.
    if (number.length == 0 || number.length != text.size()) {
        throw RunTimeError(ErrorNumber::TypeMismatch);
    }
    return detail::NumberValue(number);
}

}  // namespace quorvel
