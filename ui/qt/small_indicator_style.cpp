#include "small_indicator_style.h"

#include <QApplication>
#include <QStyleFactory>

#include <algorithm>

namespace quorvel {

// QProxyStyle takes ownership of its base, so the shared application style
// cannot be handed over: a new instance of it is made instead.
SmallIndicatorStyle::SmallIndicatorStyle()
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

int SmallIndicatorStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                     const QWidget* widget) const {
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
            return std::min(base, kIndicatorSize);
        case PM_RadioButtonLabelSpacing:
            return std::min(base, kLabelSpacing);
        default:
            return base;
    }
}

}  // namespace quorvel
