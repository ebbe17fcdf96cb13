#include "user_region.h"

#include <QLocale>

namespace quorvel {

RegionalSettings UserRegionalSettings() {
    // The default locale, which is the user's unless the program sets another.
    const QLocale locale;
    return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

}  // namespace quorvel
