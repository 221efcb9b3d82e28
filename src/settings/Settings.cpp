#include "settings/Settings.h"

#include <utility>

namespace pagora {

namespace {

constexpr std::string_view kBlockSize = "BlockSize";
constexpr std::string_view kArrangeMemory = "ArrangeMemory";
constexpr std::string_view kProgramPath = "Pagora";
constexpr std::string_view kDefaultBlockSize = "25";

std::unique_ptr<SettingsBackend>& InstalledBackend() {
    static std::unique_ptr<SettingsBackend> backend;
    return backend;
}

SettingsBackend& Backend() {
    auto& backend = InstalledBackend();
    if (!backend)
        backend = MakeDefaultSettingsBackend();
    return *backend;
}

std::unique_ptr<SettingsKey> Open(std::string_view path) {
    return Backend().OpenKey(path);
}

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// The part before the first blank, without surrounding blanks and control characters;
// a text without a blank gives nothing.
std::string NumberPart(std::string_view text) {
    const auto blank = text.find(' ');
    std::string_view part =
        blank == std::string_view::npos ? std::string_view{} : text.substr(0, blank);
    while (!part.empty() && IsBlankOrControl(part.front()))
        part.remove_prefix(1);
    while (!part.empty() && IsBlankOrControl(part.back()))
        part.remove_suffix(1);
    return std::string(part);
}

void WriteInt(SettingsKey& key, std::string_view name, std::int32_t value) {
    if (!key.WriteInt(name, value))
        throw ESettingsError(name);
}

void WriteText(SettingsKey& key, std::string_view name, std::string_view value) {
    if (!key.WriteText(name, value))
        throw ESettingsError(name);
}

} // namespace

std::string ReadBlockSize() {
    const auto key = Open(kProgramKey);
    if (!key)
        return {};
    const std::string text = key->ReadText(kBlockSize).value_or(std::string{});
    if (text.empty())
        return std::string(kDefaultBlockSize);
    return NumberPart(text);
}

std::uint8_t ReadArrangement() {
    const auto key = Open(kProgramKey);
    if (!key)
        return 1;
    return key->ReadInt(kArrangeMemory) == 0 ? 0 : 1;
}

std::int32_t ReadIntSetting(std::string_view name) {
    const auto key = Open(kProgramKey);
    if (!key)
        return -1;
    return key->ReadInt(name).value_or(NoValue);
}

void WriteIntSetting(std::string_view name, std::int32_t value) {
    if (const auto key = Open(kProgramKey))
        WriteInt(*key, name, value);
}

void SaveOptions(std::int32_t arrangement, std::string_view blockSizeText) {
    const auto key = Open(kProgramKey);
    if (!key)
        return;
    WriteInt(*key, kArrangeMemory, arrangement);
    WriteText(*key, kBlockSize, blockSizeText);
}

void RegisterProgramPath(std::string_view fullPath) {
    if (const auto key = Open(kMakerKey))
        WriteText(*key, kProgramPath, fullPath);
}

void SetSettingsBackend(std::unique_ptr<SettingsBackend> backend) {
    InstalledBackend() = std::move(backend);
}

} // namespace pagora
