#pragma once

#include "regional_settings.h"

namespace quorvel {

// The decimal and group separators of the user's region as they stand now,
// from Windows' own settings, so a change applies at the next click.
RegionalSettings UserRegionalSettings();

}  // namespace quorvel
