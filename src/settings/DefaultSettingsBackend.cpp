#include "settings/SettingsBackend.h"

#ifdef _WIN32
#include "settings/RegistrySettingsBackend.h"
#else
#include "settings/FileSettingsBackend.h"
#endif

namespace pagora {

std::unique_ptr<SettingsBackend> MakeDefaultSettingsBackend() {
#ifdef _WIN32
    return std::make_unique<RegistrySettingsBackend>();
#else
    return std::make_unique<FileSettingsBackend>();
#endif
}

} // namespace pagora
