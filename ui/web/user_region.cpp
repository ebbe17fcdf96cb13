#include "user_region.h"

#include <string>

#include "page_string.h"

// The page's side (user_region.js): the separator of that type ("decimal" or
// "group") in the browser's numbers, "" where there is none.
extern "C" int quorvel_number_separator(const char* type, char* out, int capacity);

namespace quorvel {
namespace {

std::string Separator(const char* type) {
    return PageString(
        [type](char* out, int capacity) { return quorvel_number_separator(type, out, capacity); });
}

}  // namespace

RegionalSettings UserRegionalSettings() {
    RegionalSettings region{Separator("decimal"), Separator("group")};
    // Every locale writes a decimal separator; the point if the browser
    // gives none.
    if (region.decimalSeparator.empty()) {
        region.decimalSeparator = ".";
    }
    return region;
}

}  // namespace quorvel
