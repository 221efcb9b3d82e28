#pragma once

#include "settings/Settings.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "RegistryStore.h"
using PlatformStore = RegistryStore;
#else
#include "FileStore.h"
using PlatformStore = FileStore;
#endif

// Each test gets the platform's real store, empty, and the rules use it through a backend
// made as the program makes one.
class SettingsStoreFixture : public ::testing::Test, public PlatformStore {
protected:
    void SetUp() override { pagora::SetSettingsBackend(NewBackend()); }
    void TearDown() override { pagora::SetSettingsBackend(nullptr); }

    // Writes the value with its type through a backend of its own, as another running
    // instance would; a missing one is not written.
    void Store(std::string_view key, std::string_view name, const Stored& value);
};
