#include "PageSquares.h"

#include "Usage.h"
#include "image/HexToInt.h"

#include <algorithm>

namespace pagora {

SquareCell CellOfPage(std::size_t index, std::int32_t rowMeasure) {
    const std::size_t perRow = static_cast<std::size_t>(std::max(rowMeasure, 0)) + 1;
    return {static_cast<std::int32_t>(index % perRow), static_cast<std::int32_t>(index / perRow)};
}

TRect SquareRect(SquareCell cell, std::int32_t blockSize) {
    const std::int32_t b = blockSize;
    const std::int32_t x = cell.column * b;
    const std::int32_t y = cell.row * b;
    return {x + 9, y + 9, x + b + 7, y + b + 7};
}

void LaySquares(TPageList& pages, std::int32_t rowMeasure, std::int32_t blockSize) {
    std::size_t index = 0;
    for (TPage& page : pages) {
        page.Rect = PageSquare(index++, rowMeasure, blockSize);
    }
}

std::string PageAddressText(std::size_t index, std::int32_t pageSize) {
    return ToHex(
        static_cast<std::uint32_t>(index * static_cast<std::size_t>(std::max(pageSize, 0))), 6);
}

std::array<std::string, 3> PageHintLines(std::size_t index, std::int32_t pageSize,
                                         const TPage& page, char decimalSeparator) {
    const std::size_t address = index * static_cast<std::size_t>(std::max(pageSize, 0));
    return {"Page " + std::to_string(index),
            "Adresse: 0x" + PageAddressText(index, pageSize) + " (" + std::to_string(address) +
                "d)",
            "Benutzt: " + FormatPercent(PageUsedShare(page, pageSize), decimalSeparator) + "%"};
}

std::string PageHintText(std::size_t index, std::int32_t pageSize, const TPage& page,
                         char decimalSeparator) {
    std::string text;
    for (const std::string& line : PageHintLines(index, pageSize, page, decimalSeparator)) {
        text += (text.empty() ? "" : "\r\n");
        text += "          " + line;
    }
    return text;
}

} // namespace pagora
