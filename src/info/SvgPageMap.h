#pragma once

#include "ImageReport.h"

#include <cstdint>
#include <string>

namespace pagora::info {

// The page map and the two usage bars as one self-contained SVG picture, drawn by the window's
// rules: a square per page, left to right and top to bottom, in its fill colour (all red when
// the image does not fit), each with the window's hint as its title; below, the bars with
// their labels and percentages.
struct SvgLayout {
    std::int32_t Columns = 32; // squares per row
    std::int32_t Block = 12;   // pitch of the squares in pixels; a square is Block - 2 a side
};

inline constexpr std::int32_t kMinSvgColumns = 1;
inline constexpr std::int32_t kMaxSvgColumns = 1024;
// The smallest square that still shows its colour: a frame around one pixel.
inline constexpr std::int32_t kMinSvgBlock = 5;
inline constexpr std::int32_t kMaxSvgBlock = 100;

// The picture of a report laid onto a controller (report.Controller() is not null); the
// layout's figures lie within the limits above. Percentages use the decimal separator given.
std::string PageMapSvg(const ImageReport& report, SvgLayout layout, char decimalSeparator);

} // namespace pagora::info
