#include "settings/RegistrySettingsBackend.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <limits>
#include <string>
#include <windows.h>

namespace pagora {

namespace {

std::wstring Widen(std::string_view text) {
    if (text.empty())
        return {};
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return {};
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    if (wideLength <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), wideLength);
    return wide;
}

std::string Narrow(std::wstring_view text) {
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int narrowLength =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (narrowLength <= 0)
        return {};
    std::string narrow(static_cast<std::size_t>(narrowLength), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, narrow.data(), narrowLength, nullptr,
                        nullptr);
    return narrow;
}

class RegistrySettingsKey : public SettingsKey {
public:
    explicit RegistrySettingsKey(HKEY key) : key_(key) {}
    ~RegistrySettingsKey() override { RegCloseKey(key_); }
    RegistrySettingsKey(const RegistrySettingsKey&) = delete;
    RegistrySettingsKey& operator=(const RegistrySettingsKey&) = delete;

    std::optional<std::string> ReadText(std::string_view name) override {
        const std::wstring valueName = Widen(name);
        // The value may grow between asking for its size and reading it: ask again.
        for (int attempt = 0; attempt < 4; ++attempt) {
            DWORD type = 0;
            DWORD bytes = 0;
            if (RegQueryValueExW(key_, valueName.c_str(), nullptr, &type, nullptr, &bytes) !=
                ERROR_SUCCESS)
                return std::nullopt;
            if (type != REG_SZ && type != REG_EXPAND_SZ)
                return std::nullopt;
            // One spare character: a stored string need not end with its terminator.
            std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
            DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
            const LONG result = RegQueryValueExW(key_, valueName.c_str(), nullptr, &type,
                                                 reinterpret_cast<BYTE*>(buffer.data()), &size);
            if (result == ERROR_MORE_DATA)
                continue;
            if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
                return std::nullopt;
            buffer.resize(size / sizeof(wchar_t));
            const auto end = buffer.find(L'\0');
            if (end != std::wstring::npos)
                buffer.resize(end);
            return Narrow(buffer);
        }
        return std::nullopt;
    }

    std::optional<std::int32_t> ReadInt(std::string_view name) override {
        const std::wstring valueName = Widen(name);
        DWORD type = 0;
        DWORD value = 0;
        DWORD size = sizeof(value);
        if (RegQueryValueExW(key_, valueName.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
            return std::nullopt;
        if (type != REG_DWORD || size != sizeof(value))
            return std::nullopt;
        return static_cast<std::int32_t>(value);
    }

    bool WriteText(std::string_view name, std::string_view value) override {
        const std::wstring valueName = Widen(name);
        const std::wstring data = Widen(value);
        const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
        return RegSetValueExW(key_, valueName.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(data.c_str()), bytes) == ERROR_SUCCESS;
    }

    bool WriteInt(std::string_view name, std::int32_t value) override {
        const std::wstring valueName = Widen(name);
        const DWORD data = static_cast<DWORD>(value);
        return RegSetValueExW(key_, valueName.c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&data), sizeof(data)) == ERROR_SUCCESS;
    }

private:
    HKEY key_;
};

} // namespace

std::unique_ptr<SettingsKey> RegistrySettingsBackend::OpenKey(std::string_view path) {
    const std::wstring keyPath = Widen(path);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<RegistrySettingsKey>(key);
}

} // namespace pagora
