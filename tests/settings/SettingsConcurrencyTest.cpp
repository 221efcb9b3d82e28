// Two running instances writing the same store at the same time.
#include "SettingsStoreFixture.h"

#include <QJsonValue>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace pagora;

namespace {

constexpr int kRounds = 500;

// Each round makes one call: the writer's own value (counting up), the shared "Width" (each
// writer with its own numbers) or the shared options, in turn.
struct Writer {
    std::int32_t widthBase;
    const char* ownName;
    std::int32_t arrangement;
    const char* blockSize;
};

constexpr Writer kWriters[] = {{100000, "SplitterLeft", 0, "10 x 10"},
                               {200000, "SplitterTop", 1, "30 x 30"}};

void WriteRound(const Writer& writer, int round) {
    switch (round % 3) {
    case 0:
        WriteIntSetting(writer.ownName, round);
        break;
    case 1:
        WriteIntSetting("Width", writer.widthBase + round);
        break;
    default:
        SaveOptions(writer.arrangement, writer.blockSize);
        break;
    }
}

// A pipe between the test and its writers: one byte a signal.
struct Pipe {
    int fds[2] = {-1, -1};
    Pipe() {
        if (pipe(fds) != 0)
            fds[0] = fds[1] = -1;
    }
    ~Pipe() {
        for (int fd : fds)
            if (fd >= 0)
                close(fd);
    }
    bool Send() const {
        const char byte = 1;
        return write(fds[1], &byte, 1) == 1;
    }
    bool Receive() const {
        char byte = 0;
        return read(fds[0], &byte, 1) == 1;
    }
};

// Halfway through, a writer says so on `halfway` and waits for a byte on `resume`, so that the
// test reads the store at least once while both writers are in the middle of their work.
pid_t StartWriter(const Writer& writer, const Pipe& halfway, const Pipe& resume) {
    const pid_t child = fork();
    if (child != 0)
        return child;
    try {
        for (int round = 0; round < kRounds; ++round) {
            if (round == kRounds / 2 && !(halfway.Send() && resume.Receive()))
                _exit(2);
            WriteRound(writer, round);
        }
    } catch (...) {
        _exit(1);
    }
    _exit(0);
}

int LastRound(int remainder) {
    int round = kRounds - 1;
    while (round % 3 != remainder)
        --round;
    return round;
}

bool IsWrittenWidth(std::int32_t width) {
    for (const Writer& writer : kWriters)
        if (width >= writer.widthBase && width < writer.widthBase + kRounds)
            return true;
    return width == 1;
}

// Stops the writers still running when the test ends early, before the store goes away.
struct Writers {
    pid_t pids[2] = {0, 0};
    ~Writers() {
        for (pid_t pid : pids)
            if (pid > 0) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
            }
    }
};

using SettingsConcurrencyTest = SettingsStoreFixture;

TEST_F(SettingsConcurrencyTest, TwoInstancesNeverTearTheFileNorLoseWrites) {
    WriteIntSetting("Width", 1);
    for (const Writer& writer : kWriters)
        WriteIntSetting(writer.ownName, -1);
    SaveOptions(1, "25 x 25");

    const Pipe halfway;
    const Pipe resume;
    ASSERT_GE(halfway.fds[0], 0);
    ASSERT_GE(resume.fds[0], 0);
    ASSERT_EQ(fcntl(halfway.fds[0], F_SETFL, O_NONBLOCK), 0);
    Writers writers;
    pid_t* children = writers.pids;
    children[0] = StartWriter(kWriters[0], halfway, resume);
    children[1] = StartWriter(kWriters[1], halfway, resume);
    ASSERT_GT(children[0], 0);
    ASSERT_GT(children[1], 0);

    int statuses[] = {0, 0};
    int running = 2;
    int checks = 0;
    int halfwayWriters = 0;      // writers waiting halfway
    bool released = false;       // the writers were told to go on
    bool checkedHalfway = false; // the store was read while both waited there
    std::int32_t lastOwn[] = {-1, -1};
    while (running > 0 && !HasFailure()) {
        for (int i = 0; i < 2; ++i)
            if (children[i] > 0 && waitpid(children[i], &statuses[i], WNOHANG) == children[i]) {
                children[i] = 0;
                --running;
            }
        while (halfwayWriters < 2 && halfway.Receive())
            ++halfwayWriters;
        // Once no writer is still on its way to halfway (one that failed early never gets
        // there), the others go on after this round's checks.
        const bool release = !released && halfwayWriters + (2 - running) >= 2;

        const auto file = ParsedFile();
        ASSERT_TRUE(file) << "torn file after " << checks << " checks:\n" << FileBytes();
        const QJsonObject values = file->value("Software\\Kestrelwerk\\ISPPagora").toObject();
        EXPECT_TRUE(IsWrittenWidth(values["Width"].toInt(0))) << values["Width"].toInt(0);
        const QString blockSize = values["BlockSize"].toString();
        EXPECT_TRUE(blockSize == "25 x 25" || blockSize == "10 x 10" || blockSize == "30 x 30")
            << blockSize.toStdString();

        // Through the rules as well. Each writer counts its own value up: a lost write or
        // a file that read as empty would show as a step back.
        const std::string number = ReadBlockSize();
        EXPECT_TRUE(number == "25" || number == "10" || number == "30") << number;
        for (int i = 0; i < 2; ++i) {
            const std::int32_t own = ReadIntSetting(kWriters[i].ownName);
            EXPECT_GE(own, lastOwn[i]) << kWriters[i].ownName << " after " << checks << " checks";
            lastOwn[i] = own;
        }
        ++checks;
        if (release) {
            released = true;
            checkedHalfway = halfwayWriters == 2;
            ASSERT_TRUE(resume.Send() && resume.Send());
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    for (int i = 0; i < 2; ++i) {
        if (children[i] > 0) {
            waitpid(children[i], &statuses[i], 0);
            children[i] = 0;
        }
        ASSERT_TRUE(WIFEXITED(statuses[i]));
        EXPECT_EQ(WEXITSTATUS(statuses[i]), 0) << "writer " << i << " had a write refused";
    }

    EXPECT_TRUE(checkedHalfway);
    const auto file = ParsedFile();
    ASSERT_TRUE(file);
    const QJsonObject values = file->value("Software\\Kestrelwerk\\ISPPagora").toObject();
    const std::int32_t width = values["Width"].toInt();
    EXPECT_TRUE(width == kWriters[0].widthBase + LastRound(1) ||
                width == kWriters[1].widthBase + LastRound(1))
        << width;
    EXPECT_EQ(values["SplitterLeft"], QJsonValue(LastRound(0)));
    EXPECT_EQ(values["SplitterTop"], QJsonValue(LastRound(0)));
    // Saving the options writes "ArrangeMemory" and then "BlockSize", each write on its own, as
    // the registry takes them: two instances saving at once may leave one's arrangement beside
    // the other's block size, but each value is one a writer saved, never the one from before.
    const int arrangement = values["ArrangeMemory"].toInt(-1);
    const QString blockSize = values["BlockSize"].toString();
    EXPECT_TRUE(arrangement == kWriters[0].arrangement || arrangement == kWriters[1].arrangement)
        << arrangement;
    EXPECT_TRUE(blockSize == kWriters[0].blockSize || blockSize == kWriters[1].blockSize)
        << blockSize.toStdString();

    std::vector<std::string> leftOver;
    for (const auto& entry : std::filesystem::directory_iterator(StoreFile().parent_path()))
        leftOver.push_back(entry.path().filename().string());
    std::sort(leftOver.begin(), leftOver.end());
    EXPECT_EQ(leftOver, (std::vector<std::string>{"settings.json", "settings.json.lock"}))
        << "no temporary file stays behind";
}

} // namespace
