#pragma once

#include "fix_entries.h"

namespace quorvel {

// Signed decimal degrees of a value in degree-minute notation DD.MMddd
// (12.345 is 12 degrees 34.5 minutes). Minutes of 60 or more carry into the
// degrees (12.75 is 13.25 degrees). A nonzero hemisphere flag negates the
// result, whatever sign the value had.
double DegMinToDeg(double value, OptionState negate);

}  // namespace quorvel
