// The window follows a rebuilt file: rewritten in place or renamed over, half-written and then
// completed, deleted and restored, changed while a message box is open; and a dropped file
// opens as the open dialog would open it.
#include "UiTestSupport.h"
#include "bench/HexImages.h"
#include "tests/reliability/BoxAnswerer.h"
#include "ui/Globals.h"
#include "ui/TFileWatch.h"
#include "ui/THexGridView.h"
#include "ui/TMainFrm.h"

#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>

using namespace pagora;
using reliability::BoxAnswerer;

namespace {

// Generous: only a hang makes a test wait this long; a pass never depends on it.
constexpr int kPatience = 20000;

void Write(const QString& path, const std::string& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qFatal("cannot write %s", qPrintable(path));
    }
    file.write(text.data(), static_cast<qint64>(text.size()));
}

// An image of `bytes` bytes whose first data byte tells the versions apart.
std::string Image(std::uint32_t bytes, std::uint32_t seed) {
    return bench::MakeHexImage(bytes, seed);
}

// The first byte's text as the store holds it.
QString FirstByte(const TMainFrm& window) {
    return QString::fromStdString(std::string((*window.FHexContainer)[0].GetByteText(1)));
}

struct Fixture {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("firmware.hex"));
    TMainFrm window;
    BoxAnswerer boxes;

    explicit Fixture(const std::string& first) {
        Write(path, first);
        window.FFileWatch->SetQuietTime(100);
        window.FReloadGiveUpMs = 600;
        window.resize(850, 665);
        window.show();
        window.cbb_MC->setCurrentIndex(window.cbb_MC->findText(QStringLiteral("ATmega328p")));
        window.FileOpen1Accept(path);
    }
};

} // namespace

class FileFollowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rewriteInPlaceReloadsAndKeepsThePlace() {
        Fixture f(Image(8 * 1024, 1));
        QCOMPARE(f.window.VirtualStringTree1->RowCount(), 2048); // the controller's flash
        const QString before = FirstByte(f.window);
        // The user is somewhere in the middle of the grid and the page map.
        f.window.VirtualStringTree1->FocusRow(300);
        f.window.VirtualStringTree1->SelectRow(300);
        f.window.VirtualStringTree1->FocusColumn(5);
        f.window.VirtualStringTree1->verticalScrollBar()->setValue(280 * 18);
        const int gridTop = f.window.VirtualStringTree1->verticalScrollBar()->value();

        const std::string next = Image(8 * 1024, 2);
        Write(f.path, next);
        QTRY_VERIFY_WITH_TIMEOUT(FirstByte(f.window) != before, kPatience);
        THexContainer expected;
        expected.LoadFromHexText(next);
        expected.FitToSize(0x7FFF);
        QVERIFY(*f.window.FHexContainer == expected);
        QCOMPARE(f.window.VirtualStringTree1->SelectedRow(), 300);
        QCOMPARE(f.window.VirtualStringTree1->currentIndex().column(), 5);
        QCOMPARE(f.window.VirtualStringTree1->verticalScrollBar()->value(), gridTop);
        QVERIFY(!DataDoesNotFit);
        QCOMPARE(f.boxes.Seen().size(), 0);
    }

    void renameOverReloads() {
        Fixture f(Image(1024, 1));
        const QString before = FirstByte(f.window);
        const QString fresh = f.dir.filePath(QStringLiteral("firmware.hex.tmp"));
        Write(fresh, Image(40 * 1024, 3)); // larger than the ATmega328p's flash
        std::filesystem::rename(fresh.toStdString(), f.path.toStdString()); // replaces it
        QTRY_VERIFY_WITH_TIMEOUT(FirstByte(f.window) != before, kPatience);
        QCOMPARE(f.window.VirtualStringTree1->RowCount(), 2560);
        // The same flow as an accepted open: the image does not fit and the window says so.
        QTRY_COMPARE_WITH_TIMEOUT(f.boxes.Seen().size(), 1, kPatience);
        QCOMPARE(f.boxes.Seen()[0].title, QStringLiteral("Fehler"));
        QVERIFY(DataDoesNotFit);
        // And the watch goes on with the file that now has the name.
        const QString second = FirstByte(f.window);
        Write(f.path, Image(1024, 4));
        QTRY_VERIFY_WITH_TIMEOUT(FirstByte(f.window) != second, kPatience);
        QVERIFY(!DataDoesNotFit);
    }

    void halfWrittenKeepsTheImageUntilComplete() {
        Fixture f(Image(2048, 1));
        const THexContainer shown = *f.window.FHexContainer;
        const std::string next = Image(2048, 6);
        // A file the build has made full length but written only half of: its tail is NULs.
        const std::size_t record = next.find(':', next.size() / 2);
        std::string half = next.substr(0, record + 2); // ":1" of a record's byte count
        half.resize(next.size(), '\0');
        Write(f.path, half);
        // The half-written file is tried and fails: the image stays, and after the give-up
        // time the reader's message shows once.
        QTRY_COMPARE_WITH_TIMEOUT(f.boxes.Seen().size(), 1, kPatience);
        QCOMPARE(f.boxes.Seen()[0].title, QStringLiteral("AVR-Pagora"));
        QVERIFY(*f.window.FHexContainer == shown);
        QTest::qWait(3 * f.window.FReloadGiveUpMs);
        QCOMPARE(f.boxes.Seen().size(), 1); // once
        // The build completes the file: it is read.
        Write(f.path, next);
        THexContainer expected;
        expected.LoadFromHexText(next);
        expected.FitToSize(0x7FFF);
        QTRY_VERIFY_WITH_TIMEOUT(*f.window.FHexContainer == expected, kPatience);
        QCOMPARE(f.boxes.Seen().size(), 1);
    }

    void deletedFileKeepsTheImageAndIsPickedUpAgain() {
        Fixture f(Image(1024, 1));
        const THexContainer shown = *f.window.FHexContainer;
        QVERIFY(QFile::remove(f.path));
        QTest::qWait(300);
        QVERIFY(*f.window.FHexContainer == shown);
        QCOMPARE(f.boxes.Seen().size(), 0);
        const QString before = FirstByte(f.window);
        Write(f.path, Image(1056, 7));
        QTRY_VERIFY_WITH_TIMEOUT(FirstByte(f.window) != before, kPatience);
        QCOMPARE(f.boxes.Seen().size(), 0);
    }

    void nothingReloadsUnderAModalBox() {
        Fixture f(Image(1024, 1));
        const QString before = FirstByte(f.window);
        QDialog box(&f.window); // a dialog the user has open
        box.setWindowModality(Qt::ApplicationModal);
        box.show();
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() == &box, kPatience);
        Write(f.path, Image(1040, 8));
        QTest::qWait(600);
        QCOMPARE(FirstByte(f.window), before);
        box.close();
        QTRY_VERIFY_WITH_TIMEOUT(FirstByte(f.window) != before, kPatience);
    }

    void anotherOpenEndsTheWatch() {
        Fixture f(Image(1024, 1));
        const QString other = f.dir.filePath(QStringLiteral("other.hex"));
        Write(other, Image(1024, 9));
        f.window.FileOpen1Accept(other);
        const THexContainer shown = *f.window.FHexContainer;
        Write(f.path, Image(1024, 10));
        QTest::qWait(400);
        QVERIFY(*f.window.FHexContainer == shown);
        QCOMPARE(f.window.FFileWatch->Path(), other);
    }

    void dropOpensTheFirstLocalFile() {
        Fixture f(Image(1024, 1));
        const QString dropped = f.dir.filePath(QStringLiteral("dropped.eep"));
        Write(dropped, Image(512, 11));
        QMimeData data;
        data.setUrls({QUrl(QStringLiteral("https://example.org/x.hex")),
                      QUrl::fromLocalFile(dropped), QUrl::fromLocalFile(f.path)});
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&f.window, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&f.window, &drop);
        THexContainer expected;
        expected.LoadFromHexText(Image(512, 11));
        expected.FitToSize(0x7FFF);
        QVERIFY(*f.window.FHexContainer == expected);
        QCOMPARE(f.window.FFileWatch->Path(), dropped);

        // Nothing that is a local file: the drop is refused and nothing changes.
        QMimeData remote;
        remote.setUrls({QUrl(QStringLiteral("https://example.org/x.hex"))});
        QDragEnterEvent refused(QPoint(100, 100), Qt::CopyAction, &remote, Qt::LeftButton,
                                Qt::NoModifier);
        refused.ignore();
        QApplication::sendEvent(&f.window, &refused);
        QVERIFY(!refused.isAccepted());
    }
};

PAGORA_QTEST_MAIN(FileFollowTest)
#include "FileFollowTest.moc"
