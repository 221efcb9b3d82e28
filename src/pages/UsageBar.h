#pragma once

#include "PageFill.h"

#include <cstdint>
#include <vector>

namespace pagora {

// How a usage bar is drawn, without any widget: the window's bars paint from these, and a text
// tool can draw the same bars.

inline constexpr Rgb kBarWhite{255, 255, 255};
inline constexpr Rgb kBarGreen{0, 128, 0};
inline constexpr Rgb kBarRed{255, 0, 0};

// The filled part of a bar `width` pixels wide (its 1-pixel frame included): columns 1 to
// Right, in green, the share of the interior truncated towards zero; the whole interior in red
// above 100 % or when the image does not fit.
struct BarFill {
    std::int32_t Right = 0;
    Rgb Colour = kBarGreen;
    friend bool operator==(const BarFill&, const BarFill&) = default;
};
BarFill UsageBarFill(double share, bool dataDoesNotFit, std::int32_t width);

// The bell-shaped blend of a bar's gradient at position t (0..1 from the top of the gradient
// rectangle): 0 at both ends, `scale` at `focus`, rising and falling like the cumulative normal
// distribution over two standard deviations on either side.
double SigmaBlend(double t, double focus, double scale);

// A colour at a position (0..1) along a gradient.
struct GradientStop {
    double Offset = 0.0;
    Rgb Colour;
    friend bool operator==(const GradientStop&, const GradientStop&) = default;
};

// That blend from c1 (blend 0) towards c2 (blend 1) as gradient stops, sampled at
// `stepsPerSide` even steps on either side of the focus.
std::vector<GradientStop> SigmaBlendStops(Rgb c1, Rgb c2, double focus, double scale,
                                          int stepsPerSide = 8);

// The blend of the bars: 70 % of the bar's colour at the middle of the gradient rectangle.
inline constexpr double kBarFocus = 0.5;
inline constexpr double kBarScale = 0.7;

// A bar's gradient: white at the top and bottom of its rectangle, 70 % of `colour` at the
// middle.
std::vector<GradientStop> UsageBarStops(Rgb colour);

} // namespace pagora
