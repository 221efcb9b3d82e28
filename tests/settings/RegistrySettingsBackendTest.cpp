// The registry as the store holds it: REG_SZ and REG_DWORD values, values of the other registry
// types, and what the registry itself refuses.
#include "SettingsStoreFixture.h"

#include <cstring>

using namespace pagora;
using namespace std::string_literals;

namespace {

RawValue Dword(DWORD number) {
    RawValue value{REG_DWORD, std::vector<BYTE>(sizeof number)};
    std::memcpy(value.Bytes.data(), &number, sizeof number);
    return value;
}

// UTF-16 text with its terminator, as a REG_SZ holds it.
RawValue Text(const std::wstring& text, DWORD type = REG_SZ) {
    RawValue value{type, std::vector<BYTE>((text.size() + 1) * sizeof(wchar_t))};
    std::memcpy(value.Bytes.data(), text.c_str(), value.Bytes.size());
    return value;
}

RawValue Bytes(DWORD type, std::vector<BYTE> bytes) {
    return RawValue{type, std::move(bytes)};
}

using RegistrySettingsBackendTest = SettingsStoreFixture;

TEST_F(RegistrySettingsBackendTest, IntegersAreDwordsAndTextsAreStrings) {
    WriteIntSetting("Width", -1);
    WriteIntSetting("Height", 0x12345678);
    SaveOptions(0, "20 x 20");
    RegisterProgramPath("C:\\Users\\Jürgen\\AVR-Pagora\\avr-pagora.exe");

    EXPECT_EQ(Raw(kProgramKey, "Width"), Bytes(REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Raw(kProgramKey, "Height"), Bytes(REG_DWORD, {0x78, 0x56, 0x34, 0x12}));
    EXPECT_EQ(Raw(kProgramKey, "ArrangeMemory"), Dword(0));
    EXPECT_EQ(Raw(kProgramKey, "BlockSize"), Text(L"20 x 20"));
    EXPECT_EQ(Raw(kMakerKey, "Pagora"),
              Text(L"C:\\Users\\J\u00fcrgen\\AVR-Pagora\\avr-pagora.exe"));
}

// The program registers its own file at start-up: the path the system gives for it comes back
// unchanged.
TEST_F(RegistrySettingsBackendTest, ThisProgramsPathComesBackAsItIs) {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
           path.size())
        path.resize(path.size() * 2);
    ASSERT_GT(length, 0u);
    path.resize(length);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(length),
                                          nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(length), utf8.data(), bytes,
                        nullptr, nullptr);

    RegisterProgramPath(utf8);
    EXPECT_EQ(Raw(kMakerKey, "Pagora"), Text(path));
}

enum class Read { BlockSize, Arrangement, Width };

struct RegistryFormCase {
    const char* label;
    const char* name;
    RawValue stored;
    Read read;
    std::string expected;

    friend void PrintTo(const RegistryFormCase& c, std::ostream* os) { *os << c.label; }
};

std::string ReadAsText(Read read) {
    switch (read) {
    case Read::BlockSize:
        return ReadBlockSize();
    case Read::Arrangement:
        return std::to_string(ReadArrangement());
    case Read::Width:
        return std::to_string(ReadIntSetting("Width"));
    }
    return {};
}

class RegistryFormTest : public SettingsStoreFixture,
                         public ::testing::WithParamInterface<RegistryFormCase> {};

// Only a REG_DWORD of four bytes is an integer; text is a REG_SZ or REG_EXPAND_SZ, read up to
// its first terminator, with or without one at the end.
TEST_P(RegistryFormTest, ReadsAsTheRulesSay) {
    WriteRaw(kProgramKey, GetParam().name, GetParam().stored);
    EXPECT_EQ(ReadAsText(GetParam().read), GetParam().expected);
}

std::wstring LongBlockSize() {
    return L"1234 x " + std::wstring(100000, L'x');
}

const std::string kNoValue = std::to_string(NoValue);

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistryFormTest,
    ::testing::Values(
        RegistryFormCase{"Dword", "Width", Dword(1024), Read::Width, "1024"},
        RegistryFormCase{"Qword", "Width", Bytes(REG_QWORD, {0, 4, 0, 0, 0, 0, 0, 0}), Read::Width,
                         kNoValue},
        RegistryFormCase{"BinaryOfFourBytes", "Width", Bytes(REG_BINARY, {0, 4, 0, 0}), Read::Width,
                         kNoValue},
        RegistryFormCase{"BigEndianDword", "Width", Bytes(REG_DWORD_BIG_ENDIAN, {0, 0, 4, 0}),
                         Read::Width, kNoValue},
        RegistryFormCase{"ShortDword", "Width", Bytes(REG_DWORD, {0, 4}), Read::Width, kNoValue},
        RegistryFormCase{"NoneType", "Width", Bytes(REG_NONE, {}), Read::Width, kNoValue},
        RegistryFormCase{"ShortText", "Width", Text(L"8"), Read::Width, kNoValue},
        RegistryFormCase{"ArrangementAsBinaryZero", "ArrangeMemory",
                         Bytes(REG_BINARY, {0, 0, 0, 0}), Read::Arrangement, "1"},
        RegistryFormCase{"ExpandableText", "BlockSize", Text(L"10 x 10", REG_EXPAND_SZ),
                         Read::BlockSize, "10"},
        RegistryFormCase{"TextWithoutTerminator", "BlockSize",
                         Bytes(REG_SZ, {'1', 0, '5', 0, ' ', 0, 'x', 0, ' ', 0, '1', 0, '5', 0}),
                         Read::BlockSize, "15"},
        RegistryFormCase{"TextOfOddLength", "BlockSize",
                         Bytes(REG_SZ, {'5', 0, ' ', 0, 'x', 0, ' ', 0, '5', 0, 0}),
                         Read::BlockSize, "5"},
        RegistryFormCase{"TextEndsAtItsFirstTerminator", "BlockSize", Text(L"20 x 20\0junk x"s),
                         Read::BlockSize, "20"},
        RegistryFormCase{"LongText", "BlockSize", Text(LongBlockSize()), Read::BlockSize, "1234"},
        RegistryFormCase{"NonLatinText", "BlockSize", Text(L"\u0661\u0660 x 10"), Read::BlockSize,
                         "\u0661\u0660"},
        RegistryFormCase{"MultiText", "BlockSize",
                         Bytes(REG_MULTI_SZ, {'5', 0, ' ', 0, 'x', 0, 0, 0, 0, 0}), Read::BlockSize,
                         "25"},
        RegistryFormCase{"BinaryBlockSize", "BlockSize", Bytes(REG_BINARY, {'5', 0, ' ', 0, 0, 0}),
                         Read::BlockSize, "25"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(RegistrySettingsBackendTest, WritingReplacesAValueOfAnyRegistryType) {
    WriteRaw(kProgramKey, "Width", Bytes(REG_QWORD, {0, 4, 0, 0, 0, 0, 0, 0}));
    WriteRaw(kProgramKey, "BlockSize", Bytes(REG_BINARY, {1, 2, 3}));
    WriteIntSetting("Width", 800);
    SaveOptions(1, "5 x 5");
    EXPECT_EQ(Raw(kProgramKey, "Width"), Dword(800));
    EXPECT_EQ(Raw(kProgramKey, "BlockSize"), Text(L"5 x 5"));
}

// The registry takes value names of up to 16,383 characters and refuses longer ones.
TEST_F(RegistrySettingsBackendTest, OverlongValueNameIsRefused) {
    const std::string longest(16383, 'W');
    WriteIntSetting(longest, 7);
    EXPECT_EQ(ReadIntSetting(longest), 7);

    const std::string tooLong(16384, 'W');
    try {
        WriteIntSetting(tooLong, 7);
        ADD_FAILURE() << "the write was not refused";
    } catch (const ESettingsError& error) {
        EXPECT_EQ(error.what(), "Fehler beim Setzen der Daten für '" + tooLong + "'");
    }
    EXPECT_EQ(ReadIntSetting(tooLong), NoValue);
}

} // namespace
