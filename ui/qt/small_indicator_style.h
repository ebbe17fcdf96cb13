#pragma once

#include <QProxyStyle>

namespace quorvel {

// The application's style with a radio indicator small enough for the window's
// option buttons: the "A" and "T" buttons are 25 x 13 pixels, where a 14-pixel
// indicator and its 6-pixel gap would leave no room for the letter. On a dark
// palette it also gives entries, frames and option buttons edges that show.
class SmallIndicatorStyle : public QProxyStyle {
    Q_OBJECT

public:
    // The classic option-button indicator was 12 pixels; 4 pixels of gap keep
    // the letter clear of it.
    static constexpr int kIndicatorSize = 12;
    static constexpr int kLabelSpacing = 4;

    // Wraps a fresh instance of the application's current style.
    SmallIndicatorStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace quorvel
