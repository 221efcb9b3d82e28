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

} // namespace pagora
