#include "UsageBar.h"

#include <algorithm>
#include <cmath>

namespace pagora {

namespace {

// Cumulative normal distribution.
double Phi(double x) {
    return 0.5 * std::erfc(-x / std::sqrt(2.0));
}

std::uint8_t Mix(std::uint8_t from, std::uint8_t to, double blend) {
    const long mixed = std::lround(from + (to - from) * blend);
    return static_cast<std::uint8_t>(std::clamp(mixed, 0L, 255L));
}

} // namespace

BarFill UsageBarFill(double share, bool dataDoesNotFit, std::int32_t width) {
    const std::int32_t interior = std::max(width - 2, 0);
    if (share > 100.0 || dataDoesNotFit) {
        return {interior, kBarRed};
    }
    if (!(share > 0.0)) {
        return {0, kBarGreen};
    }
    return {static_cast<std::int32_t>(std::trunc(interior * share / 100.0)), kBarGreen};
}

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

std::vector<GradientStop> SigmaBlendStops(Rgb c1, Rgb c2, double focus, double scale,
                                          int stepsPerSide) {
    stepsPerSide = std::max(stepsPerSide, 1);
    std::vector<GradientStop> stops;
    auto add = [&](double t) {
        const double blend = SigmaBlend(t, focus, scale);
        stops.push_back({t, Rgb{Mix(c1.red, c2.red, blend), Mix(c1.green, c2.green, blend),
                                Mix(c1.blue, c2.blue, blend)}});
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

std::vector<GradientStop> UsageBarStops(Rgb colour) {
    return SigmaBlendStops(kBarWhite, colour, kBarFocus, kBarScale);
}

} // namespace pagora
