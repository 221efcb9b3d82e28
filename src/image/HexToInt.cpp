#include "HexToInt.h"

#include "Errors.h"

namespace pagora {

std::int32_t HexToInt(std::string_view text) {
    std::uint32_t value = 0;
    for (char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            throw EConvertError(kNoHexNumber);
        }
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(value);
}

std::string ToHex(std::uint32_t value, int minDigits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    char buffer[8];
    int n = 0;
    do {
        buffer[n++] = kDigits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    std::string text;
    text.reserve(static_cast<std::size_t>(n > minDigits ? n : minDigits));
    for (int pad = n; pad < minDigits; ++pad) {
        text.push_back('0');
    }
    while (n > 0) {
        text.push_back(buffer[--n]);
    }
    return text;
}

} // namespace pagora
