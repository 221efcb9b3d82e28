#pragma once

#include <cstdint>
#include <string>

namespace pagora::bench {

// Intel HEX text of an image of `bytes` bytes from address 0, in 16-byte records with an
// extended linear address record at every 64 KiB, CR LF line ends, as avr-objcopy writes it.
inline std::string MakeHexImage(std::uint32_t bytes, std::uint32_t seed = 1) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes / 16 * 45 + 64);
    auto byte = [&](unsigned v, unsigned& sum) {
        sum += v;
        text.push_back(kDigits[(v >> 4) & 0xF]);
        text.push_back(kDigits[v & 0xF]);
    };
    std::uint32_t x = seed;
    for (std::uint32_t address = 0; address < bytes; address += 16) {
        unsigned sum = 0;
        if (address % 0x10000 == 0 && address != 0) {
            text += ":02000004";
            sum = 2 + 4;
            byte((address >> 24) & 0xFF, sum);
            byte((address >> 16) & 0xFF, sum);
            byte((0x100 - (sum & 0xFF)) & 0xFF, sum);
            text += "\r\n";
            sum = 0;
        }
        text.push_back(':');
        byte(16, sum);
        byte((address >> 8) & 0xFF, sum);
        byte(address & 0xFF, sum);
        byte(0, sum);
        for (int i = 0; i < 16; ++i) {
            x = x * 1103515245u + 12345u;
            byte((x >> 16) & 0xFF, sum);
        }
        byte((0x100 - (sum & 0xFF)) & 0xFF, sum);
        text += "\r\n";
    }
    text += ":00000001FF\r\n";
    return text;
}

} // namespace pagora::bench
