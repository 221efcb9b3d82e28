#include "FileStore.h"

#include "settings/FileSettingsBackend.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

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

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

FileStore::FileStore() : savedXdg_(Env("XDG_CONFIG_HOME")), savedHome_(Env("HOME")) {
    std::string pattern = (std::filesystem::temp_directory_path() / "pagora-settings-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "no temporary folder " << pattern;
        return;
    }
    root_ = pattern;
    // Traversable by everyone, so a test may drop its privileges and still reach the store.
    namespace fs = std::filesystem;
    fs::permissions(root_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec);
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
}

FileStore::~FileStore() {
    Restore("XDG_CONFIG_HOME", savedXdg_);
    Restore("HOME", savedHome_);
    if (root_.empty())
        return;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root_, ignored))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root_, ignored);
}

std::unique_ptr<pagora::SettingsBackend> FileStore::NewBackend() {
    return std::make_unique<pagora::FileSettingsBackend>();
}

bool FileStore::KeyExists(std::string_view key) const {
    const auto file = ParsedFile();
    return file && file->value(Q(key)).isObject();
}

Stored FileStore::StoredValue(std::string_view key, std::string_view name) const {
    const auto file = ParsedFile();
    if (!file)
        return {};
    const QJsonValue value = file->value(Q(key)).toObject().value(Q(name));
    if (value.isUndefined())
        return {};
    if (value.isString())
        return value.toString().toStdString();
    const double number = value.toDouble();
    if (value.isDouble() && number >= INT32_MIN && number <= INT32_MAX &&
        number == std::trunc(number))
        return static_cast<std::int32_t>(number);
    ADD_FAILURE() << "neither text nor a 32-bit integer: " << name;
    return {};
}

void FileStore::MakeKeysUnopenable() {
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("HOME");
}

std::unique_ptr<pagora::SettingsBackend> FileStore::RefusingBackend() {
    std::ofstream(root_ / "plain-file") << "not a folder";
    setenv("XDG_CONFIG_HOME", (root_ / "plain-file/config").c_str(), 1);
    return NewBackend();
}

std::string FileStore::FileBytes() const {
    std::ifstream in(StoreFile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void FileStore::WriteFileBytes(const std::string& bytes) const {
    std::filesystem::create_directories(StoreFile().parent_path());
    std::ofstream out(StoreFile(), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::optional<QJsonObject> FileStore::ParsedFile() const {
    const std::string bytes = FileBytes();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), &error);
    if (bytes.empty() || error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}
