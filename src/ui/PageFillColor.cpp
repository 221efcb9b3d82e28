#include "PageFillColor.h"

namespace pagora {

QColor PageFillColor(PageFill fill) {
    switch (fill) {
    case PageFill::Full:
        return QColor(0, 0, 0);
    case PageFill::Mostly:
        return QColor(128, 128, 128);
    case PageFill::Half:
        return QColor(192, 192, 192);
    case PageFill::Little:
        return QColor(255, 255, 0);
    case PageFill::Blank:
        return QColor(255, 255, 255);
    }
    return QColor(255, 255, 255);
}

QColor PageFillColor(const TPage& page, std::int32_t pageSize) {
    return PageFillColor(PageFillOf(page, pageSize));
}

} // namespace pagora
