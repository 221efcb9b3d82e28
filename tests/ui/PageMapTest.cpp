#include "UiTestSupport.h"
#include "devices/TMikrocontroller.h"
#include "pages/MemoryLayout.h"
#include "ui/Globals.h"
#include "ui/HintTiming.h"
#include "ui/THintWindow.h"
#include "ui/TPageMap.h"
#include "ui/TUsageBar.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QEnterEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>
#include <memory>
#include <vector>

using namespace pagora;

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kGrey(128, 128, 128);
const QColor kSilver(192, 192, 192);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);

QColor At(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

// Pages of `pageSize` bytes, all blank, as the global page list.
struct Pages {
    TPageList list;

    Pages(int count, int pageSize) {
        RebuildForMemory(list, count * pageSize - 1, pageSize);
        PageList = &list;
        DataDoesNotFit = false;
    }
    ~Pages() {
        PageList = nullptr;
        DataDoesNotFit = false;
    }
    // Leaves `blank` bytes of page `index` blank and gives the others data.
    void SetBlank(int index, int blank) {
        std::vector<TByteText>& bytes = list.Items(index).Bytes;
        for (int k = 0; k < static_cast<int>(bytes.size()); ++k) {
            bytes[k].Assign(k < static_cast<int>(bytes.size()) - blank ? "00" : "FF");
        }
    }
};

// A page map as the main window sets it up for a map `width` pixels wide.
void SetUp(TPageMap& map, int blockSize, int width, int height) {
    map.SetBlockSize(blockSize);
    map.SetCellsPerRow((width - 50) / blockSize);
    map.resize(width, height);
}

QPoint Centre(int page) {
    const TRect& r = PageList->Items(page).Rect;
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

void SendMove(QWidget& widget, QPoint pos) {
    QMouseEvent event(QEvent::MouseMove, QPointF(pos), QPointF(widget.mapToGlobal(pos)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void SendContextMenu(QWidget& widget, QPoint pos) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, widget.mapToGlobal(pos));
    QApplication::sendEvent(&widget, &event);
}

void SendClick(QWidget& widget, QEvent::Type type, QPoint pos, Qt::MouseButton button) {
    QMouseEvent event(type, QPointF(pos), QPointF(widget.mapToGlobal(pos)), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// A left double click as the platform delivers it.
void SendDoubleClick(QWidget& widget, QPoint pos) {
    SendClick(widget, QEvent::MouseButtonPress, pos, Qt::LeftButton);
    SendClick(widget, QEvent::MouseButtonRelease, pos, Qt::LeftButton);
    SendClick(widget, QEvent::MouseButtonDblClick, pos, Qt::LeftButton);
    SendClick(widget, QEvent::MouseButtonRelease, pos, Qt::LeftButton);
}

} // namespace

class PageMapTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German)); }

    void squaresSitOnTheirGrid_data();
    void squaresSitOnTheirGrid();
    void fillFollowsTheBlankShare();
    void overflowPaintsEverySquareRed();
    void mapStaysWhiteWithoutData_data();
    void mapStaysWhiteWithoutData();
    void everyPageGetsItsSquareOutsideTheView();
    void narrowMapsPaintOneColumn_data();
    void narrowMapsPaintOneColumn();
    void hintTexts_data();
    void hintTexts();
    void hintShowsOnSquaresOnly();
    void hintFollowsTheScrolledMap();
    void hintStaysOnTheMonitor();
    void enterAndLeaveSwapHintTiming();
    void hintHidesAfterTheDisplayTimeOffTheMap();
    void rightClickSetsJumpAddress_data();
    void rightClickSetsJumpAddress();
    void doubleClickJumpsToPage();
    void singleClickDoesNothing();
    void paintRefreshesBars();
};

void PageMapTest::squaresSitOnTheirGrid_data() {
    QTest::addColumn<int>("blockSize");
    QTest::addColumn<int>("page");
    QTest::addColumn<QPoint>("topLeft");
    // 129 pixels wide: 3 + 1 squares a row at 25 pixels, 15 + 1 at 5 pixels.
    QTest::newRow("25, first") << 25 << 0 << QPoint(9, 9);
    QTest::newRow("25, second") << 25 << 1 << QPoint(34, 9);
    QTest::newRow("25, third") << 25 << 2 << QPoint(59, 9);
    QTest::newRow("25, last of row") << 25 << 3 << QPoint(84, 9);
    QTest::newRow("25, next row") << 25 << 4 << QPoint(9, 34);
    QTest::newRow("5, first") << 5 << 0 << QPoint(9, 9);
    QTest::newRow("5, second") << 5 << 1 << QPoint(14, 9);
    QTest::newRow("5, last of row") << 5 << 15 << QPoint(84, 9);
    QTest::newRow("5, next row") << 5 << 17 << QPoint(14, 14);
}

void PageMapTest::squaresSitOnTheirGrid() {
    QFETCH(int, blockSize);
    QFETCH(int, page);
    QFETCH(QPoint, topLeft);
    Pages pages(40, 128);
    for (int k = 0; k < 40; ++k) {
        pages.SetBlank(k, 100); // yellow
    }
    TPageMap map;
    SetUp(map, blockSize, 129, 200);
    const QImage image = test::Render(map);

    const int side = blockSize - 2;
    const int l = topLeft.x();
    const int t = topLeft.y();
    QCOMPARE(PageList->Items(page).Rect, (TRect{l, t, l + side, t + side}));
    // The frame's corners, the fill inside, white outside and in the 2-pixel gaps.
    QCOMPARE(At(image, l, t), kBlack);
    QCOMPARE(At(image, l + side - 1, t + side - 1), kBlack);
    QCOMPARE(At(image, l + side - 1, t + 1), kBlack);
    QCOMPARE(At(image, l + 1, t + 1), kYellow);
    QCOMPARE(At(image, l + side - 2, t + side - 2), kYellow);
    QCOMPARE(At(image, l - 1, t), kWhite);
    QCOMPARE(At(image, l, t - 1), kWhite);
    QCOMPARE(At(image, l + side, t + 1), kWhite);
    QCOMPARE(At(image, l + side + 1, t + 1), kWhite);
    QCOMPARE(At(image, l + 1, t + side), kWhite);
    QCOMPARE(At(image, l + 1, t + side + 1), kWhite);
}

void PageMapTest::fillFollowsTheBlankShare() {
    struct Case {
        int blank;
        QColor colour;
    };
    const std::vector<Case> cases = {{0, kBlack},   {1, kBlack},    {2, kGrey},
                                     {65, kGrey},   {66, kSilver},  {97, kSilver},
                                     {98, kYellow}, {127, kYellow}, {128, kWhite}};
    Pages pages(static_cast<int>(cases.size()), 128);
    for (std::size_t k = 0; k < cases.size(); ++k) {
        pages.SetBlank(static_cast<int>(k), cases[k].blank);
    }
    TPageMap map;
    SetUp(map, 25, 129, 100);
    const QImage image = test::Render(map);
    for (std::size_t k = 0; k < cases.size(); ++k) {
        const TRect& r = PageList->Items(k).Rect;
        QVERIFY2(At(image, r.Left + 5, r.Top + 5) == cases[k].colour,
                 qPrintable(QStringLiteral("%1 blank bytes").arg(cases[k].blank)));
        QCOMPARE(At(image, r.Left, r.Top + 5), kBlack);
    }
}

void PageMapTest::overflowPaintsEverySquareRed() {
    Pages pages(6, 128);
    pages.SetBlank(0, 0);
    pages.SetBlank(1, 128);
    pages.SetBlank(2, 70);
    DataDoesNotFit = true;
    TPageMap map;
    SetUp(map, 10, 129, 60);
    const QImage image = test::Render(map);
    for (int k = 0; k < 6; ++k) {
        const TRect& r = PageList->Items(k).Rect;
        QCOMPARE(At(image, r.Left + 1, r.Top + 1), kRed);
        QCOMPARE(At(image, r.Right - 2, r.Bottom - 2), kRed);
        QCOMPARE(At(image, r.Left, r.Top), kBlack);
    }
}

void PageMapTest::mapStaysWhiteWithoutData_data() {
    QTest::addColumn<bool>("canDraw");
    QTest::addColumn<bool>("pageList");
    QTest::newRow("no rows or no controller") << false << true;
    QTest::newRow("no page list") << true << false;
}

void PageMapTest::mapStaysWhiteWithoutData() {
    QFETCH(bool, canDraw);
    QFETCH(bool, pageList);
    Pages pages(8, 64);
    for (int k = 0; k < 8; ++k) {
        pages.SetBlank(k, 0);
    }
    if (!pageList) {
        PageList = nullptr;
    }
    TPageMap map;
    SetUp(map, 25, 129, 80);
    map.SetCanDraw(canDraw);
    THintWindow hint;
    map.SetHintWindow(&hint);
    const QImage image = test::Render(map);

    QImage white(image.size(), image.format());
    white.fill(kWhite);
    QCOMPARE(image, white);
    QCOMPARE(pages.list.Items(0).Rect, TRect{});
    map.pb1MouseMove(15, 15);
    QVERIFY(!hint.isVisible());
}

void PageMapTest::everyPageGetsItsSquareOutsideTheView() {
    Pages pages(20, 64);
    TPageMap map;
    SetUp(map, 25, 129, 40); // room for the first row only
    test::Render(map);
    QCOMPARE(PageList->Items(19).Rect, (TRect{84, 109, 107, 132}));
    QCOMPARE(map.HintTextAt(100, 120).section(QStringLiteral("\r\n"), 0, 0),
             QStringLiteral("          Page 19"));
}

void PageMapTest::narrowMapsPaintOneColumn_data() {
    QTest::addColumn<int>("blockSize");
    QTest::addColumn<int>("cellsPerRow");
    QTest::addColumn<int>("width");
    QTest::newRow("no cells per row") << 25 << 0 << 70;
    QTest::newRow("negative cells per row") << 25 << -2 << 20;
    QTest::newRow("narrower than a square") << 10 << (5 - 50) / 10 << 5;
}

void PageMapTest::narrowMapsPaintOneColumn() {
    QFETCH(int, blockSize);
    QFETCH(int, cellsPerRow);
    QFETCH(int, width);
    Pages pages(5, 16);
    for (int k = 0; k < 5; ++k) {
        pages.SetBlank(k, 0);
    }
    TPageMap map;
    map.SetBlockSize(blockSize);
    map.SetCellsPerRow(cellsPerRow);
    map.resize(width, 200);
    const QImage image = test::Render(map);
    for (int k = 0; k < 5; ++k) {
        const int top = k * blockSize + 9;
        QCOMPARE(PageList->Items(k).Rect, (TRect{9, top, 9 + blockSize - 2, top + blockSize - 2}));
        if (width > 9) {
            QCOMPARE(At(image, 9, top), kBlack);
        }
    }
}

void PageMapTest::hintTexts_data() {
    QTest::addColumn<int>("pageSize");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("blank");
    QTest::addColumn<QString>("text");
    QTest::newRow("37.5 % of a 128-byte page")
        << 128 << 3 << 80
        << QStringLiteral("          Page 3\r\n          Adresse: 0x000180 (384d)\r\n"
                          "          Benutzt: 37,5%");
    QTest::newRow("first page, blank")
        << 64 << 0 << 64
        << QStringLiteral("          Page 0\r\n          Adresse: 0x000000 (0d)\r\n"
                          "          Benutzt: 0,0%");
    QTest::newRow("a half tenth goes up")
        << 16 << 2 << 15
        << QStringLiteral("          Page 2\r\n          Adresse: 0x000020 (32d)\r\n"
                          "          Benutzt: 6,3%");
    QTest::newRow("upper-case hex, full")
        << 256 << 1023 << 0
        << QStringLiteral("          Page 1023\r\n          Adresse: 0x03FF00 (261888d)\r\n"
                          "          Benutzt: 100,0%");
}

void PageMapTest::hintTexts() {
    QFETCH(int, pageSize);
    QFETCH(int, page);
    QFETCH(int, blank);
    QFETCH(QString, text);
    Pages pages(page + 1, pageSize);
    pages.SetBlank(page, blank);
    TPageMap map;
    SetUp(map, 5, 300, 600);
    THintWindow hint;
    map.SetHintWindow(&hint);
    test::Render(map);

    const QPoint pos = Centre(page);
    SendMove(map, pos);
    QVERIFY(hint.isVisible());
    QCOMPARE(hint.text(), text);
    QCOMPARE(hint.geometry().topLeft(), map.mapToGlobal(pos));
    QVERIFY(hint.geometry().width() > 0 && hint.geometry().height() > 0);
}

void PageMapTest::hintShowsOnSquaresOnly() {
    Pages pages(4, 128);
    pages.SetBlank(0, 80);
    TPageMap map;
    SetUp(map, 25, 129, 100);
    THintWindow hint;
    map.SetHintWindow(&hint);
    test::Render(map);

    struct Step {
        QPoint pos;
        bool shown;
    };
    const std::vector<Step> steps = {
        {{31, 15}, true},   // the square's last pixel column
        {{32, 15}, false},  // one pixel further: the gap
        {{20, 31}, true},   // the last pixel row
        {{20, 32}, false},  // the gap below
        {{20, 20}, true},   //
        {{5, 5}, false},    // the margin
        {{110, 15}, false}, // right of the last square
    };
    for (const Step& step : steps) {
        SendMove(map, step.pos);
        QVERIFY2(hint.isVisible() == step.shown,
                 qPrintable(QStringLiteral("at %1, %2").arg(step.pos.x()).arg(step.pos.y())));
    }
}

void PageMapTest::hintFollowsTheScrolledMap() {
    Pages pages(200, 32);
    QScrollArea box;
    box.setFrameShape(QFrame::NoFrame);
    auto* map = new TPageMap;
    SetUp(*map, 25, 129, 1285);
    box.setWidget(map);
    box.resize(160, 120);
    THintWindow hint;
    map->SetHintWindow(&hint);
    box.move(50, 50);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.verticalScrollBar()->setValue(600);
    QCOMPARE(map->y(), -600);
    test::Render(*map);

    // The pointer 20 pixels below the viewport's top rests on row 24 of the map: page 96.
    const QPoint inMap(20, 620);
    QCOMPARE(map->mapTo(box.viewport(), inMap), QPoint(20, 20));
    SendMove(*map, inMap);
    QVERIFY(hint.isVisible());
    QVERIFY(hint.text().startsWith(QStringLiteral("          Page 96\r\n")));
    QCOMPARE(hint.geometry().topLeft(), box.viewport()->mapToGlobal(QPoint(20, 20)));
}

void PageMapTest::hintStaysOnTheMonitor() {
    THintWindow hint;
    const QString text = QStringLiteral("          Page 3\r\n          Adresse: 0x000180 (384d)\r\n"
                                        "          Benutzt: 37,5%");
    const QRect needed = hint.CalcHintRect(10000, text);
    QCOMPARE(needed.topLeft(), QPoint(0, 0));
    QVERIFY(needed.height() > 2 * hint.fontMetrics().height());
    QVERIFY(needed.width() > hint.fontMetrics().horizontalAdvance(QStringLiteral("Adresse")));
    // Narrower than the longest line: the lines wrap and the hint grows taller.
    QVERIFY(hint.CalcHintRect(needed.width() / 2, text).height() > needed.height());

    const QRect monitor = QGuiApplication::primaryScreen()->geometry();
    hint.ActivateHint(needed.translated(monitor.topLeft() + QPoint(40, 30)), text);
    QCOMPARE(hint.geometry().topLeft(), monitor.topLeft() + QPoint(40, 30));
    QCOMPARE(hint.text(), text);

    hint.ActivateHint(needed.translated(monitor.bottomRight() - QPoint(5, 5)), text);
    QCOMPARE(hint.geometry().size(), needed.size());
    QCOMPARE(hint.geometry().right(), monitor.right());
    QCOMPARE(hint.geometry().bottom(), monitor.bottom());
    QVERIFY(hint.isVisible());
    QVERIFY(!hint.hasFocus());
    QVERIFY(hint.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    QVERIFY(hint.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

void PageMapTest::enterAndLeaveSwapHintTiming() {
    Pages pages(4, 128);
    HintTiming::SetHidePause(2500);
    HintTiming::SetPause(500);
    TPageMap map;
    SetUp(map, 25, 129, 100);
    map.SetSavedHintTiming(1800, 300);
    THintWindow hint;
    map.SetHintWindow(&hint);
    test::Render(map);

    QEnterEvent enter(QPointF(20, 20), QPointF(20, 20), QPointF(map.mapToGlobal(QPoint(20, 20))));
    QApplication::sendEvent(&map, &enter);
    QCOMPARE(HintTiming::HidePause(), 2147483647);
    QCOMPARE(HintTiming::Pause(), 0);
    SendMove(map, QPoint(20, 20));
    QVERIFY(hint.isVisible());

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&map, &leave);
    QCOMPARE(HintTiming::HidePause(), 1800);
    QCOMPARE(HintTiming::Pause(), 300);
    QVERIFY(!hint.isVisible());
}

void PageMapTest::hintHidesAfterTheDisplayTimeOffTheMap() {
    Pages pages(4, 128);
    HintTiming::SetHidePause(2500);
    HintTiming::SetPause(500);
    TPageMap map;
    SetUp(map, 25, 129, 100);
    map.SetSavedHintTiming(1, 500); // a display time of 1 ms once the pointer has left
    THintWindow hint;
    map.SetHintWindow(&hint);
    test::Render(map);

    // Over the map the hint stays however long the pointer rests.
    map.pb1MouseEnter();
    map.pb1MouseMove(20, 20);
    QVERIFY(hint.isVisible());
    QTest::qWait(20);
    QVERIFY(hint.isVisible());

    // Off the map the application's display time holds again.
    map.pb1MouseLeave();
    QVERIFY(!hint.isVisible());
    hint.ActivateHint(QRect(0, 0, 50, 20), QStringLiteral("x"));
    QVERIFY(hint.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!hint.isVisible(), 60000);
    HintTiming::SetHidePause(2500);
}

void PageMapTest::rightClickSetsJumpAddress_data() {
    QTest::addColumn<int>("pageSize");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<QString>("address");
    QTest::newRow("page 0") << 128 << QPoint(20, 20) << QStringLiteral("000000");
    QTest::newRow("page 2 of 64 bytes") << 64 << QPoint(70, 20) << QStringLiteral("000080");
    QTest::newRow("gap") << 128 << QPoint(33, 20) << QString();
    QTest::newRow("margin") << 128 << QPoint(3, 3) << QString();
}

void PageMapTest::rightClickSetsJumpAddress() {
    QFETCH(int, pageSize);
    QFETCH(QPoint, pos);
    QFETCH(QString, address);
    Pages pages(8, pageSize);
    TPageMap map;
    SetUp(map, 25, 129, 100);
    QMenu menu;
    menu.addAction(QStringLiteral("Springe an Adresse"));
    map.SetContextMenu(&menu);
    test::Render(map);
    map.pb1ContextPopup(95, 20); // an earlier right click on page 3
    QCOMPARE(map.JumpAddress(),
             QString::number(3 * pageSize, 16).toUpper().rightJustified(6, QLatin1Char('0')));

    QSignalSpy changed(&map, &TPageMap::jumpAddressChanged);
    QSignalSpy jump(&map, &TPageMap::jumpRequested);
    SendContextMenu(map, pos);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), address);
    QCOMPARE(map.JumpAddress(), address);
    QCOMPARE(jump.count(), 0);
    QVERIFY(menu.isVisible());
    QCOMPARE(menu.geometry().topLeft(), map.mapToGlobal(pos));
    menu.hide();
}

void PageMapTest::doubleClickJumpsToPage() {
    Pages pages(8, 64);
    TPageMap map;
    SetUp(map, 25, 129, 100);
    test::Render(map);
    QSignalSpy changed(&map, &TPageMap::jumpAddressChanged);
    QSignalSpy jump(&map, &TPageMap::jumpRequested);

    SendDoubleClick(map, QPoint(70, 20));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("000080"));
    QCOMPARE(jump.count(), 1);

    SendDoubleClick(map, QPoint(57, 20)); // the gap left of page 2
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(1).at(0).toString(), QString());
    QCOMPARE(map.JumpAddress(), QString());
    QCOMPARE(jump.count(), 1);
}

void PageMapTest::singleClickDoesNothing() {
    Pages pages(8, 64);
    TPageMap map;
    SetUp(map, 25, 129, 100);
    test::Render(map);
    QSignalSpy changed(&map, &TPageMap::jumpAddressChanged);
    QSignalSpy jump(&map, &TPageMap::jumpRequested);
    SendClick(map, QEvent::MouseButtonPress, QPoint(70, 20), Qt::LeftButton);
    SendClick(map, QEvent::MouseButtonRelease, QPoint(70, 20), Qt::LeftButton);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(jump.count(), 0);
    QCOMPARE(map.JumpAddress(), QString());
}

void PageMapTest::paintRefreshesBars() {
    Pages pages(32, 64);
    for (int k = 0; k < 8; ++k) {
        pages.SetBlank(k, 0);
    }
    TMikrocontroller controller;
    controller.SetFlashSize(32 * 64 - 1);
    controller.SetFlashPageSize(64);

    QWidget window;
    auto* map = new TPageMap(&window);
    SetUp(*map, 25, 129, 300);
    auto* pagesBar = new TUsageBar(TUsageBar::Kind::Pages, &window);
    auto* bytesBar = new TUsageBar(TUsageBar::Kind::Bytes, &window);
    auto* label3 = new QLabel(QStringLiteral("%"), &window);
    auto* label4 = new QLabel(QStringLiteral("%"), &window);
    pagesBar->setGeometry(140, 0, 200, 13);
    bytesBar->setGeometry(140, 20, 200, 13);
    label3->move(350, 0);
    label4->move(350, 20);
    label3->hide();
    label4->hide();
    pagesBar->SetLabel(label3);
    bytesBar->SetLabel(label4);
    map->SetBars(pagesBar, bytesBar);
    map->SetCanDraw(false); // the grid has no rows yet
    window.resize(400, 320);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(label3->isHidden());

    map->SetCanDraw(true); // the grid got its rows
    for (TUsageBar* bar : {pagesBar, bytesBar}) {
        bar->SetFlashSize(controller.FlashSize());
    }
    map->repaint(); // no events run between this and the checks
    QCOMPARE(label3->text(), QStringLiteral("25,0%"));
    QCOMPARE(label4->text(), QStringLiteral("25,0%"));
    QVERIFY(!label3->isHidden());
    QVERIFY(!label4->isHidden());
}

PAGORA_QTEST_MAIN(PageMapTest)
#include "PageMapTest.moc"
