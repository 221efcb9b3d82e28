#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pagora {

// One opened key of the settings store. Destroying the object closes the key.
// Text and 32-bit integer values are kept apart: reading a value as the other type
// gives nothing, and writing a value replaces any value of that name whatever its type.
class SettingsKey {
public:
    virtual ~SettingsKey() = default;

    // Nothing when the value is missing, of the other type or cannot be read.
    virtual std::optional<std::string> ReadText(std::string_view name) = 0;
    virtual std::optional<std::int32_t> ReadInt(std::string_view name) = 0;

    // False when the store refuses the write.
    virtual bool WriteText(std::string_view name, std::string_view value) = 0;
    virtual bool WriteInt(std::string_view name, std::int32_t value) = 0;
};

} // namespace pagora
