// Hostile files opened through the reader's file entry, the one the window calls: each gives its
// exact error or its exact image, a failed open leaves the image loaded before untouched, and no
// file is changed by being opened. Every case, the large ones included, writes its file into
// the test's own temporary folder.
#include "HostileFiles.h"
#include "TestFiles.h"
#include "image/Errors.h"
#include "image/THexContainer.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

using namespace pagora;
using namespace pagora::reliability;

namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Which of the reader's errors a case raises, told by its message.
std::string ErrorType(const HostileCase& c) {
    if (c.error == kNoHexNumber) {
        return "EConvertError";
    }
    if (c.error == kHexFileTooLarge) {
        return "EListError";
    }
    return "EFileError";
}

class HostileFile : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        previous_ = folder_.Write("previous.hex", ReadText(PAGORA_EXAMPLES "/blink-atmega8.hex"));
        store_.LoadFromHexFile(previous_);
        ASSERT_EQ(store_.Count(), 16u);
    }

    // The unreadable case as a user who cannot read it: in a helper process.
    void OpenAsNobody(const HostileCase& c, const std::string& path) {
        const std::string prefix = AsNobodyPrefix();
        ASSERT_FALSE(prefix.empty()) << "setpriv (util-linux) is missing: as root every file is "
                                        "readable, so the unreadable file cannot be tried";
        // A copy: the build folder may be closed to the user nobody.
        const std::string helper = CopyForNobody(PAGORA_OPEN_FILE_HELPER, folder_);
        const CommandResult run =
            RunCommand(prefix + ShellQuoted(helper) + " " + ShellQuoted(previous_) + " " +
                       ShellQuoted(path) + " 2>&1");
        EXPECT_EQ(run.status, 0) << run.output;
        EXPECT_EQ(run.output, "error\t" + ErrorFor(c, path) + "\nprevious kept\n");
    }

    TempFolder folder_;
    std::string previous_;
    THexContainer store_;
};

TEST_P(HostileFile, GivesItsErrorOrItsImage) {
    const HostileCase& c = CaseNamed(GetParam());
    const std::string path = Place(c, folder_);
    const FileSnapshot before = Snapshot(path);

    if (c.kind == Kind::Unreadable && IgnoresPermissions()) {
        OpenAsNobody(c, path);
    } else {
        const THexContainer previous = store_;
        std::string raised;
        std::string message;
        try {
            store_.LoadFromHexFile(path);
        } catch (const EConvertError& error) {
            raised = "EConvertError";
            message = error.what();
        } catch (const EListError& error) {
            raised = "EListError";
            message = error.what();
        } catch (const EFileError& error) {
            raised = "EFileError";
            message = error.what();
        }
        if (c.error.empty()) {
            EXPECT_EQ(raised, "") << message;
            EXPECT_EQ(ImageMismatch(store_, c, c.lines), "");
        } else {
            EXPECT_EQ(raised, ErrorType(c));
            EXPECT_EQ(message, ErrorFor(c, path));
            EXPECT_TRUE(store_ == previous) << "the failed open changed the image shown before";
        }
    }
    EXPECT_TRUE(Snapshot(path) == before) << "opening changed " << path;
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileFile, testing::ValuesIn(CaseNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             return info.param;
                         });

// The same text gives the same image from memory as from a file, whatever it is.
TEST(HostileText, ReadsAlikeFromMemory) {
    for (const HostileCase& c : HostileCases()) {
        if (c.kind != Kind::File || c.large) {
            continue;
        }
        THexContainer store;
        try {
            store.LoadFromHexText(c.content());
            EXPECT_EQ(c.error, "") << c.name;
            EXPECT_EQ(ImageMismatch(store, c, c.lines), "") << c.name;
        } catch (const std::exception& error) {
            EXPECT_EQ(error.what(), c.error) << c.name;
            EXPECT_EQ(store.Count(), 0u) << c.name;
        }
    }
}

} // namespace
