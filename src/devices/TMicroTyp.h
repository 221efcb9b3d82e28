#pragma once

#include <cstdint>

namespace pagora {

// The family of a controller, stored in one byte. The device table uses ATmega and ATtiny only.
enum class TMicroTyp : std::uint8_t {
    ATmega = 0,
    ATtiny = 1,
    XMega = 2,
    mtNone = 3,
};

} // namespace pagora
