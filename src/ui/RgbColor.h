#pragma once

#include "pages/PageFill.h"

#include <QColor>

namespace pagora {

inline QColor ToQColor(Rgb colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

inline Rgb ToRgb(const QColor& colour) {
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

} // namespace pagora
