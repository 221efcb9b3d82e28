// The rules over a backend whose keys cannot be opened or whose writes are refused.
#include "ErrorOf.h"
#include "FakeSettingsBackend.h"
#include "settings/Settings.h"

#include <functional>
#include <gtest/gtest.h>

using namespace pagora;

namespace {

class SettingsBackendRulesTest : public ::testing::Test {
protected:
    void SetUp() override { SetSettingsBackend(std::make_unique<FakeSettingsBackend>(store)); }
    void TearDown() override { SetSettingsBackend(nullptr); }

    std::map<std::string, FakeStore::Value>& Program() {
        return store->keys["Software\\Kestrelwerk\\ISPPagora"];
    }

    std::shared_ptr<FakeStore> store = std::make_shared<FakeStore>();
};

TEST_F(SettingsBackendRulesTest, KeyThatCannotBeOpened) {
    store->openFails = true;
    EXPECT_EQ(ReadBlockSize(), "");
    EXPECT_EQ(ReadArrangement(), 1);
    EXPECT_EQ(ReadIntSetting("Width"), -1);
    EXPECT_NO_THROW(WriteIntSetting("Width", 800));
    EXPECT_NO_THROW(SaveOptions(0, "10 x 10"));
    EXPECT_NO_THROW(RegisterProgramPath("/usr/bin/avr-pagora"));
    EXPECT_TRUE(store->keys.empty());
}

TEST_F(SettingsBackendRulesTest, RefusedWritesNameTheValue) {
    store->refusedNames = {"Width", "BlockSize", "Pagora"};
    EXPECT_EQ(ErrorOf([] { WriteIntSetting("Width", 800); }),
              "Fehler beim Setzen der Daten für 'Width'");
    EXPECT_EQ(ErrorOf([] { RegisterProgramPath("/usr/bin/avr-pagora"); }),
              "Fehler beim Setzen der Daten für 'Pagora'");
    EXPECT_EQ(store->openNow, 0) << "a failing write still closes its key";
}

TEST_F(SettingsBackendRulesTest, SaveOptionsStopsAtTheFirstRefusedValue) {
    store->refusedNames = {"BlockSize"};
    EXPECT_EQ(ErrorOf([] { SaveOptions(0, "10 x 10"); }),
              "Fehler beim Setzen der Daten für 'BlockSize'");
    EXPECT_EQ(Program()["ArrangeMemory"], FakeStore::Value(std::int32_t{0}));
    EXPECT_FALSE(Program().count("BlockSize"));

    store->refusedNames = {"ArrangeMemory"};
    EXPECT_EQ(ErrorOf([] { SaveOptions(1, "30 x 30"); }),
              "Fehler beim Setzen der Daten für 'ArrangeMemory'");
    EXPECT_FALSE(Program().count("BlockSize"));
}

TEST_F(SettingsBackendRulesTest, EachOperationOpensItsKeyOnceAndClosesIt) {
    const std::string program = "Software\\Kestrelwerk\\ISPPagora";
    const std::string maker = "Software\\Kestrelwerk";
    const std::vector<std::pair<std::function<void()>, std::string>> operations = {
        {[] { ReadBlockSize(); }, program},
        {[] { ReadArrangement(); }, program},
        {[] { ReadIntSetting("Height"); }, program},
        {[] { WriteIntSetting("Height", 600); }, program},
        {[] { SaveOptions(1, "25 x 25"); }, program},
        {[] { RegisterProgramPath("/opt/avr-pagora"); }, maker},
    };
    for (const auto& [operation, key] : operations) {
        store->opened.clear();
        operation();
        EXPECT_EQ(store->opened, std::vector<std::string>{key});
        EXPECT_EQ(store->openNow, 0);
    }
}

TEST_F(SettingsBackendRulesTest, NothingIsCached) {
    Program()["ArrangeMemory"] = std::int32_t{0};
    EXPECT_EQ(ReadArrangement(), 0);
    Program()["ArrangeMemory"] = std::int32_t{1};
    EXPECT_EQ(ReadArrangement(), 1);
}

} // namespace
