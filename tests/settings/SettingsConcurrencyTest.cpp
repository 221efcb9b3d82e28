// Two running instances writing the same store at the same time.
#include "SettingsStoreFixture.h"

#include <QJsonValue>
#include <chrono>
#include <csignal>
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

pid_t StartWriter(const Writer& writer) {
    const pid_t child = fork();
    if (child != 0)
        return child;
    try {
        for (int round = 0; round < kRounds; ++round)
            WriteRound(writer, round);
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

    Writers writers;
    pid_t* children = writers.pids;
    children[0] = StartWriter(kWriters[0]);
    children[1] = StartWriter(kWriters[1]);
    ASSERT_GT(children[0], 0);
    ASSERT_GT(children[1], 0);

    int statuses[] = {0, 0};
    int running = 2;
    int checks = 0;
    std::int32_t lastOwn[] = {-1, -1};
    while (running > 0 && !HasFailure()) {
        for (int i = 0; i < 2; ++i)
            if (children[i] > 0 && waitpid(children[i], &statuses[i], WNOHANG) == children[i]) {
                children[i] = 0;
                --running;
            }

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

    EXPECT_GT(checks, 10);
    const auto file = ParsedFile();
    ASSERT_TRUE(file);
    const QJsonObject values = file->value("Software\\Kestrelwerk\\ISPPagora").toObject();
    const std::int32_t width = values["Width"].toInt();
    EXPECT_TRUE(width == kWriters[0].widthBase + LastRound(1) ||
                width == kWriters[1].widthBase + LastRound(1))
        << width;
    EXPECT_EQ(values["SplitterLeft"], QJsonValue(LastRound(0)));
    EXPECT_EQ(values["SplitterTop"], QJsonValue(LastRound(0)));
    EXPECT_EQ(values["ArrangeMemory"].toInt(-1) == 0, values["BlockSize"] == "10 x 10")
        << "both options come from the same writer's last call";

    std::vector<std::string> leftOver;
    for (const auto& entry : std::filesystem::directory_iterator(StoreFile().parent_path()))
        leftOver.push_back(entry.path().filename().string());
    std::sort(leftOver.begin(), leftOver.end());
    EXPECT_EQ(leftOver, (std::vector<std::string>{"settings.json", "settings.json.lock"}))
        << "no temporary file stays behind";
}

} // namespace
