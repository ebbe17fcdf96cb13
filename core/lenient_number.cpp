#include "lenient_number.h"

#include "number_scan.h"

namespace quorvel {

double LeadingNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && detail::IsBlank(text[at])) {
        ++at;
    }
    const detail::NumberExtent number = detail::ScanNumber(text.substr(at), ".");
    return number.length == 0 ? 0.0 : detail::NumberValue(number);
}

}  // namespace quorvel
