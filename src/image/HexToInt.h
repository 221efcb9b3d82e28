#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pagora {

// Value of a hexadecimal text (either letter case) as a signed 32-bit integer. Digits beyond
// the eighth shift the leading ones out; eight digits from 8 on read negative; the empty text
// reads 0. Any other character raises EConvertError "No Hex-Number".
std::int32_t HexToInt(std::string_view text);

// Value 0..15 of one hexadecimal digit, or -1.
constexpr int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Upper-case hexadecimal text of a value, zero-padded on the left to at least minDigits.
std::string ToHex(std::uint32_t value, int minDigits = 1);

} // namespace pagora
