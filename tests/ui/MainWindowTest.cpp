// The main window as a user meets it: start-up, layout limits, geometry kept between runs and
// the document flow of opening files and choosing controllers.
#include "UiTestSupport.h"
#include "bench/HexImages.h"
#include "settings/Settings.h"
#include "ui/Globals.h"
#include "ui/MainLayout.h"
#include "ui/Messages.h"
#include "ui/THexGridView.h"
#include "ui/TMainFrm.h"
#include "ui/TOptionenFrm.h"
#include "ui/TPageMap.h"
#include "ui/TPagoraApplication.h"
#include "ui/TSplitterBar.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace pagora;

namespace {

QString WriteFile(const QTemporaryDir& dir, const QString& name, const std::string& text) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qFatal("cannot write %s", qPrintable(path));
    }
    file.write(text.data(), static_cast<qint64>(text.size()));
    return path;
}

void Choose(TMainFrm& window, const char* controller) {
    window.cbb_MC->setCurrentIndex(window.cbb_MC->findText(QString::fromLatin1(controller)));
}

// The centre of a page's square, as the last paint of the page map laid it.
QPoint Centre(int page) {
    const TRect& r = PageList->Items(page).Rect;
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        // Every case starts from an empty settings store.
        test::PrivateSettingsFolder::Current().Clear();
        QLocale::setDefault(QLocale(QLocale::German));
    }

    void firstStartWithEmptySettings() {
        TMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("AVR-Pagora"));
        QCOMPARE(window.size(), QSize(850, 665));
        QCOMPARE(window.FArrangement, layout::kBelow);
        QCOMPARE(window.FBlockSize, 25);
        // The first resize keeps the page map's 120 pixels: 624 - 120.
        QCOMPARE(window.VirtualStringTree1->geometry(), QRect(0, 26, 850, 504));
        QCOMPARE(window.spl1->geometry(), QRect(0, 530, 850, 3));
        QCOMPARE(window.Panel1->geometry(), QRect(0, 533, 850, 91));
        QCOMPARE(window.pnlStatus->geometry(), QRect(0, 624, 850, 41));
        QCOMPARE(window.cbb_MC->count(), 84);
        QCOMPARE(window.cbb_MC->currentIndex(), -1);
        QCOMPARE(window.cbb_MC->itemText(0), QStringLiteral("ATtiny12"));
        QCOMPARE(window.txt1->text(), QStringLiteral("Controller:"));
        QCOMPARE(window.txt2->text(), QString());
        QVERIFY(!window.Label3->isVisible());
        QCOMPARE(window.VirtualStringTree1->RowCount(), 0);
        QCOMPARE(ReadIntSetting("Width"), NoValue); // nothing written before closing
        // The program's path is recorded at start.
        QFile store(QDir(test::PrivateSettingsFolder::Current().ConfigHome())
                        .filePath(QStringLiteral("avr-pagora/settings.json")));
        QVERIFY(store.open(QIODevice::ReadOnly));
        QVERIFY(store.readAll().contains("Pagora"));
    }

    void menusAndShortcuts() {
        TMainFrm window;
        const QList<QAction*> top = window.ActionMainMenuBar1->actions();
        QCOMPARE(top.size(), 3);
        QCOMPARE(top[0]->text(), QStringLiteral("&Datei"));
        QCOMPARE(top[1]->text(), QStringLiteral("&Optionen"));
        QCOMPARE(top[2]->text(), QStringLiteral("Ü&ber..."));
        const QList<QAction*> file = top[0]->menu()->actions();
        QCOMPARE(file.size(), 3);
        QCOMPARE(file[0]->text(), QStringLiteral("Ö&ffnen..."));
        QVERIFY(file[1]->isSeparator());
        QCOMPARE(file[2]->text(), QStringLiteral("&Beenden"));
        QCOMPARE(window.FileOpen1->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        QCOMPARE(window.FileOpen1->toolTip(), QStringLiteral("Öffnen"));
        QCOMPARE(window.FileOpen1->statusTip(), QStringLiteral("Vorhandene Datei öffnen"));
        QCOMPARE(window.acClose->shortcut(), QKeySequence(QStringLiteral("Alt+F4")));
        QCOMPARE(window.acGotoAdress->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(QStringLiteral("Alt+G")),
                                      QKeySequence(QStringLiteral("Ctrl+F"))}));
        QCOMPARE(window.PopupActionBar1->actions(), QList<QAction*>{window.acGotoAdress});
    }

    void openDialogSettings() {
        TMainFrm window;
        std::unique_ptr<QFileDialog> dialog = window.CreateOpenDialog();
        window.FileOpen1BeforeExecute(*dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Datei öffnen ..."));
        QCOMPARE(dialog->nameFilters(), (QStringList{"Flash-Datei (*.hex)", "Eeprom-Datei (*.eep)",
                                                     "Alle Dateien (*.*)"}));
        QCOMPARE(dialog->selectedNameFilter(), QStringLiteral("Flash-Datei (*.hex)"));
        QCOMPARE(dialog->defaultSuffix(), QStringLiteral("hex"));
        QCOMPARE(QDir(dialog->directory()).canonicalPath(),
                 QDir(QCoreApplication::applicationDirPath()).canonicalPath());
    }

    void storedArrangementRightAndClosingKeepsTheOtherExtent() {
        WriteIntSetting("ArrangeMemory", 0);
        WriteIntSetting("SplitterTop", 333);
        QSize outer;
        {
            TMainFrm window;
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QCOMPARE(window.VirtualStringTree1->geometry(), QRect(0, 26, 500, 598));
            QCOMPARE(window.spl1->geometry(), QRect(500, 26, 3, 598));
            // Shrinking below grid + 120 shrinks the grid.
            window.resize(560, 665);
            QCOMPARE(window.VirtualStringTree1->width(), 440);
            outer = window.frameGeometry().size();
            window.close();
        }
        // The outer size is stored, frame included.
        QCOMPARE(ReadIntSetting("SplitterLeft"), 440);
        QCOMPARE(ReadIntSetting("SplitterTop"), 333);
        QCOMPARE(ReadIntSetting("Width"), outer.width());
        QCOMPARE(ReadIntSetting("Height"), outer.height());

        // The next start below the grid takes the older value.
        WriteIntSetting("ArrangeMemory", 1);
        TMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(window.size(), QSize(560, 665));
        QCOMPARE(window.VirtualStringTree1->height(), 333);
    }

    void splitterLimits() {
        TMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.spl1CanResize(150));
        QVERIFY(window.spl1CanResize(151));
        QVERIFY(window.spl1CanResize(503));
        QVERIFY(!window.spl1CanResize(504)); // top of pnlStatus - 120
        // A drag past the limit leaves the grid where it was; one inside takes effect.
        window.SetGridExtent(300);
        Q_EMIT window.spl1->Proposed(100);
        QCOMPARE(window.GridExtent(), 300);
        Q_EMIT window.spl1->Proposed(200);
        QCOMPARE(window.GridExtent(), 200);
        QCOMPARE(window.spl1->y(), 226);
    }

    void pageMapSizing() {
        TMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // No pages yet: one row of squares' height.
        QCOMPARE(window.pb1->height(), 25 + 10);
        Choose(window, "ATmega32"); // 256 pages
        const int cells = (window.pb1->width() - 50) / 25;
        QCOMPARE(window.FCellsPerRow, cells);
        QCOMPARE(window.pb1->height(), (256 / (cells - 1)) * 25 + 25 + 10);
        QCOMPARE(window.txt2->text(), QStringLiteral("FlashSize: 32768, PageSize: 128"));
        // The wheel over the page map scrolls it, not the focused grid.
        window.VirtualStringTree1->setFocus();
        QWheelEvent wheel(QPointF(10, 10), window.pb1->mapToGlobal(QPointF(10, 10)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(window.pb1, &wheel);
        QCOMPARE(window.ScrollBox1->verticalScrollBar()->value(), 120);
    }

    void layoutRules() {
        QCOMPARE(layout::CellsPerRow(129, 25), 3);
        QCOMPARE(layout::CellsPerRow(129, 30), 2);
        QCOMPARE(layout::PageMapHeight(3, 300, 25, 77), 3785);
        QCOMPARE(layout::PageMapHeight(1, 300, 25, 77), 77);
        QCOMPARE(layout::PageMapHeight(2, 0, 25, 77), 35);
        // A map narrower than one square: one square a row, never a negative height.
        QCOMPARE(layout::CellsPerRow(40, 25), 0);
        QCOMPARE(layout::PageMapHeight(0, 4, 25, 77), 110);
        QCOMPARE(layout::PageMapHeight(-1, 4, 25, 77), 110);
        QCOMPARE(layout::BlockSizeFromText("10"), 10);
        QCOMPARE(layout::BlockSizeFromText(""), 25);
        QCOMPARE(layout::BlockSizeFromText("0"), 25);
        QCOMPARE(layout::BlockSizeFromText("x"), 25);
    }

    void brokenBlockSizeFallsBackTo25() {
        SaveOptions(1, "25"); // no blank: reads back as the empty text
        TMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.FBlockSize, 25);
        QVERIFY(window.pb1->height() > 0);
    }

    void imageOnLargerAndSmallerControllers() {
        QTemporaryDir dir;
        const QString path = WriteFile(dir, "40k.hex", bench::MakeHexImage(40 * 1024));
        TMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // Without a controller: the grid shows the image, no pages, no message.
        window.FileOpen1Accept(path);
        QCOMPARE(window.VirtualStringTree1->RowCount(), 2560);
        QCOMPARE(PageList->Count(), 0u);
        QVERIFY(!DataDoesNotFit);

        test::SeenBox seen;
        test::AnswerNextMessageBox(seen);
        Choose(window, "ATmega32"); // 32 KiB
        QTRY_VERIFY(seen.shown);
        QCOMPARE(seen.title, QStringLiteral("Fehler"));
        QCOMPARE(seen.text, QStringLiteral("Fehler"));
        QCOMPARE(seen.informativeText,
                 QStringLiteral("Das ausgewählte Hex-File pass nicht in den Controller!\n"
                                "Bitte verwednen Sie einen anderen!"));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.buttons, 1);
        // Each of the two lines stands whole, under the heading.
        QCOMPARE(seen.brokenLines, QStringList());
        QVERIFY(seen.headingAbove);
        QVERIFY(DataDoesNotFit);
        QCOMPARE(window.VirtualStringTree1->RowCount(), 2560);

        Choose(window, "ATmega64"); // 64 KiB: fits, grows to 4,096 lines
        QVERIFY(!DataDoesNotFit);
        QCOMPARE(window.FHexContainer->Count(), 4096u);
        QVERIFY((*window.FHexContainer)[2559].Used());
        QVERIFY(!(*window.FHexContainer)[2560].Used());
        QCOMPARE(window.VirtualStringTree1->RowCount(), 4096);

        test::SeenBox again;
        test::AnswerNextMessageBox(again);
        Choose(window, "ATmega8"); // 8 KiB: back to the image's own lines, and the message
        QTRY_VERIFY(again.shown);
        QCOMPARE(window.FHexContainer->Count(), 2560u);
        QVERIFY(DataDoesNotFit);
    }

    void imageOfExactlyTheFlashFits() {
        QTemporaryDir dir;
        const QString path = WriteFile(dir, "8k.hex", bench::MakeHexImage(8 * 1024));
        TMainFrm window;
        Choose(window, "ATmega8");
        window.FileOpen1Accept(path);
        QVERIFY(!DataDoesNotFit);
        QCOMPARE(PageList->Count(), 128u);
        QCOMPARE(PageList->Items(127).BlankBytes(), 0);
        QCOMPARE(window.VirtualStringTree1->RowCount(), 512);
    }

    void failedReadKeepsThePreviousImage() {
        QTemporaryDir dir;
        const QString good = QString::fromUtf8(PAGORA_EXAMPLES) + "/blink-atmega8.hex";
        const QString bad = WriteFile(dir, "bad.hex", ":0100000041BE\n:01000G0041BE\n");
        TMainFrm window;
        window.show();
        Choose(window, "ATmega8");
        window.FileOpen1Accept(good);
        const int rows = window.VirtualStringTree1->RowCount();
        const THexContainer before = *window.FHexContainer;
        const std::size_t pages = PageList->Count();
        const int blank0 = PageList->Items(0).BlankBytes();

        test::SeenBox seen;
        test::AnswerNextMessageBox(seen);
        window.FileOpen1->setEnabled(true);
        // The error reaches the standard error box through the guarded open.
        RunGuarded(&window, [&] { window.FileOpen1Accept(bad); });
        QTRY_VERIFY(seen.shown);
        QCOMPARE(seen.title, QStringLiteral("AVR-Pagora"));
        QCOMPARE(seen.text, QStringLiteral("No Hex-Number."));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.buttons, 1);
        QVERIFY(*window.FHexContainer == before);
        QCOMPARE(window.VirtualStringTree1->RowCount(), rows);
        QCOMPARE(PageList->Count(), pages);
        QCOMPARE(PageList->Items(0).BlankBytes(), blank0);
    }

    void errorBoxFullStopRule() {
        QCOMPARE(ErrorBoxText("No Hex-Number"), QStringLiteral("No Hex-Number."));
        QCOMPARE(ErrorBoxText("Fehler!"), QStringLiteral("Fehler!"));
        QCOMPARE(ErrorBoxText("Ende."), QStringLiteral("Ende."));
        QCOMPARE(ErrorBoxText("'x' ist kein gültiger Integerwert"),
                 QStringLiteral("'x' ist kein gültiger Integerwert."));
    }

    void optionsTakeEffectAtOnce() {
        TMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.VirtualStringTree1->height(), 504);
        test::AnswerNextModal([](QWidget* modal) {
            auto* options = qobject_cast<TOptionenFrm*>(modal);
            QVERIFY(options != nullptr);
            options->findChild<QComboBox*>("cbbBlockSize")
                ->setCurrentText(QStringLiteral("10 x 10"));
            options->findChild<QComboBox*>("cbbAnzeige")->setCurrentIndex(0);
            options->findChild<QPushButton*>("btnOK")->click();
        });
        window.acOption->trigger();
        QCOMPARE(window.FBlockSize, 10);
        QCOMPARE(window.FArrangement, layout::kRight);
        // The grid keeps its extent across the turn: 504 high becomes 504 wide.
        QCOMPARE(window.VirtualStringTree1->geometry(), QRect(0, 26, 504, 598));
        QCOMPARE(window.FCellsPerRow, (window.pb1->width() - 50) / 10);
        QCOMPARE(ReadIntSetting("ArrangeMemory"), 0);
        QCOMPARE(QString::fromStdString(ReadBlockSize()), QStringLiteral("10"));
    }

    void standardDialogsSpeakGerman() {
        QVERIFY(LoadGermanTranslations(*QCoreApplication::instance()));
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Abbrechen"));
    }

    void hourglassWhileReading() {
        TMainFrm window;
        // The file is a pipe: the read waits for the text, and while it waits the cursor is
        // looked at from the side that writes.
        QTemporaryDir dir;
        const QByteArray pipe = QFile::encodeName(dir.filePath(QStringLiteral("slow.hex")));
        QCOMPARE(mkfifo(pipe.constData(), 0600), 0);
        bool waitCursorWhileReading = false;
        std::thread writer([&] {
            const int fd = open(pipe.constData(), O_WRONLY); // returns once the read has begun
            const QCursor* cursor = QApplication::overrideCursor();
            waitCursorWhileReading = cursor != nullptr && cursor->shape() == Qt::WaitCursor;
            const std::string text = ":0100000041BE\n:00000001FF\n";
            (void)!write(fd, text.data(), text.size());
            close(fd);
        });
        window.FileOpen1Accept(QFile::decodeName(pipe));
        writer.join();
        QVERIFY(waitCursorWhileReading);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(window.VirtualStringTree1->RowCount(), 1);

        // A read that fails restores the cursor as well.
        QVERIFY_THROWS_EXCEPTION(std::exception,
                                 window.FileOpen1Accept(dir.filePath(QStringLiteral("none.hex"))));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void contextMenuEnablesTheJumpOnlyWithRows() {
        TMainFrm window;
        window.PopupActionBar1Popup();
        QVERIFY(!window.acGotoAdress->isEnabled());
        window.FileOpen1Accept(QString::fromUtf8(PAGORA_EXAMPLES) + "/blink-atmega8.hex");
        QVERIFY(!window.acGotoAdress->isEnabled()); // keeps the state of the last opening
        window.PopupActionBar1Popup();
        QVERIFY(window.acGotoAdress->isEnabled());
    }

    // The "Fehler" box never stands over the last image's picture: the page map and the bars
    // show the overflow while it is open, and stay so after it closes.
    void overflowIsPaintedBeforeTheMessage() {
        QTemporaryDir dir;
        TMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        Choose(window, "ATmega64");
        window.FileOpen1Accept(WriteFile(dir, "40k.hex", bench::MakeHexImage(40 * 1024)));
        QVERIFY(!DataDoesNotFit);
        QCOMPARE(test::Render(*window.pb1).pixelColor(Centre(0)), QColor(0, 0, 0));
        QCOMPARE(window.Label3->text(), QStringLiteral("62,5%"));

        QString pagesLabel;
        QString bytesLabel;
        QColor square;
        test::AnswerNextModal([&](QWidget* modal) {
            // The labels change only when the map paints: read them before anything renders.
            pagesLabel = window.Label3->text();
            bytesLabel = window.Label4->text();
            square = test::Render(*window.pb1).pixelColor(Centre(0));
            modal->close();
        });
        Choose(window, "ATmega32");
        QCOMPARE(pagesLabel, QStringLiteral("> 100%"));
        QCOMPARE(bytesLabel, QStringLiteral("> 100%"));
        QCOMPARE(square, QColor(255, 0, 0));
        QVERIFY(DataDoesNotFit);
        QCOMPARE(test::Render(*window.pb1).pixelColor(Centre(0)), QColor(255, 0, 0));
    }
};

PAGORA_QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
