#pragma once

#include "settings/SettingsBackend.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

// A value as it lies in the store: missing, text or integer.
using Stored = std::variant<std::monostate, std::string, std::int32_t>;

// The real settings store of this platform, one of its own for each test and empty at the
// start: the per-user file in a temporary folder (FileStore), or a registry key of the test's
// own standing in for the user's branch (RegistryStore). The rule tests use only this, so that
// both stores pass the same table.
class StoreUnderTest {
public:
    virtual ~StoreUnderTest() = default;

    // A backend on this store, as the program makes one.
    virtual std::unique_ptr<pagora::SettingsBackend> NewBackend() = 0;

    // Whether the key is there, looked at in the store itself, without a backend.
    virtual bool KeyExists(std::string_view key) const = 0;

    // The value as it lies in the store itself (a JSON string or number, a REG_SZ or
    // REG_DWORD), read without a backend. A value of any other form fails the test.
    virtual Stored StoredValue(std::string_view key, std::string_view name) const = 0;

    // From now on the store's keys can be neither opened nor created; what the store holds
    // stays there.
    virtual void MakeKeysUnopenable() = 0;

    // A backend whose keys open but refuse every write.
    virtual std::unique_ptr<pagora::SettingsBackend> RefusingBackend() = 0;
};
