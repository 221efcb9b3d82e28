#include "PaintGradientBar.h"

#include <QLinearGradient>
#include <algorithm>
#include <cmath>

namespace pagora {

namespace {

constexpr double kFocus = 0.5;
constexpr double kScale = 0.7;

// Cumulative normal distribution.
double Phi(double x) {
    return 0.5 * std::erfc(-x / std::sqrt(2.0));
}

int Mix(int from, int to, double blend) {
    return std::clamp(static_cast<int>(std::lround(from + (to - from) * blend)), 0, 255);
}

} // namespace

double SigmaBlend(double t, double focus, double scale) {
    t = std::clamp(t, 0.0, 1.0);
    focus = std::clamp(focus, 0.0, 1.0);
    const double low = Phi(-2.0);
    const double span = Phi(2.0) - low;
    double u = 0.0; // position on the normal curve, -2 at an end and 2 at the focus
    if (t < focus) {
        u = 4.0 * t / focus - 2.0;
    } else if (t > focus) {
        u = 2.0 - 4.0 * (t - focus) / (1.0 - focus);
    } else {
        u = 2.0;
    }
    return scale * (Phi(u) - low) / span;
}

QGradientStops SigmaBlendStops(const QColor& c1, const QColor& c2, double focus, double scale,
                               int stepsPerSide) {
    stepsPerSide = std::max(stepsPerSide, 1);
    QGradientStops stops;
    auto add = [&](double t) {
        const double blend = SigmaBlend(t, focus, scale);
        stops.append({t, QColor(Mix(c1.red(), c2.red(), blend), Mix(c1.green(), c2.green(), blend),
                                Mix(c1.blue(), c2.blue(), blend))});
    };
    for (int i = 0; i < stepsPerSide; ++i) {
        add(focus * i / stepsPerSide);
    }
    add(focus);
    for (int i = 1; i <= stepsPerSide; ++i) {
        add(focus + (1.0 - focus) * i / stepsPerSide);
    }
    return stops;
}

void PaintGradientBar(QPainter& painter, int l, int t, int r, int b, const QColor& c1,
                      const QColor& c2) {
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
        painter.fillRect(area, c1);
        return;
    }
    QLinearGradient gradient(0, gradientTop, 0, gradientTop + gradientHeight);
    gradient.setStops(SigmaBlendStops(c1, c2, kFocus, kScale));
    gradient.setSpread(QGradient::RepeatSpread); // tiled beyond the gradient rectangle
    painter.fillRect(area, QBrush(gradient));
}

} // namespace pagora
