#include "PaintGradientBar.h"

#include "RgbColor.h"
#include "pages/UsageBar.h"

#include <QLinearGradient>

namespace pagora {

void PaintGradientBar(QPainter& painter, int l, int t, int r, int b, Rgb c1, Rgb c2) {
    // The width and height of the gradient rectangle are the right and bottom edges of the
    // area that is filled.
    const int gradientTop = t + 1;
    const int gradientHeight = b - t;
    const int areaRight = r - l + 2;
    const int areaBottom = b - t;
    if (areaRight <= l || areaBottom <= gradientTop) {
        return;
    }
    const QRect area(QPoint(l, gradientTop), QPoint(areaRight - 1, areaBottom - 1));
    if (gradientHeight <= 0) {
        painter.fillRect(area, ToQColor(c1));
        return;
    }
    QLinearGradient gradient(0, gradientTop, 0, gradientTop + gradientHeight);
    QGradientStops stops;
    for (const GradientStop& stop : SigmaBlendStops(c1, c2, kBarFocus, kBarScale)) {
        stops.append({stop.Offset, ToQColor(stop.Colour)});
    }
    gradient.setStops(stops);
    gradient.setSpread(QGradient::RepeatSpread); // tiled beyond the gradient rectangle
    painter.fillRect(area, QBrush(gradient));
}

} // namespace pagora
