// The read and write rules against the platform's real store: the per-user file on Linux, the
// registry on Windows. Both pass the same cases.
#include "ErrorOf.h"
#include "SettingsStoreFixture.h"

#include <climits>

using namespace pagora;

namespace {

struct BlockSizeCase {
    const char* label;
    Stored stored;
    std::string expected;

    friend void PrintTo(const BlockSizeCase& c, std::ostream* os) { *os << c.label; }
};

class ReadBlockSizeTest : public SettingsStoreFixture,
                          public ::testing::WithParamInterface<BlockSizeCase> {};

TEST_P(ReadBlockSizeTest, GivesTheNumberPart) {
    Store(kProgramKey, "BlockSize", GetParam().stored);
    EXPECT_EQ(ReadBlockSize(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadBlockSizeTest,
    ::testing::Values(BlockSizeCase{"Missing", {}, "25"},
                      BlockSizeCase{"Empty", std::string(""), "25"},
                      BlockSizeCase{"TenByTen", std::string("10 x 10"), "10"},
                      BlockSizeCase{"FiveByFive", std::string("5 x 5"), "5"},
                      BlockSizeCase{"NotInTheList", std::string("7 x 7"), "7"},
                      BlockSizeCase{"NoBlankIsCutToNothing", std::string("25"), ""},
                      BlockSizeCase{"LeadingBlankIsCutToNothing", std::string(" 10 x 10"), ""},
                      BlockSizeCase{"ControlsTrimmed", std::string("\t\r30\n x 30"), "30"},
                      BlockSizeCase{"Integer", std::int32_t{10}, "25"}),
    [](const auto& info) { return std::string(info.param.label); });

struct ArrangementCase {
    const char* label;
    Stored stored;
    std::uint8_t expected;

    friend void PrintTo(const ArrangementCase& c, std::ostream* os) { *os << c.label; }
};

class ReadArrangementTest : public SettingsStoreFixture,
                            public ::testing::WithParamInterface<ArrangementCase> {};

TEST_P(ReadArrangementTest, IsZeroOnlyForAnIntegerZero) {
    Store(kProgramKey, "ArrangeMemory", GetParam().stored);
    EXPECT_EQ(ReadArrangement(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadArrangementTest,
                         ::testing::Values(ArrangementCase{"Missing", {}, 1},
                                           ArrangementCase{"Zero", std::int32_t{0}, 0},
                                           ArrangementCase{"One", std::int32_t{1}, 1},
                                           ArrangementCase{"Five", std::int32_t{5}, 1},
                                           ArrangementCase{"MinusOne", std::int32_t{-1}, 1},
                                           ArrangementCase{"Smallest", std::int32_t{INT32_MIN}, 1},
                                           ArrangementCase{"TextZero", std::string("0"), 1}),
                         [](const auto& info) { return std::string(info.param.label); });

struct IntCase {
    const char* label;
    Stored stored;
    std::int32_t expected;

    friend void PrintTo(const IntCase& c, std::ostream* os) { *os << c.label; }
};

class ReadIntSettingTest : public SettingsStoreFixture,
                           public ::testing::WithParamInterface<IntCase> {};

TEST_P(ReadIntSettingTest, ReadsIntegersOnly) {
    Store(kProgramKey, "Width", GetParam().stored);
    EXPECT_EQ(ReadIntSetting("Width"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadIntSettingTest,
                         ::testing::Values(IntCase{"Missing", {}, NoValue},
                                           IntCase{"Width", std::int32_t{1024}, 1024},
                                           IntCase{"Negative", std::int32_t{-8}, -8},
                                           IntCase{"Largest", std::int32_t{INT32_MAX}, INT32_MAX},
                                           IntCase{"Text", std::string("800"), NoValue}),
                         [](const auto& info) { return std::string(info.param.label); });

using SettingsRulesTest = SettingsStoreFixture;

constexpr const char* kIntNames[] = {"Width", "Height", "SplitterLeft", "SplitterTop"};

TEST_F(SettingsRulesTest, EmptyStoreGivesDefaultsAndCreatesTheProgramKey) {
    EXPECT_FALSE(KeyExists(kProgramKey));
    EXPECT_EQ(ReadBlockSize(), "25");
    EXPECT_EQ(ReadArrangement(), 1);
    for (const char* name : kIntNames)
        EXPECT_EQ(ReadIntSetting(name), NoValue) << name;

    EXPECT_TRUE(KeyExists(kProgramKey)) << "opening creates the key";
    for (const char* name : {"BlockSize", "ArrangeMemory", "Width", "Height"})
        EXPECT_EQ(StoredValue(kProgramKey, name), Stored{}) << "reading wrote " << name;
}

TEST_F(SettingsRulesTest, WrittenIntegersReadBackAndAreStoredAsIntegers) {
    WriteIntSetting("Width", 1280);
    WriteIntSetting("Height", -720);
    WriteIntSetting("SplitterLeft", INT32_MIN);
    EXPECT_EQ(ReadIntSetting("Width"), 1280);
    EXPECT_EQ(ReadIntSetting("Height"), -720);
    EXPECT_EQ(ReadIntSetting("SplitterLeft"), INT32_MIN);
    EXPECT_EQ(ReadIntSetting("SplitterTop"), NoValue);
    EXPECT_EQ(StoredValue(kProgramKey, "Width"), Stored{std::int32_t{1280}});
    EXPECT_EQ(StoredValue(kProgramKey, "Height"), Stored{std::int32_t{-720}});
}

TEST_F(SettingsRulesTest, WritingReplacesAValueOfTheOtherType) {
    Store(kProgramKey, "Width", std::string("800"));
    EXPECT_EQ(ReadIntSetting("Width"), NoValue);
    WriteIntSetting("Width", 640);
    EXPECT_EQ(ReadIntSetting("Width"), 640);
    EXPECT_EQ(StoredValue(kProgramKey, "Width"), Stored{std::int32_t{640}});

    Store(kProgramKey, "BlockSize", std::int32_t{10});
    EXPECT_EQ(ReadBlockSize(), "25");
    SaveOptions(0, "10 x 10");
    EXPECT_EQ(ReadBlockSize(), "10");
    EXPECT_EQ(StoredValue(kProgramKey, "BlockSize"), Stored{std::string("10 x 10")});
}

TEST_F(SettingsRulesTest, SaveOptionsWritesBothChoices) {
    SaveOptions(0, "30 x 30");
    EXPECT_EQ(ReadBlockSize(), "30");
    EXPECT_EQ(ReadArrangement(), 0);
    SaveOptions(1, "");
    EXPECT_EQ(ReadBlockSize(), "25");
    EXPECT_EQ(ReadArrangement(), 1);
    EXPECT_EQ(StoredValue(kProgramKey, "ArrangeMemory"), Stored{std::int32_t{1}});
    EXPECT_EQ(StoredValue(kProgramKey, "BlockSize"), Stored{std::string("")});
}

TEST_F(SettingsRulesTest, ProgramPathGoesToTheMakerKeyOnly) {
    for (const char* path :
         {"/home/jürgen/bin/avr-pagora", "C:\\Users\\Jürgen\\AVR-Pagora\\avr-pagora.exe"}) {
        RegisterProgramPath(path);
        EXPECT_EQ(StoredValue(kMakerKey, "Pagora"), Stored{std::string(path)});
        EXPECT_EQ(StoredValue(kProgramKey, "Pagora"), Stored{});
    }
}

TEST_F(SettingsRulesTest, KeysKeepTheirValuesApart) {
    Store(kMakerKey, "Width", std::int32_t{999});
    EXPECT_EQ(ReadIntSetting("Width"), NoValue);
    WriteIntSetting("Width", 111);
    EXPECT_EQ(StoredValue(kMakerKey, "Width"), Stored{std::int32_t{999}});
    EXPECT_EQ(StoredValue(kProgramKey, "Width"), Stored{std::int32_t{111}});
}

TEST_F(SettingsRulesTest, EveryReadSeesWhatAnotherInstanceWrote) {
    WriteIntSetting("Width", 800);
    EXPECT_EQ(ReadIntSetting("Width"), 800);
    Store(kProgramKey, "Width", std::int32_t{1024});
    Store(kProgramKey, "ArrangeMemory", std::int32_t{0});
    EXPECT_EQ(ReadIntSetting("Width"), 1024);
    EXPECT_EQ(ReadArrangement(), 0);
}

// Reads give their fallbacks, writes are skipped without an error, and what the store held is
// neither read nor changed.
TEST_F(SettingsRulesTest, KeysThatCannotBeOpened) {
    Store(kProgramKey, "Width", std::int32_t{1024});
    Store(kProgramKey, "ArrangeMemory", std::int32_t{0});
    Store(kProgramKey, "BlockSize", std::string("10 x 10"));
    Store(kMakerKey, "Pagora", std::string("/usr/bin/avr-pagora"));
    MakeKeysUnopenable();

    EXPECT_EQ(ReadBlockSize(), "");
    EXPECT_EQ(ReadArrangement(), 1);
    EXPECT_EQ(ReadIntSetting("Width"), -1);
    EXPECT_EQ(ReadIntSetting("Height"), -1);
    EXPECT_EQ(ErrorOf([] { WriteIntSetting("Width", 800); }), "no error");
    EXPECT_EQ(ErrorOf([] { SaveOptions(1, "30 x 30"); }), "no error");
    EXPECT_EQ(ErrorOf([] { RegisterProgramPath("/opt/avr-pagora"); }), "no error");

    EXPECT_EQ(StoredValue(kProgramKey, "Width"), Stored{std::int32_t{1024}});
    EXPECT_EQ(StoredValue(kProgramKey, "ArrangeMemory"), Stored{std::int32_t{0}});
    EXPECT_EQ(StoredValue(kProgramKey, "BlockSize"), Stored{std::string("10 x 10")});
    EXPECT_EQ(StoredValue(kMakerKey, "Pagora"), Stored{std::string("/usr/bin/avr-pagora")});
}

TEST_F(SettingsRulesTest, RefusedWritesNameTheValue) {
    SetSettingsBackend(RefusingBackend());
    EXPECT_EQ(ErrorOf([] { WriteIntSetting("Width", 800); }),
              "Fehler beim Setzen der Daten für 'Width'");
    EXPECT_EQ(ErrorOf([] { SaveOptions(0, "10 x 10"); }),
              "Fehler beim Setzen der Daten für 'ArrangeMemory'");
    EXPECT_EQ(ErrorOf([] { RegisterProgramPath("/usr/bin/avr-pagora"); }),
              "Fehler beim Setzen der Daten für 'Pagora'");
    EXPECT_EQ(StoredValue(kProgramKey, "Width"), Stored{});
    EXPECT_EQ(StoredValue(kMakerKey, "Pagora"), Stored{});
}

} // namespace
