#pragma once

#include "pages/PageFill.h"

#include <QPainter>

namespace pagora {

// Paints a usage bar for the rectangle (l, t, r, b): a vertical gradient over the rectangle
// x = l, y = t + 1, width r - l + 2, height b - t, from c1 at its ends to 70 % c2 at its middle,
// filled into the area whose left, top, right and bottom edges (right and bottom exclusive)
// are those same four numbers. For a bar with l = 1, t = 1 and b = height - 1 that fills the
// columns 1 to r and the rows 2 to height - 3.
void PaintGradientBar(QPainter& painter, int l, int t, int r, int b, Rgb c1, Rgb c2);

} // namespace pagora
