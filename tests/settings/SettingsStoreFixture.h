#pragma once

#include "settings/FileSettingsBackend.h"
#include "settings/Settings.h"

#include <QByteArray>
#include <QJsonObject>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <variant>

// A value as it lies in the store: missing, text or integer.
using Stored = std::variant<std::monostate, std::string, std::int32_t>;

// Writes the value with its type straight through the file backend; a missing one is not
// written.
void Store(std::string_view key, std::string_view name, const Stored& value);

// Each test gets its own empty store: XDG_CONFIG_HOME points at a fresh temporary folder
// and the file backend is installed.
class SettingsStoreFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

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
