#pragma once

#include <string>

#include "fix_entries.h"
#include "regional_settings.h"

namespace quorvel {

// The Calculate Fix command: converts the entries, solves the running fix
// and returns the text for the fix box, such as "144.321 W,  35.347 N".
// Throws RunTimeError for the first fault met; it has no other effect.
std::string Command1_Click(const FixEntries& entries, const RegionalSettings& region);

}  // namespace quorvel
