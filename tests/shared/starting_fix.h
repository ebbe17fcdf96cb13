#pragma once

// The fix the window's starting entries give, as the navigator reads it in
// the fix box: written here once for every test that clicks on them.
namespace quorvel::testing {

inline constexpr char kStartingFix[] = "144.321 W,  35.347 N";
// The same with a decimal comma (German, French, ...).
inline constexpr char kStartingFixDecimalComma[] = "144,321 W,  35,347 N";

}  // namespace quorvel::testing
