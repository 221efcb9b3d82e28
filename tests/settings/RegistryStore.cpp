#include "RegistryStore.h"

#include "settings/RegistrySettingsBackend.h"
#include "settings/Settings.h"

#include <cstring>
#include <gtest/gtest.h>
#include <sddl.h>

namespace {

constexpr wchar_t kTestsKey[] = L"Software\\AVR-Pagora tests";

// Grants everyone reading (and the owner, implicitly, changing the security back).
constexpr wchar_t kReadOnly[] = L"D:P(A;;KR;;;WD)";
constexpr wchar_t kFullAccess[] = L"D:P(A;;KA;;;WD)";

std::string Utf8(const std::wstring& wide) {
    if (wide.empty())
        return {};
    const int length = static_cast<int>(wide.size());
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, text.data(), bytes, nullptr, nullptr);
    return text;
}

bool SetSecurity(HKEY key, const wchar_t* sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor,
                                                              nullptr))
        return false;
    const LONG result = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
    LocalFree(descriptor);
    return result == ERROR_SUCCESS;
}

class DeletingBackend : public pagora::SettingsBackend {
public:
    explicit DeletingBackend(HKEY root) : root_(root) {}

    std::unique_ptr<pagora::SettingsKey> OpenKey(std::string_view path) override {
        auto key = backend_.OpenKey(path);
        if (key) {
            EXPECT_EQ(RegDeleteTreeW(root_, RegistryStore::Wide(path).c_str()), ERROR_SUCCESS);
        }
        return key;
    }

private:
    HKEY root_;
    pagora::RegistrySettingsBackend backend_;
};

} // namespace

std::wstring RegistryStore::Wide(std::string_view text) {
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), wideLength);
    return wide;
}

RegistryStore::RegistryStore() {
    static int made = 0;
    for (int attempt = 0; attempt < 100 && root_ == nullptr; ++attempt) {
        rootPath_ = std::wstring(kTestsKey) + L"\\" + std::to_wstring(GetCurrentProcessId()) +
                    L"-" + std::to_wstring(++made);
        HKEY key = nullptr;
        DWORD disposition = 0;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, rootPath_.c_str(), 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                            &disposition) != ERROR_SUCCESS) {
            ADD_FAILURE() << "no test key";
            return;
        }
        if (disposition == REG_CREATED_NEW_KEY)
            root_ = key;
        else
            RegCloseKey(key); // another run's: left alone
    }
    if (root_ == nullptr || RegOverridePredefKey(HKEY_CURRENT_USER, root_) != ERROR_SUCCESS)
        ADD_FAILURE() << "HKEY_CURRENT_USER not redirected to a test key";
}

RegistryStore::~RegistryStore() {
    if (root_ == nullptr)
        return;
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    for (const std::wstring& path : protectedKeys_) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(root_, path.c_str(), 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
            SetSecurity(key, kFullAccess);
            RegCloseKey(key);
        }
    }
    RegCloseKey(root_);
    EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, rootPath_.c_str()), ERROR_SUCCESS);
    // Gone once no other test process has a key there.
    RegDeleteKeyW(HKEY_CURRENT_USER, kTestsKey);
}

std::unique_ptr<pagora::SettingsBackend> RegistryStore::NewBackend() {
    return std::make_unique<pagora::RegistrySettingsBackend>();
}

bool RegistryStore::KeyExists(std::string_view key) const {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root_, Wide(key).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

std::optional<RawValue> RegistryStore::Raw(std::string_view key, std::string_view name) const {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root_, Wide(key).c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return std::nullopt;
    const std::wstring valueName = Wide(name);
    RawValue value;
    DWORD size = 0;
    LONG result = RegQueryValueExW(opened, valueName.c_str(), nullptr, &value.Type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
        value.Bytes.resize(size);
        result = RegQueryValueExW(opened, valueName.c_str(), nullptr, &value.Type,
                                  value.Bytes.data(), &size);
        value.Bytes.resize(size);
    }
    RegCloseKey(opened);
    if (result != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void RegistryStore::WriteRaw(std::string_view key, std::string_view name,
                             const RawValue& value) const {
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root_, Wide(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &opened, nullptr),
              ERROR_SUCCESS);
    const LONG result = RegSetValueExW(opened, Wide(name).c_str(), 0, value.Type,
                                       value.Bytes.data(), static_cast<DWORD>(value.Bytes.size()));
    RegCloseKey(opened);
    ASSERT_EQ(result, ERROR_SUCCESS);
}

Stored RegistryStore::StoredValue(std::string_view key, std::string_view name) const {
    const auto value = Raw(key, name);
    if (!value)
        return {};
    if (value->Type == REG_DWORD && value->Bytes.size() == sizeof(DWORD)) {
        DWORD number = 0;
        std::memcpy(&number, value->Bytes.data(), sizeof number);
        return static_cast<std::int32_t>(number);
    }
    const std::size_t characters = value->Bytes.size() / sizeof(wchar_t);
    if (value->Type == REG_SZ && characters > 0 && value->Bytes.size() % sizeof(wchar_t) == 0) {
        std::wstring text(characters, L'\0');
        std::memcpy(text.data(), value->Bytes.data(), value->Bytes.size());
        if (text.back() == L'\0') {
            text.pop_back();
            return Utf8(text);
        }
    }
    ADD_FAILURE() << "neither a REG_SZ with its terminator nor a REG_DWORD: " << name;
    return {};
}

void RegistryStore::MakeKeysUnopenable() {
    for (const std::string_view path : {pagora::kProgramKey, pagora::kMakerKey}) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(root_, Wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const bool set = SetSecurity(key, kReadOnly);
        RegCloseKey(key);
        ASSERT_TRUE(set);
        protectedKeys_.push_back(Wide(path));
    }
}

std::unique_ptr<pagora::SettingsBackend> RegistryStore::RefusingBackend() {
    return std::make_unique<DeletingBackend>(root_);
}
