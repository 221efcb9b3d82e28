#pragma once

#include "settings/SettingsBackend.h"

namespace pagora {

// The settings in the Windows registry under HKEY_CURRENT_USER: text values as REG_SZ,
// integers as REG_DWORD. Keys are opened with full access and created when missing.
class RegistrySettingsBackend : public SettingsBackend {
public:
    std::unique_ptr<SettingsKey> OpenKey(std::string_view path) override;
};

} // namespace pagora
