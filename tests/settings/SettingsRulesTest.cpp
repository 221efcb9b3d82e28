// The read and write rules against the real per-user file.
#include "SettingsStoreFixture.h"

#include <QJsonValue>
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

TEST_F(SettingsRulesTest, EmptyStoreGivesDefaultsAndCreatesTheProgramKey) {
    EXPECT_EQ(ReadBlockSize(), "25");
    EXPECT_EQ(ReadArrangement(), 1);
    for (const char* name : {"Width", "Height", "SplitterLeft", "SplitterTop"})
        EXPECT_EQ(ReadIntSetting(name), NoValue) << name;

    const auto file = ParsedFile();
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->value("Software\\Kestrelwerk\\ISPPagora").isObject());
    EXPECT_TRUE(file->value("Software\\Kestrelwerk\\ISPPagora").toObject().isEmpty());
}

TEST_F(SettingsRulesTest, WrittenIntegersReadBack) {
    WriteIntSetting("Width", 1280);
    WriteIntSetting("Height", 720);
    WriteIntSetting("SplitterLeft", 504);
    EXPECT_EQ(ReadIntSetting("Width"), 1280);
    EXPECT_EQ(ReadIntSetting("Height"), 720);
    EXPECT_EQ(ReadIntSetting("SplitterLeft"), 504);
    EXPECT_EQ(ReadIntSetting("SplitterTop"), NoValue);
}

TEST_F(SettingsRulesTest, WritingReplacesAValueOfTheOtherType) {
    Store(kProgramKey, "Width", std::string("800"));
    WriteIntSetting("Width", 640);
    EXPECT_EQ(ReadIntSetting("Width"), 640);
    EXPECT_EQ(ParsedFile()->value("Software\\Kestrelwerk\\ISPPagora")["Width"], QJsonValue(640));

    Store(kProgramKey, "BlockSize", std::int32_t{10});
    SaveOptions(0, "10 x 10");
    EXPECT_EQ(ReadBlockSize(), "10");
}

TEST_F(SettingsRulesTest, SaveOptionsWritesBothChoices) {
    SaveOptions(0, "30 x 30");
    EXPECT_EQ(ReadBlockSize(), "30");
    EXPECT_EQ(ReadArrangement(), 0);
    SaveOptions(1, "");
    EXPECT_EQ(ReadBlockSize(), "25");
    EXPECT_EQ(ReadArrangement(), 1);

    const auto values = ParsedFile()->value("Software\\Kestrelwerk\\ISPPagora").toObject();
    EXPECT_EQ(values["ArrangeMemory"], QJsonValue(1));
    EXPECT_EQ(values["BlockSize"], QJsonValue(""));
}

TEST_F(SettingsRulesTest, ProgramPathGoesToTheMakerKeyOnly) {
    RegisterProgramPath("/home/jürgen/bin/avr-pagora");

    auto maker = FileSettingsBackend().OpenKey(kMakerKey);
    ASSERT_TRUE(maker);
    EXPECT_EQ(maker->ReadText("Pagora"), "/home/jürgen/bin/avr-pagora");
    auto program = FileSettingsBackend().OpenKey(kProgramKey);
    ASSERT_TRUE(program);
    EXPECT_EQ(program->ReadText("Pagora"), std::nullopt);

    const auto file = ParsedFile();
    ASSERT_TRUE(file);
    EXPECT_EQ(file->value("Software\\Kestrelwerk")["Pagora"],
              QJsonValue(QString::fromUtf8("/home/jürgen/bin/avr-pagora")));
}

TEST_F(SettingsRulesTest, KeysKeepTheirValuesApart) {
    Store(kMakerKey, "Width", std::int32_t{999});
    EXPECT_EQ(ReadIntSetting("Width"), NoValue);
    WriteIntSetting("Width", 111);
    auto maker = FileSettingsBackend().OpenKey(kMakerKey);
    EXPECT_EQ(maker->ReadInt("Width"), 999);
}

TEST_F(SettingsRulesTest, EveryReadSeesTheFileAsItIsNow) {
    WriteIntSetting("Width", 800);
    EXPECT_EQ(ReadIntSetting("Width"), 800);
    // Another instance replaces the file.
    WriteFileBytes(R"({"Software\\Kestrelwerk\\ISPPagora": {"Width": 1024, "ArrangeMemory": 0}})");
    EXPECT_EQ(ReadIntSetting("Width"), 1024);
    EXPECT_EQ(ReadArrangement(), 0);
}

} // namespace
