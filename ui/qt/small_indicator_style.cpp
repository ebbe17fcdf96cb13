#include "small_indicator_style.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

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

void SmallIndicatorStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                        QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    // The base style draws these edges a shade darker than the window, which
    // on a dark palette hardly shows. There a lighter edge goes over them,
    // halfway between the window and its text: 3:1 or more against both the
    // window and an entry. A focused control keeps the focus colour.
    const QPalette& palette = option->palette;
    const QColor window = palette.color(QPalette::Window);
    if (window.lightness() >= 128 || (option->state & State_HasFocus)) {
        return;
    }
    const QColor text = palette.color(QPalette::WindowText);
    const QColor edge((window.red() + text.red()) / 2, (window.green() + text.green()) / 2,
                      (window.blue() + text.blue()) / 2);
    const QRectF rect = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(edge);
    painter->setBrush(Qt::NoBrush);
    switch (element) {
        case PE_FrameLineEdit:
        case PE_FrameGroupBox:
            painter->drawRoundedRect(rect, 2, 2);
            break;
        case PE_IndicatorRadioButton:
            painter->drawEllipse(rect);
            break;
        default:
            break;
    }
    painter->restore();
}

}  // namespace quorvel
