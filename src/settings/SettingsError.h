#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace pagora {

// Raised when the settings store refuses to write a value. The message names the value:
// "Fehler beim Setzen der Daten für 'Width'".
class ESettingsError : public std::runtime_error {
public:
    explicit ESettingsError(std::string_view valueName);

    const std::string& ValueName() const { return valueName_; }

private:
    std::string valueName_;
};

} // namespace pagora
