#include "TPage.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace pagora {

void TPage::SetPageSize(std::int32_t size) {
    // Copied from a block of blank entries: resize() would write each entry field by field.
    static constexpr std::array<TByteText, 256> kBlankBlock{};
    const auto n = static_cast<std::size_t>(std::max(size, 0));
    Bytes.clear();
    Bytes.reserve(n);
    while (Bytes.size() < n) {
        const std::size_t step = std::min(n - Bytes.size(), kBlankBlock.size());
        Bytes.insert(Bytes.end(), kBlankBlock.begin(),
                     kBlankBlock.begin() + static_cast<std::ptrdiff_t>(step));
    }
}

std::int32_t TPage::BlankBytes() const {
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
