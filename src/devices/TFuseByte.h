#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace pagora {

// One fuse or lock byte of a controller.
//
// The commands hold the four bytes of the serial programming instruction in their low 32 bits,
// the first instruction byte most significant: 0xACA00000 is the sequence AC A0 00 00. A byte
// the controller lacks has Present false, both commands 0, DefaultValue 0xFF and no bit names.
struct TFuseByte {
    // Entry n names bit n (bit 0 least significant); an empty name is a bit without a name.
    std::array<std::string, 8> BitNames{};
    std::int64_t WriteCommand = 0;
    std::int64_t ReadCommand = 0;
    std::uint8_t DefaultValue = 0; // the factory value
    bool Present = false;

    bool operator==(const TFuseByte&) const = default;
};

} // namespace pagora
