#include "TPage.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace pagora {

namespace {

constexpr bool kLittleEndian = std::endian::native == std::endian::little;

// The entry of two characters (read as one 16-bit word) as the word it is stored as: the
// characters, Size 2, Unused 0.
std::uint32_t PairWord(std::uint16_t chars) {
    return chars | (std::uint32_t{2} << 16);
}

} // namespace

void TByteText::AssignPairs(TByteText* entries, const char* chars, std::size_t n) {
    if constexpr (kLittleEndian) {
        for (std::size_t i = 0; i < n; ++i) {
            std::uint16_t pair = 0;
            std::memcpy(&pair, chars + 2 * i, sizeof pair);
            const std::uint32_t word = PairWord(pair);
            std::memcpy(static_cast<void*>(entries + i), &word, sizeof word);
        }
    } else {
        for (std::size_t i = 0; i < n; ++i) {
            entries[i].Assign({chars + 2 * i, 2});
        }
    }
}

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
