#pragma once

#include "TPage.h"
#include "TPageList.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace pagora {

// The picture of the page map without any widget: where each page's square lies and what the
// hint over a square reads. The window's map paints from these, and a text tool can draw the
// same field.

// A square's place in the map's field: column and row, both counted from 0.
struct SquareCell {
    std::int32_t column = 0;
    std::int32_t row = 0;
    friend bool operator==(const SquareCell&, const SquareCell&) = default;
};

// The cell of page `index`, left to right and top to bottom. A row holds rowMeasure + 1
// squares; with a measure of 0 or less every square starts a new row.
SquareCell CellOfPage(std::size_t index, std::int32_t rowMeasure);

// The square in `cell` for cells of blockSize pixels: left column * B + 9, top row * B + 9,
// right (exclusive) column * B + B + 7, bottom (exclusive) row * B + B + 7. A square is B - 2
// pixels a side, neighbours lie 2 pixels apart and the field starts 9 pixels in.
TRect SquareRect(SquareCell cell, std::int32_t blockSize);

// The square of page `index`.
inline TRect PageSquare(std::size_t index, std::int32_t rowMeasure, std::int32_t blockSize) {
    return SquareRect(CellOfPage(index, rowMeasure), blockSize);
}

// Records every page's square in its Rect, as the map lays them out.
void LaySquares(TPageList& pages, std::int32_t rowMeasure, std::int32_t blockSize);

// The first address of page `index` of pageSize-byte pages, as six upper-case hexadecimal
// digits (page 2 of 64-byte pages gives "000080").
std::string PageAddressText(std::size_t index, std::int32_t pageSize);

// What the hint over page `index` says, a line each: its number ("Page 3"), its first
// address in hexadecimal and decimal ("Adresse: 0x000180 (384d)") and its used share with one
// decimal ("Benutzt: 37,5%").
std::array<std::string, 3> PageHintLines(std::size_t index, std::int32_t pageSize,
                                         const TPage& page, char decimalSeparator);

// The hint as the window shows it: those lines each indented by ten blanks, CR LF between them.
std::string PageHintText(std::size_t index, std::int32_t pageSize, const TPage& page,
                         char decimalSeparator);

} // namespace pagora
