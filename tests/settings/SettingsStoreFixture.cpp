#include "SettingsStoreFixture.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

namespace {

std::optional<std::string> Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

void Restore(const char* name, const std::optional<std::string>& value) {
    if (value)
        setenv(name, value->c_str(), 1);
    else
        unsetenv(name);
}

} // namespace

void SettingsStoreFixture::SetUp() {
    savedXdg_ = Env("XDG_CONFIG_HOME");
    savedHome_ = Env("HOME");
    std::string pattern = (std::filesystem::temp_directory_path() / "pagora-settings-XXXXXX");
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    // Traversable by everyone, so a test may drop its privileges and still reach the store.
    std::filesystem::permissions(
        root_, std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                   std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                   std::filesystem::perms::others_exec);
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    pagora::SetSettingsBackend(std::make_unique<pagora::FileSettingsBackend>());
}

void SettingsStoreFixture::TearDown() {
    pagora::SetSettingsBackend(nullptr);
    Restore("XDG_CONFIG_HOME", savedXdg_);
    Restore("HOME", savedHome_);
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root_, ignored))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root_, ignored);
}

void Store(std::string_view key, std::string_view name, const Stored& value) {
    if (std::holds_alternative<std::monostate>(value))
        return;
    auto opened = pagora::FileSettingsBackend().OpenKey(key);
    ASSERT_TRUE(opened);
    if (const auto* text = std::get_if<std::string>(&value))
        ASSERT_TRUE(opened->WriteText(name, *text));
    else
        ASSERT_TRUE(opened->WriteInt(name, std::get<std::int32_t>(value)));
}

std::string SettingsStoreFixture::FileBytes() const {
    std::ifstream in(StoreFile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void SettingsStoreFixture::WriteFileBytes(const std::string& bytes) const {
    std::filesystem::create_directories(StoreFile().parent_path());
    std::ofstream out(StoreFile(), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::optional<QJsonObject> SettingsStoreFixture::ParsedFile() const {
    const std::string bytes = FileBytes();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), &error);
    if (bytes.empty() || error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}
