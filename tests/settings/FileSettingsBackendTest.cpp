// The per-user settings file: where it lies, what it holds, damaged files and folders that
// cannot be written.
#include "settings/FileSettingsBackend.h"

#include "SettingsStoreFixture.h"

#include <QJsonValue>
#include <fstream>
#include <functional>
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace pagora;

namespace {

std::string ErrorOfWidthWrite() {
    try {
        WriteIntSetting("Width", 800);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "no error";
}

using FileSettingsBackendTest = SettingsStoreFixture;

TEST_F(FileSettingsBackendTest, FileLiesUnderTheConfigHome) {
    EXPECT_EQ(FileSettingsBackend::FilePath(), StoreFile().string());
    WriteIntSetting("Width", 800);
    EXPECT_TRUE(std::filesystem::is_regular_file(StoreFile()));

    // A relative XDG_CONFIG_HOME is ignored in favour of ~/.config.
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    setenv("HOME", (Root() / "home").c_str(), 1);
    EXPECT_EQ(FileSettingsBackend::FilePath(),
              (Root() / "home/.config/avr-pagora/settings.json").string());
    EXPECT_EQ(ReadIntSetting("Width"), NoValue);
    WriteIntSetting("Width", 640);
    EXPECT_EQ(ReadIntSetting("Width"), 640);
    EXPECT_TRUE(std::filesystem::is_regular_file(Root() / "home/.config/avr-pagora/settings.json"));
}

TEST_F(FileSettingsBackendTest, NoLocationAtAllMeansTheKeyCannotBeOpened) {
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("HOME");
    EXPECT_EQ(FileSettingsBackend::FilePath(), std::nullopt);
    EXPECT_EQ(ReadIntSetting("Width"), -1);
    EXPECT_EQ(ReadBlockSize(), "");
    EXPECT_NO_THROW(WriteIntSetting("Width", 800));
}

struct HandEditedCase {
    const char* label;
    const char* json;
    std::int32_t width;

    friend void PrintTo(const HandEditedCase& c, std::ostream* os) { *os << c.label; }
};

class HandEditedValueTest : public SettingsStoreFixture,
                            public ::testing::WithParamInterface<HandEditedCase> {};

// Only whole JSON numbers within 32 bits are integers; anything else reads as no integer.
TEST_P(HandEditedValueTest, WidthReadsAsInt32OrNothing) {
    WriteFileBytes(std::string(R"({"Software\\Kestrelwerk\\ISPPagora": {"Width": )") +
                   GetParam().json + "}}");
    EXPECT_EQ(ReadIntSetting("Width"), GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(Cases, HandEditedValueTest,
                         ::testing::Values(HandEditedCase{"Whole", "800", 800},
                                           HandEditedCase{"WholeWithFraction", "800.0", 800},
                                           HandEditedCase{"Negative", "-2147483647", -2147483647},
                                           HandEditedCase{"Largest", "2147483647", 2147483647},
                                           HandEditedCase{"BeyondInt32", "2147483648", NoValue},
                                           HandEditedCase{"FarBeyond", "1e30", NoValue},
                                           HandEditedCase{"Fraction", "800.5", NoValue},
                                           HandEditedCase{"Bool", "true", NoValue},
                                           HandEditedCase{"Null", "null", NoValue},
                                           HandEditedCase{"Object", "{}", NoValue}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(FileSettingsBackendTest, KeyOfTheWrongShapeIsReplacedByTheNextWrite) {
    WriteFileBytes(
        R"({"Software\\Kestrelwerk\\ISPPagora": 5, "Software\\Kestrelwerk": {"Pagora": "/x"}})");
    EXPECT_EQ(ReadIntSetting("Width"), NoValue);
    WriteIntSetting("Width", 800);
    EXPECT_EQ(ReadIntSetting("Width"), 800);
    EXPECT_EQ(ParsedFile()->value("Software\\Kestrelwerk")["Pagora"], QJsonValue("/x"));
}

std::string TruncatedStore() {
    return R"({
    "Software\\Kestrelwerk": {"Pagora": "/usr/bin/avr-pagora"},
    "Software\\Kestrelwerk\\ISPPagora": {"ArrangeMemory": 0, "BlockSize": "10 x 10", "Wi)";
}

struct DamagedCase {
    const char* label;
    std::string bytes;

    friend void PrintTo(const DamagedCase& c, std::ostream* os) { *os << c.label; }
};

class DamagedFileTest : public SettingsStoreFixture,
                        public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedFileTest, ReadsAsEmptyAndIsReplacedByTheNextWrite) {
    WriteFileBytes(GetParam().bytes);

    EXPECT_EQ(ReadBlockSize(), "25");
    EXPECT_EQ(ReadArrangement(), 1);
    EXPECT_EQ(ReadIntSetting("Width"), NoValue);
    EXPECT_EQ(FileBytes(), GetParam().bytes) << "reading leaves the file alone";

    WriteIntSetting("Width", 1024);
    const auto file = ParsedFile();
    ASSERT_TRUE(file) << FileBytes();
    EXPECT_EQ(file->keys(), QStringList{"Software\\Kestrelwerk\\ISPPagora"});
    EXPECT_EQ(file->value("Software\\Kestrelwerk\\ISPPagora").toObject(),
              QJsonObject({{"Width", 1024}}));
    EXPECT_EQ(ReadIntSetting("Width"), 1024);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedFileTest,
    ::testing::Values(DamagedCase{"Empty", ""}, DamagedCase{"Truncated", TruncatedStore()},
                      DamagedCase{"Garbage", std::string("\x89PNG\r\n\x1a\n\0\0\0", 11)},
                      DamagedCase{"Zeros", std::string(64, '\0')},
                      DamagedCase{"Array", "[1, 2, 3]"}, DamagedCase{"Text", "\"Width\""}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(FileSettingsBackendTest, TruncatedCopyOfARealFileReadsAsDefaults) {
    SaveOptions(0, "10 x 10");
    WriteIntSetting("Width", 1024);
    const std::string whole = FileBytes();
    WriteFileBytes(whole.substr(0, whole.size() / 2));
    EXPECT_EQ(ReadArrangement(), 1);
    EXPECT_EQ(ReadIntSetting("Width"), NoValue);
    SaveOptions(0, "20 x 20");
    EXPECT_TRUE(ParsedFile());
    EXPECT_EQ(ReadBlockSize(), "20");
    EXPECT_EQ(ReadArrangement(), 0);
}

// Another instance replaces the whole file between two reads.
TEST_F(FileSettingsBackendTest, EveryReadSeesTheFileAsItIsNow) {
    WriteIntSetting("Width", 800);
    EXPECT_EQ(ReadIntSetting("Width"), 800);
    WriteFileBytes(R"({"Software\\Kestrelwerk\\ISPPagora": {"Width": 1024, "ArrangeMemory": 0}})");
    EXPECT_EQ(ReadIntSetting("Width"), 1024);
    EXPECT_EQ(ReadArrangement(), 0);
}

TEST_F(FileSettingsBackendTest, SettingsPathThatIsAFolderRefusesWrites) {
    std::filesystem::create_directories(StoreFile());
    EXPECT_EQ(ReadIntSetting("Width"), NoValue);
    EXPECT_EQ(ErrorOfWidthWrite(), "Fehler beim Setzen der Daten für 'Width'");
    EXPECT_TRUE(std::filesystem::is_directory(StoreFile()));
}

// Runs check() in a child process without the right to ignore permissions: as root the
// child becomes "nobody". Gives the child's exit code.
int ExitCodeWithoutPrivileges(const std::function<int()>& check) {
    const pid_t child = fork();
    if (child == -1)
        return -1;
    if (child == 0) {
        if (geteuid() == 0) {
            const passwd* nobody = getpwnam("nobody");
            const uid_t uid = nobody ? nobody->pw_uid : 65534;
            const gid_t gid = nobody ? nobody->pw_gid : 65534;
            if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0)
                _exit(100);
        }
        _exit(check());
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// The permissions below are the same for owner, group and others, so that they bind the child
// whether it runs as the owner (a normal user) or as nobody (under root).
TEST_F(FileSettingsBackendTest, FolderWithoutWritePermissionRefusesWrites) {
    WriteIntSetting("Width", 1280);
    const std::string before = FileBytes();
    namespace fs = std::filesystem;
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::owner_exec |
                               fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(StoreFile().parent_path(), readOnly);
    EXPECT_EQ(ExitCodeWithoutPrivileges([] {
                  if (ReadIntSetting("Width") != 1280)
                      return 1;
                  return ErrorOfWidthWrite() == "Fehler beim Setzen der Daten für 'Width'" ? 0 : 2;
              }),
              0)
        << "1: value not read, 2: write not refused";
    fs::permissions(StoreFile().parent_path(), fs::perms::owner_all);
    EXPECT_EQ(FileBytes(), before);
}

// A file the user may not read must not be replaced by one holding only the new value.
TEST_F(FileSettingsBackendTest, UnreadableFileIsNeitherReadNorReplaced) {
    SaveOptions(0, "10 x 10");
    WriteIntSetting("Width", 1280);
    const std::string before = FileBytes();
    namespace fs = std::filesystem;
    fs::permissions(StoreFile().parent_path(), fs::perms::all);
    // Writable but not readable, so that only the reading keeps it.
    fs::permissions(StoreFile(),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write);
    fs::permissions(StoreFile().string() + ".lock",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                        fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
    EXPECT_EQ(ExitCodeWithoutPrivileges([] {
                  if (ReadIntSetting("Width") != NoValue || ReadArrangement() != 1)
                      return 1;
                  return ErrorOfWidthWrite() == "Fehler beim Setzen der Daten für 'Width'" ? 0 : 2;
              }),
              0)
        << "1: unreadable file not read as empty, 2: write not refused";
    fs::permissions(StoreFile(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(FileBytes(), before);
}

} // namespace
