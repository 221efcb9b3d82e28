#pragma once

#include "TPage.h"

#include <cstdint>
#include <string_view>

namespace pagora {

// How full a page is, as the page map colours it.
enum class PageFill : std::uint8_t {
    Full,   // no blank byte: black
    Mostly, // 1..50 % blank: grey
    Half,   // 51..75 % blank: silver
    Little, // 76..99 % blank: yellow
    Blank,  // nothing but FF: white
};

// The class of a page with blankBytes blank bytes of pageSize; a page size of 0 or less
// holds nothing and reads Blank.
PageFill PageFillOf(std::int32_t blankBytes, std::int32_t pageSize);
inline PageFill PageFillOf(const TPage& page, std::int32_t pageSize) {
    return PageFillOf(page.BlankBytes(), pageSize);
}

// English name of the class ("full", "mostly", ...), for reports.
std::string_view PageFillName(PageFill fill);

// A colour as red, green and blue from 0 to 255.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Every square of the page map is red while the image does not fit the memory.
inline constexpr Rgb kDoesNotFitRed{255, 0, 0};
// The frame around each square.
inline constexpr Rgb kSquareFrame{0, 0, 0};

// The colour of a class's square: black for a full page, grey, silver and yellow as more of it
// is blank, white for a blank one.
Rgb PageFillRgb(PageFill fill);

// The colour inside a page's square as the map draws it: the page's fill colour, or red for
// every page when the image does not fit.
inline Rgb SquareFillRgb(const TPage& page, std::int32_t pageSize, bool dataDoesNotFit) {
    return dataDoesNotFit ? kDoesNotFitRed : PageFillRgb(PageFillOf(page, pageSize));
}

} // namespace pagora
