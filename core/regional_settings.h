#pragma once

#include <string>

namespace quorvel {

// The two regional settings the calculation depends on: the hours field of a
// sight time is read with them and the fix is written with them. Every other
// entry is read with "." whatever the user's region. UTF-8; a separator may be
// several bytes (U+066B, U+202F, ...). Passed explicitly so nothing here ever
// consults the process locale, and with no defaults, so no caller drops the
// user's separators without saying so.
struct RegionalSettings {
    std::string decimalSeparator;
    std::string groupSeparator;
};

}  // namespace quorvel
