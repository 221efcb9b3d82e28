// The main window as a user meets it: start-up, layout limits, geometry kept between runs and
// the document flow of opening files and choosing controllers.
#include "UiTestSupport.h"
#include "bench/HexImages.h"
#include "settings/Settings.h"
#include "ui/Globals.h"
#include "ui/MainLayout.h"
#include "ui/Messages.h"
#include "ui/TGotoAdressFrm.h"
#include "ui/THexGridView.h"
#include "ui/TMainFrm.h"
#include "ui/TOptionenFrm.h"
#include "ui/TPageMap.h"
#include "ui/TPagoraApplication.h"
#include "ui/TSplitterBar.h"
#include "ui/TUsageBar.h"

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

// A wheel turn over the middle of a widget.
void SendWheel(QWidget& target, int delta) {
    const QPointF at(target.width() / 2.0, target.height() / 2.0);
    QWheelEvent wheel(at, target.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    // As from the window system (as QTest sends keys): a turn that the widget leaves goes on
    // to its parents. sendEvent() would make it a synthesized one, which stops at the widget.
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QCoreApplication::instance()->notify(&target, &wheel);
}

// Presses a key on a widget of the active window; true when that opened the go-to-address
// dialog, which is then cancelled.
bool KeyOpensGotoDialog(QWidget& target, QKeyCombination key) {
    bool opened = false;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&opened] {
        if (auto* form = qobject_cast<TGotoAdressFrm*>(QApplication::activeModalWidget())) {
            opened = true;
            form->Button2->click();
        }
    });
    watch.start();
    // A closed dialog leaves no window active: the window takes the keys again first.
    target.window()->activateWindow();
    if (!QTest::qWaitForWindowActive(target.window())) {
        return false;
    }
    // The dialog is modal: when the key opens it, the key returns once it is closed.
    QTest::keyClick(&target, key.key(), key.keyboardModifiers());
    return opened;
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
        // One square a row by the measure, two drawn: the visible height where that reaches
        // the last square (4 pages: 2 rows, 60 pixels), else as high as the two a row need.
        QCOMPARE(layout::PageMapHeight(1, 4, 25, 77), 77);
        QCOMPARE(layout::PageMapHeight(1, 300, 25, 77), 150 * 25 + 10);
        QCOMPARE(layout::PageMapHeight(1, 301, 25, 77), 151 * 25 + 10);
        QCOMPARE(layout::PageMapHeight(1, 0, 25, 77), 77);
        QCOMPARE(layout::PageMapHeight(2, 0, 25, 77), 35);
        // A map narrower than one square: one square a row, never a negative height.
        QCOMPARE(layout::CellsPerRow(40, 25), 0);
        QCOMPARE(layout::PageMapHeight(0, 4, 25, 77), 110);
        QCOMPARE(layout::PageMapHeight(-1, 4, 25, 77), 110);
        // The map's measure follows the box alone. 99 wide with its scroll bar (15) showing:
        // measure 1, as high as two squares a row need.
        QCOMPARE(layout::FitPageMap(QSize(114, 400), 15, 256, 25),
                 (layout::PageMapGeometry{99, 1, 128 * 25 + 10}));
        // Few pages fit the box without a bar: the full width.
        QCOMPARE(layout::FitPageMap(QSize(114, 400), 15, 8, 25),
                 (layout::PageMapGeometry{114, 2, (8 / 1) * 25 + 25 + 10}));
        // Measured on the full width the map needs the bar (measure 2: 8 x 25 + 35 > 200);
        // measured beside the bar it fits (measure 1: 4 rows, 110): it keeps the narrower
        // measure and needs no bar.
        QCOMPARE(layout::FitPageMap(QSize(114, 200), 15, 8, 25),
                 (layout::PageMapGeometry{99, 1, 200}));
        QCOMPARE(layout::FitPageMap(QSize(0, 0), 15, 8, 25), (layout::PageMapGeometry{0, -2, 210}));

        // The resize limit of the arrangement this window shows; that of the other one leaves
        // the extent, as the docking fixes the dimension it names.
        const layout::Docking right = layout::Dock(800, 559, layout::kRight, 500);
        QCOMPARE(layout::ResizeLimitedExtent(right, 800, layout::kRight, 500), 500);
        QCOMPARE(layout::ResizeLimitedExtent(right, 560, layout::kRight, 500), 440);
        QCOMPARE(layout::ResizeLimitedExtent(right, 800, layout::kBelow, 500), 500);
        const layout::Docking below = layout::Dock(560, 665, layout::kBelow, 504);
        QCOMPARE(layout::ResizeLimitedExtent(below, 560, layout::kBelow, 504), 504);
        QCOMPARE(layout::ResizeLimitedExtent(below, 560, layout::kRight, 504), 504);
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

    void jumpAndItsShortcutsWorkExactlyWithRows() {
        TMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto opens = [&window](QKeyCombination key) {
            return KeyOpensGotoDialog(*window.VirtualStringTree1, key);
        };
        // No rows: the entry is greyed and the keys do nothing, not even open the dialog.
        QVERIFY(!window.acGotoAdress->isEnabled());
        QVERIFY(!opens(Qt::ALT | Qt::Key_G));
        QVERIFY(!opens(Qt::CTRL | Qt::Key_F));
        // The context menu opened over the empty grid changes nothing of that.
        window.PopupActionBar1->popup(window.mapToGlobal(QPoint(100, 100)));
        QVERIFY(!window.acGotoAdress->isEnabled());
        window.PopupActionBar1->hide();

        // A file brings rows: both keys open the dialog, without the menu opened again.
        window.FileOpen1Accept(QString::fromUtf8(PAGORA_EXAMPLES) + "/blink-atmega8.hex");
        QVERIFY(window.acGotoAdress->isEnabled());
        QVERIFY(opens(Qt::ALT | Qt::Key_G));
        QVERIFY(opens(Qt::CTRL | Qt::Key_F));
        window.PopupActionBar1Popup();
        QVERIFY(window.acGotoAdress->isEnabled());
    }

    // Another instance on the same settings folder stores the other arrangement. The resize
    // rule of that arrangement limits the grid's other dimension, which the docking fixes: the
    // window keeps its look. Once the store holds this window's arrangement, its own rule acts.
    void resizeAfterAnotherInstanceStoredTheOtherArrangement_data() {
        QTest::addColumn<int>("shown");
        QTest::addColumn<QSize>("resizedTo");
        QTest::addColumn<QRect>("grid");
        QTest::addColumn<int>("smallExtent");
        // Map right, grid 500 wide; the rule for "below" would collapse it to 120.
        QTest::newRow("right, other stores below")
            << layout::kRight << QSize(800, 600) << QRect(0, 26, 500, 533) << 420 - 120;
        // Map below, grid 504 high; the rule for "right" would make it 560 - 120 = 440.
        QTest::newRow("below, other stores right")
            << layout::kBelow << QSize(560, 665) << QRect(0, 26, 560, 504) << 379 - 120;
    }

    void resizeAfterAnotherInstanceStoredTheOtherArrangement() {
        QFETCH(int, shown);
        QFETCH(QSize, resizedTo);
        QFETCH(QRect, grid);
        QFETCH(int, smallExtent);
        SaveOptions(shown, "25 x 25");
        TMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        SaveOptions(1 - shown, "25 x 25"); // what the other instance's options dialog writes
        window.resize(resizedTo);
        QCOMPARE(window.FArrangement, static_cast<std::uint8_t>(shown));
        QCOMPARE(window.VirtualStringTree1->geometry(), grid);
        window.resize(420, 420);
        QCOMPARE(window.VirtualStringTree1->pos(), grid.topLeft());
        QCOMPARE(shown == layout::kRight ? window.VirtualStringTree1->width()
                                         : window.VirtualStringTree1->height(),
                 shown == layout::kRight ? grid.width() : grid.height());

        // The store holds this window's arrangement again: its own limit applies, 120 pixels
        // free for the page map.
        SaveOptions(shown, "25 x 25");
        window.resize(420, 421);
        QCOMPARE(window.GridExtent(), smallExtent + (shown == layout::kBelow ? 1 : 0));
    }

    // Away from the page map, a wheel turn that nothing under the pointer takes scrolls the
    // focused control: the grid, when it has the focus.
    void wheelAwayFromTheMapScrollsTheFocusedGrid() {
        QTemporaryDir dir;
        TMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.FileOpen1Accept(WriteFile(dir, "40k.hex", bench::MakeHexImage(40 * 1024)));
        window.VirtualStringTree1->setFocus();
        QScrollBar* rows = window.VirtualStringTree1->verticalScrollBar();
        QTRY_VERIFY(rows->maximum() > 0); // the grid has laid out its rows
        const QList<QWidget*> targets{window.pnlStatus,          window.Label1, window.PaintBox1,
                                      window.ActionMainMenuBar1, window.txt1,   window.spl1};
        for (QWidget* target : targets) {
            const int before = rows->value();
            SendWheel(*target, -120);
            QVERIFY2(rows->value() > before, qPrintable(target->objectName()));
            SendWheel(*target, 120);
            QCOMPARE(rows->value(), before);
        }
        QCOMPARE(window.ScrollBox1->verticalScrollBar()->value(), 0);
    }

    // The page map and the bars draw only while the grid has rows and a controller is chosen.
    void mapAndBarsWaitForRowsAndController() {
        QTemporaryDir dir;
        TMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.FileOpen1Accept(WriteFile(dir, "1k.hex", bench::MakeHexImage(1024)));
        QVERIFY(window.VirtualStringTree1->RowCount() > 0);
        const QImage before = test::Render(*window.pb1);
        QImage white(before.size(), before.format());
        white.fill(QColor(255, 255, 255));
        QCOMPARE(before, white);
        QVERIFY(window.Label3->isHidden());

        Choose(window, "ATmega8");
        QCOMPARE(test::Render(*window.pb1).pixelColor(QPoint(20, 20)), QColor(0, 0, 0));
        QCOMPARE(window.Label3->text(), QStringLiteral("12,5%"));
        QVERIFY(!window.Label3->isHidden());
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

    // Every page's square lies inside the page map and the scroll box reaches it, for every
    // square size, with the map right of the grid or below it, down to the narrowest map the
    // limits allow. A map of one width is always laid out the same, whatever width it had.
    void everySquareCanBeReached_data() {
        QTest::addColumn<int>("arrangement");
        QTest::addColumn<int>("blockSize");
        for (const int arrangement : {layout::kRight, layout::kBelow}) {
            for (const int block : {5, 10, 15, 20, 25, 30}) {
                QTest::addRow("%s, %d", arrangement == layout::kRight ? "right" : "below", block)
                    << arrangement << block;
            }
        }
    }

    void everySquareCanBeReached() {
        QFETCH(int, arrangement);
        QFETCH(int, blockSize);
        const std::string size = std::to_string(blockSize);
        SaveOptions(arrangement, size + " x " + size);
        TMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        Choose(window, "ATmega328p"); // 256 pages
        QCOMPARE(PageList->Count(), 256u);

        // Right: the grid from its limit (client width - 120) to 100 pixels less. Below: the
        // window from its narrowest on. Each square size changes its measure on the way.
        const auto setWidth = [&](int step) {
            if (arrangement == layout::kRight) {
                window.SetGridExtent(window.width() - 120 - step);
                window.spl1Moved();
            } else {
                window.resize(300 + step, 665);
            }
        };
        struct Map {
            int width, cells, height;
            bool operator==(const Map&) const = default;
        };
        const auto state = [&] {
            return Map{window.pb1->width(), window.FCellsPerRow, window.pb1->height()};
        };
        for (int step = 0; step <= 100; ++step) {
            setWidth(step);
            QCoreApplication::processEvents(); // the scroll box shows or hides its bar
            const Map map = state();
            QCOMPARE(map.cells, (map.width - 50) / blockSize);
            QVERIFY(map.width <= window.ScrollBox1->viewport()->width());
            QVERIFY(window.ScrollBox1->verticalScrollBar()->maximum() >=
                    map.height - window.ScrollBox1->viewport()->height());
            test::Render(*window.pb1); // lays every page's square
            const TRect& last = PageList->Items(255).Rect;
            QVERIFY2(last.Bottom <= map.height && last.Right <= map.width,
                     qPrintable(QStringLiteral("step %1: square ends at (%2, %3), map %4 x %5")
                                    .arg(step)
                                    .arg(last.Right)
                                    .arg(last.Bottom)
                                    .arg(map.width)
                                    .arg(map.height)));
            setWidth(step + 1);
            setWidth(step);
            QVERIFY2(state() == map, qPrintable(QStringLiteral("step %1 flips").arg(step)));
        }
    }
};

PAGORA_QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
