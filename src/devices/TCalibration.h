#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace pagora {

// The oscillator calibration bytes of a controller.
struct TCalibration {
    std::uint8_t ByteCount = 0;   // 1, 2 or 4
    std::int32_t ReadCommand = 0; // the instruction that reads a calibration byte
    // Entry n names the oscillator frequency of calibration byte n ("8MHz"); the entries from
    // ByteCount on are empty.
    std::array<std::string, 8> Frequencies{};

    bool operator==(const TCalibration&) const = default;
};

} // namespace pagora
