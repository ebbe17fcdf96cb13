#include "user_region.h"

#include <emscripten/val.h>

#include <string>

namespace quorvel {

RegionalSettings UserRegionalSettings() {
    using emscripten::val;
    // Millions, not thousands: some locales (Spanish, Polish) group only
    // numbers of five digits or more. A locale that never groups has none.
    const val parts =
        val::global("Intl")["NumberFormat"].new_().call<val>("formatToParts", 1234567.5);
    RegionalSettings region{".", ""};
    const int count = parts["length"].as<int>();
    for (int i = 0; i < count; ++i) {
        const val part = parts[i];
        const std::string type = part["type"].as<std::string>();
        if (type == "decimal") {
            region.decimalSeparator = part["value"].as<std::string>();
        } else if (type == "group") {
            region.groupSeparator = part["value"].as<std::string>();
        }
    }
    return region;
}

}  // namespace quorvel
