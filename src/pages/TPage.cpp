#include "TPage.h"

#include <algorithm>
#include <cstring>

namespace pagora {

void TPage::SetPageSize(std::int32_t size) {
    Bytes.assign(static_cast<std::size_t>(std::max(size, 0)), TByteText{});
}

std::int32_t TPage::BlankBytes() const {
    static_assert(sizeof(TByteText) == sizeof(std::uint32_t));
    const std::uint32_t blankWord = TByteText::BlankWord();
    std::int32_t blank = 0;
    for (const TByteText& b : Bytes) {
        std::uint32_t word = 0;
        std::memcpy(&word, &b, sizeof word);
        blank += word == blankWord ? 1 : 0;
    }
    return blank;
}

} // namespace pagora
