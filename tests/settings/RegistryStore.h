#pragma once

#include "StoreUnderTest.h"

#include <optional>
#include <string>
#include <vector>
#include <windows.h>

// A value as the registry holds it: its type and its bytes.
struct RawValue {
    DWORD Type = REG_NONE;
    std::vector<BYTE> Bytes;

    bool operator==(const RawValue&) const = default;
};

// A registry key of the test's own, HKEY_CURRENT_USER\Software\AVR-Pagora tests\<process>-<n>,
// stands in for the user's branch while the object lives: HKEY_CURRENT_USER is redirected to
// it in this process (RegOverridePredefKey), so the backend runs unchanged and nothing of the
// user's own settings is read or written. The key and all below it are deleted afterwards.
class RegistryStore : public StoreUnderTest {
public:
    RegistryStore();
    ~RegistryStore() override;
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    std::unique_ptr<pagora::SettingsBackend> NewBackend() override;
    bool KeyExists(std::string_view key) const override;
    Stored StoredValue(std::string_view key, std::string_view name) const override;
    // Both keys get a security descriptor that grants reading only: the full access the store
    // asks for is denied.
    void MakeKeysUnopenable() override;
    // Each key is deleted, through a handle of its own, right after the backend opened it, as
    // another program might do: the registry refuses writes to a deleted key.
    std::unique_ptr<pagora::SettingsBackend> RefusingBackend() override;

    // The value as stored; nothing when it is missing.
    std::optional<RawValue> Raw(std::string_view key, std::string_view name) const;
    void WriteRaw(std::string_view key, std::string_view name, const RawValue& value) const;

    static std::wstring Wide(std::string_view text);

private:
    std::wstring rootPath_;
    HKEY root_ = nullptr;
    std::vector<std::wstring> protectedKeys_;
};
