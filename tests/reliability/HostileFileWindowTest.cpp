// Hostile files opened by the main window the way its open command does (FileOpen1Accept,
// guarded like the action): an error shows its message in the standard error box and leaves
// the image, the grid and the pages exactly as they were; a good image is shown fitted to the
// controller; no file is changed by being opened.
#include "BoxAnswerer.h"
#include "HostileFiles.h"
#include "TestFiles.h"
#include "UiTestSupport.h"
#include "WindowState.h"
#include "ui/Globals.h"
#include "ui/Messages.h"
#include "ui/THexGridView.h"
#include "ui/TMainFrm.h"

#include <QtTest>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace pagora;
using namespace pagora::reliability;

namespace {

const QString kController = QStringLiteral("ATmega8");
constexpr std::size_t kControllerLines = 8 * 1024 / 16;
constexpr std::size_t kControllerPages = 8 * 1024 / 64;

std::string ExampleText() {
    std::ifstream in(PAGORA_EXAMPLES "/blink-atmega8.hex", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The state a user is in before opening the hostile file: the example on an ATmega8.
void ShowPrevious(TMainFrm& window, const std::string& previous) {
    Choose(window, kController);
    window.FileOpen1Accept(QString::fromStdString(previous));
    Settle(window);
}

// Opens a file as the open command does; false when it failed and the error box was shown.
bool Open(TMainFrm& window, const std::string& path) {
    return RunGuarded(&window, [&] { window.FileOpen1Accept(QString::fromStdString(path)); });
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// Run as "nobody" for the unreadable file: opens it on top of the example and prints each box
// ("box\t<title>\t<text>") and whether the window kept what it showed.
int OpenAsHelper(const std::string& previous, const std::string& path) {
    BoxAnswerer boxes;
    TMainFrm window;
    window.show();
    ShowPrevious(window, previous);
    const THexContainer before = *window.FHexContainer;
    const ShownPages shown = PagesShown(window);
    boxes.Clear();
    Open(window, path);
    Settle(window);
    for (const BoxAnswerer::Box& box : boxes.Seen()) {
        std::printf("box\t%s\t%s\n", qPrintable(box.title), qPrintable(box.text));
    }
    const bool kept = *window.FHexContainer == before && PagesShown(window) == shown;
    std::printf(kept ? "previous kept\n" : "previous changed\n");
    std::fflush(stdout);
    window.close();
    return 0;
}

} // namespace

class HostileFileWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensHostileFile_data() {
        QTest::addColumn<QString>("name");
        for (const std::string& name : CaseNames()) {
            QTest::newRow(name.c_str()) << Text(name);
        }
    }

    void opensHostileFile() {
        QFETCH(QString, name);
        const HostileCase& c = CaseNamed(name.toStdString());
        TempFolder folder;
        const std::string previous = folder.Write("previous.hex", ExampleText());
        const std::string path = Place(c, folder);
        const FileSnapshot before = Snapshot(path);

        if (c.kind == Kind::Unreadable && IgnoresPermissions()) {
            OpenAsNobody(c, folder, previous, path);
        } else {
            OpenHere(c, previous, path);
        }
        QVERIFY2(Snapshot(path) == before, "opening changed the file");
    }

private:
    static void OpenHere(const HostileCase& c, const std::string& previous,
                         const std::string& path) {
        BoxAnswerer boxes;
        TMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ShowPrevious(window, previous);
        QVERIFY(boxes.Seen().isEmpty());
        const THexContainer image = *window.FHexContainer;
        const ShownPages shown = PagesShown(window);
        QCOMPARE(shown.rows, static_cast<int>(kControllerLines));
        QCOMPARE(shown.pages.size(), kControllerPages);

        const bool opened = Open(window, path);
        Settle(window);
        if (!c.error.empty()) {
            QVERIFY(!opened);
            QCOMPARE(boxes.Seen().size(), 1);
            const BoxAnswerer::Box& box = boxes.Seen().first();
            QCOMPARE(box.title, QStringLiteral("AVR-Pagora"));
            QCOMPARE(box.text, ErrorBoxText(Text(ErrorFor(c, path))));
            QCOMPARE(box.icon, QMessageBox::Critical);
            QVERIFY2(*window.FHexContainer == image, "the failed open changed the image");
            QVERIFY2(PagesShown(window) == shown, "the failed open changed grid or pages");
            return;
        }
        QVERIFY(opened);
        // The image stretched to the controller's flash; longer images keep all their lines.
        const std::size_t lines = std::max(c.lines, kControllerLines);
        QCOMPARE(Text(ImageMismatch(*window.FHexContainer, c, lines)), QString());
        QCOMPARE(window.VirtualStringTree1->RowCount(), static_cast<int>(lines));
        QCOMPARE(PageList->Count(), kControllerPages);
        const bool fits = c.lines <= kControllerLines;
        QCOMPARE(DataDoesNotFit, !fits);
        QCOMPARE(boxes.Seen().size(), fits ? 0 : 1);
        if (!fits) {
            QCOMPARE(boxes.Seen().first().title, QStringLiteral("Fehler"));
        }
    }

    static void OpenAsNobody(const HostileCase& c, const TempFolder& folder,
                             const std::string& previous, const std::string& path) {
        const std::string prefix = AsNobodyPrefix();
        QVERIFY2(!prefix.empty(), "setpriv (util-linux) is missing: as root every file is "
                                  "readable, so the unreadable file cannot be tried");
        // A copy of this program where nobody may run it, with settings and runtime folders
        // nobody may write.
        const std::string self =
            CopyForNobody(QCoreApplication::applicationFilePath().toStdString(), folder);
        const std::string config = FolderForNobody(folder, "config");
        const std::string runtime = FolderForNobody(folder, "runtime");
        const std::string errors = folder.File("helper-errors.txt");
        const CommandResult run =
            RunCommand(prefix + "env XDG_CONFIG_HOME=" + ShellQuoted(config) +
                       " XDG_RUNTIME_DIR=" + ShellQuoted(runtime) + " " + ShellQuoted(self) +
                       " --open-as-helper " + ShellQuoted(previous) + " " + ShellQuoted(path) +
                       " 2>" + ShellQuoted(errors));
        std::ifstream in(errors);
        std::ostringstream stderrText;
        stderrText << in.rdbuf();
        QVERIFY2(run.status == 0, stderrText.str().c_str());
        const std::string expected = "box\tAVR-Pagora\t" +
                                     ErrorBoxText(Text(ErrorFor(c, path))).toStdString() +
                                     "\nprevious kept\n";
        QCOMPARE(Text(run.output), Text(expected));
    }
};

int main(int argc, char** argv) {
    if (argc == 4 && std::string_view(argv[1]) == "--open-as-helper") {
        QApplication app(argc, argv); // with the folders the test hands it
        return OpenAsHelper(argv[2], argv[3]);
    }
    const pagora::test::PrivateSettingsFolder privateSettings;
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    HostileFileWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "HostileFileWindowTest.moc"
