#pragma once

#include "pages/PageFill.h"

#include <QColor>

namespace pagora {

inline QColor ToQColor(Rgb colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

} // namespace pagora
