#pragma once

#include "settings/SettingsBackend.h"
#include "settings/SettingsError.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace pagora {

// Marks an integer setting that is not there.
inline constexpr std::int32_t NoValue = INT32_MIN;

inline constexpr std::string_view kProgramKey = "Software\\Kestrelwerk\\ISPPagora";
inline constexpr std::string_view kMakerKey = "Software\\Kestrelwerk";

// Every operation opens its key, does its one read or write and closes the key again;
// nothing is cached. Reads never fail. A write the store refuses raises ESettingsError;
// a key that cannot be opened skips the write silently.

// The number part of "BlockSize" ("25" of "25 x 25"); "25" when the value is missing,
// not text or empty; the empty text when the key cannot be opened.
std::string ReadBlockSize();

// "ArrangeMemory": 0 (page map right of the grid) only for a stored integer 0, else 1.
std::uint8_t ReadArrangement();

// An integer of the program key; NoValue when missing or not an integer, -1 when the key
// cannot be opened.
std::int32_t ReadIntSetting(std::string_view name);

// Writes an integer to the program key, replacing any value of that name.
void WriteIntSetting(std::string_view name, std::int32_t value);

// Writes "ArrangeMemory" and then "BlockSize" through one opening of the program key.
void SaveOptions(std::int32_t arrangement, std::string_view blockSizeText);

// Stores the running program's full path as "Pagora" under the maker key.
void RegisterProgramPath(std::string_view fullPath);

// Installs the backend all operations use; nullptr returns to the platform's default,
// which is also used when none was installed. Call it from the window thread only.
void SetSettingsBackend(std::unique_ptr<SettingsBackend> backend);

} // namespace pagora
