#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace pagora {

// A rectangle in the page map's client coordinates; right and bottom are exclusive.
struct TRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    bool Contains(std::int32_t x, std::int32_t y) const {
        return x >= Left && x < Right && y >= Top && y < Bottom;
    }
    friend bool operator==(const TRect&, const TRect&) = default;
};

// A byte of a page as the line store gives it: up to two characters, inline.
struct TByteText {
    char Text[2] = {'F', 'F'};
    std::uint8_t Size = 2;
    std::uint8_t Unused = 0; // keeps a byte four bytes wide, so blank bytes count fast

    std::string_view View() const { return {Text, Size}; }
    void Assign(std::string_view text) {
        Size = static_cast<std::uint8_t>(text.size() < 2 ? text.size() : 2);
        for (std::uint8_t i = 0; i < Size; ++i) {
            Text[i] = text[i];
        }
    }
    // Exactly "FF": an erased flash byte. "ff" from a lower-case file is data.
    bool Blank() const { return Size == 2 && Text[0] == 'F' && Text[1] == 'F'; }
    // The four bytes of a blank entry, read as one word.
    static std::uint32_t BlankWord() {
        const TByteText blank;
        std::uint32_t word = 0;
        std::memcpy(&word, &blank, sizeof word);
        return word;
    }
    // Sets 16 entries from the 32 characters of a full line, two to an entry. Each entry is
    // built as one word, and all of them in local arrays, so that the compiler copies whole
    // blocks: assigning field by field is four times the stores.
    static void AssignLine(TByteText* entries, const char* chars) {
        constexpr std::size_t kEntries = 16;
        if constexpr (std::endian::native == std::endian::little) {
            std::uint16_t pairs[kEntries];
            std::memcpy(pairs, chars, sizeof pairs);
            std::uint32_t words[kEntries];
            for (std::size_t i = 0; i < kEntries; ++i) {
                words[i] = pairs[i] | (std::uint32_t{2} << 16); // Size 2, Unused 0
            }
            std::memcpy(static_cast<void*>(entries), words, sizeof words);
        } else {
            for (std::size_t i = 0; i < kEntries; ++i) {
                entries[i].Assign({chars + 2 * i, 2});
            }
        }
    }
};
static_assert(sizeof(TByteText) == sizeof(std::uint32_t));

// One flash page: its bytes and where the page map last drew its square.
class TPage {
public:
    TRect Rect;
    std::vector<TByteText> Bytes;

    // Gives the page size entries, each "FF"; a size of 0 or less leaves none.
    void SetPageSize(std::int32_t size);
    // Number of entries that are exactly "FF".
    std::int32_t BlankBytes() const;
};

} // namespace pagora
