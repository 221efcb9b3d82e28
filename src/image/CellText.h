#pragma once

#include "THexContainer.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pagora {

// What the hex grid shows, shared with the command-line tool.
namespace cells {

inline constexpr int kColumnCount = 34;
inline constexpr int kAddressColumn = 0;
inline constexpr int kFirstHexColumn = 1;
inline constexpr int kLastHexColumn = 16;
inline constexpr int kSpacerColumn = 17;
inline constexpr int kFirstCharColumn = 18;
inline constexpr int kLastCharColumn = 33;

// The address column: row * 16 in upper-case hex, at least six digits.
std::string AddressText(std::size_t row);

// The character shown for a byte text: codes 33..123 ("!".."{") as themselves, every other
// value, and a text that is not hexadecimal, as ".".
char CharFor(std::string_view byteText);

// Text of any cell of a row of the store.
std::string CellText(const THexContainer& store, std::size_t row, int column);

// How a row's byte cells are coloured.
enum class RowClass : std::uint8_t {
    Normal,      // window colour
    NotUsed,     // a blank line appended to fill the flash: silver
    BeyondFlash, // the line starts past the controller's highest flash address: red
};

// flashSize is the controller's highest flash address, or negative without a controller.
RowClass ClassifyRow(const THexContainer& store, std::size_t row, std::int64_t flashSize);

} // namespace cells
} // namespace pagora
