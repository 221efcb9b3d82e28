#pragma once

#include <QColor>
#include <QGradientStops>
#include <QPainter>

namespace pagora {

// The bell-shaped blend of a bar's gradient at position t (0..1 from the top of the gradient
// rectangle): 0 at both ends, `scale` at `focus`, rising and falling like the cumulative normal
// distribution over two standard deviations on either side.
double SigmaBlend(double t, double focus, double scale);

// That blend from c1 (blend 0) towards c2 (blend 1) as gradient stops, sampled at
// `stepsPerSide` even steps on either side of the focus.
QGradientStops SigmaBlendStops(const QColor& c1, const QColor& c2, double focus, double scale,
                               int stepsPerSide = 8);

// Paints a usage bar for the rectangle (l, t, r, b): a vertical gradient over the rectangle
// x = l, y = t + 1, width r - l + 2, height b - t, from c1 at its ends to 70 % c2 at its middle,
// filled into the area whose left, top, right and bottom edges (right and bottom exclusive)
// are those same four numbers. For a bar with l = 1, t = 1 and b = height - 1 that fills the
// columns 1 to r and the rows 2 to height - 3.
void PaintGradientBar(QPainter& painter, int l, int t, int r, int b, const QColor& c1,
                      const QColor& c2);

} // namespace pagora
