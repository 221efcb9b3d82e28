#pragma once

#include "StoreUnderTest.h"

#include <QJsonObject>
#include <filesystem>
#include <optional>
#include <string>

// The per-user settings file in a fresh temporary folder: XDG_CONFIG_HOME points there for
// as long as the object lives, and HOME and XDG_CONFIG_HOME are restored afterwards.
class FileStore : public StoreUnderTest {
public:
    FileStore();
    ~FileStore() override;
    FileStore(const FileStore&) = delete;
    FileStore& operator=(const FileStore&) = delete;

    std::unique_ptr<pagora::SettingsBackend> NewBackend() override;
    bool KeyExists(std::string_view key) const override;
    Stored StoredValue(std::string_view key, std::string_view name) const override;
    // Neither XDG_CONFIG_HOME nor HOME is set: there is no place for the file.
    void MakeKeysUnopenable() override;
    // XDG_CONFIG_HOME lies under a regular file, so the folder cannot be made.
    std::unique_ptr<pagora::SettingsBackend> RefusingBackend() override;

    std::filesystem::path Root() const { return root_; }
    std::filesystem::path StoreFile() const { return root_ / "config/avr-pagora/settings.json"; }

    // The file's bytes; empty when it is missing.
    std::string FileBytes() const;
    void WriteFileBytes(const std::string& bytes) const;
    // The file's root object; nothing when it is missing or does not parse as an object.
    std::optional<QJsonObject> ParsedFile() const;

private:
    std::filesystem::path root_;
    std::optional<std::string> savedXdg_;
    std::optional<std::string> savedHome_;
};
