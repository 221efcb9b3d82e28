#include "settings/SettingsError.h"

namespace pagora {

namespace {

std::string Message(std::string_view valueName) {
    std::string message = "Fehler beim Setzen der Daten für '";
    message += valueName;
    message += '\'';
    return message;
}

} // namespace

ESettingsError::ESettingsError(std::string_view valueName)
    : std::runtime_error(Message(valueName)), valueName_(valueName) {}

} // namespace pagora
