// A settings store that cannot be written: the window says so in the standard error box when
// it starts (recording the program's path) and when it closes (keeping its size), and works
// on with the defaults in between and at the next start.
#include "BoxAnswerer.h"
#include "TestFiles.h"
#include "UiTestSupport.h"
#include "WindowState.h"
#include "ui/Globals.h"
#include "ui/MainLayout.h"
#include "ui/THexGridView.h"
#include "ui/TMainFrm.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace pagora;
using namespace pagora::reliability;

namespace {

// The example image; a run as another user is handed a copy it can read.
QString Example() {
    const QString copy = qEnvironmentVariable("PAGORA_TEST_EXAMPLE");
    return copy.isEmpty() ? QStringLiteral(PAGORA_EXAMPLES "/blink-atmega8.hex") : copy;
}

// The message ends in a quote, which sorts before the full stop: the box adds none.
QString Refused(const char* name) {
    return QStringLiteral("Fehler beim Setzen der Daten für '%1'").arg(QLatin1String(name));
}

} // namespace

class SettingsFaultWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { qputenv("XDG_CONFIG_HOME", savedConfigHome_); }

    void unwritableStore_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("folder_below_a_file") << QStringLiteral("folder_below_a_file");
        QTest::newRow("store_is_a_folder") << QStringLiteral("store_is_a_folder");
        QTest::newRow("folder_without_write_permission")
            << QStringLiteral("folder_without_write_permission");
    }

    void unwritableStore() {
        QFETCH(QString, fault);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString config = dir.filePath(QStringLiteral("config"));
        const QString folder = config + QStringLiteral("/avr-pagora");
        if (fault == QStringLiteral("folder_below_a_file")) {
            QFile blocker(dir.filePath(QStringLiteral("blocker")));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            config = blocker.fileName() + QStringLiteral("/config");
        } else if (fault == QStringLiteral("store_is_a_folder")) {
            QVERIFY(QDir().mkpath(folder + QStringLiteral("/settings.json")));
        } else {
            if (IgnoresPermissions()) {
                RunRowAsNobody();
                return;
            }
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        }
        qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());

        BoxAnswerer boxes;
        auto window = std::make_unique<TMainFrm>();
        QCOMPARE(boxes.Seen().size(), 1);
        QCOMPARE(boxes.Seen()[0].title, QStringLiteral("AVR-Pagora"));
        QCOMPARE(boxes.Seen()[0].text, Refused("Pagora"));
        QCOMPARE(boxes.Seen()[0].icon, QMessageBox::Critical);

        // The program goes on with the defaults: it opens files and lays them onto pages.
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->FBlockSize, 25);
        QCOMPARE(window->FArrangement, layout::kBelow);
        window->FileOpen1Accept(Example());
        Choose(*window, QStringLiteral("ATmega8"));
        QCOMPARE(window->VirtualStringTree1->RowCount(), 512);
        QCOMPARE(PageList->Count(), 128u);
        QVERIFY(!DataDoesNotFit);
        QCOMPARE(boxes.Seen().size(), 1);

        // Closing cannot keep the size: one box, and the window closes all the same.
        window->close();
        QCOMPARE(boxes.Seen().size(), 2);
        QCOMPARE(boxes.Seen()[1].title, QStringLiteral("AVR-Pagora"));
        QCOMPARE(boxes.Seen()[1].text, Refused("Width"));
        QVERIFY(!window->isVisible());
        QVERIFY(PageList == nullptr);
        window.reset();

        // The next start meets the same fault and works the same.
        TMainFrm again;
        QCOMPARE(boxes.Seen().size(), 3);
        QCOMPARE(boxes.Seen()[2].text, Refused("Pagora"));
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        again.FileOpen1Accept(Example());
        QCOMPARE(again.VirtualStringTree1->RowCount(), 16);
        again.close();
        QCOMPARE(boxes.Seen().size(), 4);

        if (fault == QStringLiteral("store_is_a_folder")) {
            QVERIFY(QFileInfo(folder + QStringLiteral("/settings.json")).isDir());
        }
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private:
    // Root may write every folder: the row runs again as "nobody", in a copy of this program
    // with a copy of the example, where nobody may read them (the checkout may lie in a home
    // folder closed to other users).
    static void RunRowAsNobody() {
        const std::string prefix = AsNobodyPrefix();
        QVERIFY2(!prefix.empty(), "setpriv (util-linux) is missing: as root every folder is "
                                  "writable, so the unwritable store cannot be tried");
        TempFolder folder;
        const std::string self =
            CopyForNobody(QCoreApplication::applicationFilePath().toStdString(), folder);
        const std::string example = CopyForNobody(Example().toStdString(), folder);
        const std::string runtime = FolderForNobody(folder, "runtime");
        const std::string row = "unwritableStore:folder_without_write_permission";
        const CommandResult run =
            RunCommand(prefix + "env XDG_RUNTIME_DIR=" + ShellQuoted(runtime) + " TMPDIR=" +
                       ShellQuoted(runtime) + " PAGORA_TEST_EXAMPLE=" + ShellQuoted(example) + " " +
                       ShellQuoted(self) + " " + row + " 2>&1");
        QVERIFY2(run.status == 0, run.output.c_str());
        QVERIFY2(run.output.find("PASS   : SettingsFaultWindowTest::" + row.substr(0, 15) +
                                 "(folder_without_write_permission)") != std::string::npos,
                 run.output.c_str());
    }

    QByteArray savedConfigHome_ = qgetenv("XDG_CONFIG_HOME");
};

PAGORA_QTEST_MAIN(SettingsFaultWindowTest)
#include "SettingsFaultWindowTest.moc"
