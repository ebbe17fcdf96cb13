#pragma once

#include "regional_settings.h"

namespace quorvel {

// The decimal and group separators of the user's region as they stand now.
RegionalSettings UserRegionalSettings();

}  // namespace quorvel
