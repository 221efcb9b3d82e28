#pragma once

#include "settings/SettingsBackend.h"

#include <optional>
#include <string>

namespace pagora {

// The settings as one JSON file per user, $XDG_CONFIG_HOME/avr-pagora/settings.json
// ($HOME/.config when XDG_CONFIG_HOME is unset, empty or relative). The file holds one
// object per key path; text values are JSON strings, integers JSON numbers.
//
// Every read loads the file afresh. Every write locks settings.json.lock, loads the file,
// changes the one value and replaces the file atomically (temporary file, rename), so that
// running instances never see a torn file nor lose each other's writes. A damaged file reads as
// empty and is replaced cleanly by the next write. The location is looked up at each
// opening, so a changed XDG_CONFIG_HOME takes effect at once.
class FileSettingsBackend : public SettingsBackend {
public:
    // A key cannot be opened only when no location can be found for the file (neither an
    // absolute XDG_CONFIG_HOME nor a HOME). A folder or file that cannot be written still
    // opens: its reads give what the file holds, its writes are refused.
    std::unique_ptr<SettingsKey> OpenKey(std::string_view path) override;

    // The file this backend uses now; nothing when no location can be found.
    static std::optional<std::string> FilePath();
};

} // namespace pagora
