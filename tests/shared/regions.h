#pragma once

#include "regional_settings.h"

namespace quorvel::testing {

// The regional settings the tests write fixes in: an English (United States)
// user's decimal point, and a German user's decimal comma.
inline const RegionalSettings kDecimalPoint{".", ","};
inline const RegionalSettings kDecimalComma{",", "."};

}  // namespace quorvel::testing
