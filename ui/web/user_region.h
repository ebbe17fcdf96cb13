#pragma once

#include "regional_settings.h"

namespace quorvel {

// The decimal and group separators the browser writes numbers with for this
// user (its default locale, which follows the system's language), read anew
// at each call so a change applies at the next click.
RegionalSettings UserRegionalSettings();

}  // namespace quorvel
