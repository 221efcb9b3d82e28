#pragma once

#include "settings/SettingsError.h"

#include <string>

// The message of the settings error the operation raises, or "no error".
template <typename Operation> std::string ErrorOf(Operation operation) {
    try {
        operation();
    } catch (const pagora::ESettingsError& error) {
        return error.what();
    }
    return "no error";
}
