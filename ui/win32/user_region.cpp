#include "user_region.h"

#include <windows.h>

#include <string>

#include "wide_text.h"

namespace quorvel {
namespace {

// A separator as the user's settings give it, or the fallback when Windows
// cannot say (the call fails only for a broken locale).
std::string LocaleText(LCTYPE item, const char* fallback) {
    wchar_t buffer[16] = {};  // LOCALE_SDECIMAL and LOCALE_STHOUSAND hold at most 4
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, buffer, 16);
    if (length <= 0) {
        return fallback;
    }
    return Narrow(std::wstring_view(buffer, static_cast<std::size_t>(length - 1)));
}

}  // namespace

RegionalSettings UserRegionalSettings() {
    return {LocaleText(LOCALE_SDECIMAL, "."), LocaleText(LOCALE_STHOUSAND, ",")};
}

}  // namespace quorvel
