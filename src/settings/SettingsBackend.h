#pragma once

#include "settings/SettingsKey.h"

#include <memory>
#include <string_view>

namespace pagora {

// Where the settings live: the registry on Windows, a per-user file elsewhere.
// Key paths are relative to the current user's branch, parts separated by a backslash.
class SettingsBackend {
public:
    virtual ~SettingsBackend() = default;

    // Opens the key, creating it when it does not exist. Nothing when it can be neither
    // opened nor created.
    virtual std::unique_ptr<SettingsKey> OpenKey(std::string_view path) = 0;
};

// The backend of this platform: RegistrySettingsBackend on Windows, FileSettingsBackend
// elsewhere.
std::unique_ptr<SettingsBackend> MakeDefaultSettingsBackend();

} // namespace pagora
