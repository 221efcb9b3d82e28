#include "CellText.h"

#include "HexToInt.h"

namespace pagora::cells {

std::string AddressText(std::size_t row) {
    return ToHex(static_cast<std::uint32_t>(row * 16), 6);
}

char CharFor(std::string_view byteText) {
    int value = 0;
    for (char c : byteText) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return '.';
        }
        value = value * 16 + digit;
    }
    return (value >= 33 && value <= 123) ? static_cast<char>(value) : '.';
}

std::string CellText(const THexContainer& store, std::size_t row, int column) {
    if (column == kAddressColumn) {
        return AddressText(row);
    }
    if (row >= store.Count()) {
        return {};
    }
    const THexLine& line = store[row];
    if (column >= kFirstHexColumn && column <= kLastHexColumn) {
        return std::string(line.GetByteText(column));
    }
    if (column >= kFirstCharColumn && column <= kLastCharColumn) {
        return std::string(1, CharFor(line.GetByteText(column - kSpacerColumn)));
    }
    return {};
}

RowClass ClassifyRow(const THexContainer& store, std::size_t row, std::int64_t flashSize) {
    if (row >= store.Count() || !store[row].Used()) {
        return RowClass::NotUsed;
    }
    if (flashSize < 0) {
        return RowClass::Normal;
    }
    return store.AddressValue(row) > static_cast<std::uint64_t>(flashSize) ? RowClass::BeyondFlash
                                                                           : RowClass::Normal;
}

} // namespace pagora::cells
