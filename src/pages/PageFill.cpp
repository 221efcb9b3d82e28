#include "PageFill.h"

namespace pagora {

PageFill PageFillOf(std::int32_t blankBytes, std::int32_t pageSize) {
    if (pageSize <= 0) {
        return PageFill::Blank;
    }
    const std::int64_t percent = static_cast<std::int64_t>(blankBytes) * 100 / pageSize;
    if (percent <= 0) {
        return PageFill::Full;
    }
    if (percent <= 50) {
        return PageFill::Mostly;
    }
    if (percent <= 75) {
        return PageFill::Half;
    }
    if (percent <= 99) {
        return PageFill::Little;
    }
    return PageFill::Blank;
}

std::string_view PageFillName(PageFill fill) {
    switch (fill) {
    case PageFill::Full:
        return "full";
    case PageFill::Mostly:
        return "mostly";
    case PageFill::Half:
        return "half";
    case PageFill::Little:
        return "little";
    case PageFill::Blank:
        return "blank";
    }
    return "blank";
}

Rgb PageFillRgb(PageFill fill) {
    switch (fill) {
    case PageFill::Full:
        return {0, 0, 0};
    case PageFill::Mostly:
        return {128, 128, 128};
    case PageFill::Half:
        return {192, 192, 192};
    case PageFill::Little:
        return {255, 255, 0};
    case PageFill::Blank:
        return {255, 255, 255};
    }
    return {255, 255, 255};
}

} // namespace pagora
