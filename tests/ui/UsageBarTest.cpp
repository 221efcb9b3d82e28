#include "pages/UsageBar.h"

#include "UiTestSupport.h"
#include "devices/TMikrocontroller.h"
#include "pages/MemoryLayout.h"
#include "ui/Globals.h"
#include "ui/PaintGradientBar.h"
#include "ui/TUsageBar.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QtTest>
#include <cmath>
#include <vector>

using namespace pagora;

namespace {

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);

QColor At(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

// How much of `to` a pixel blended from white holds, 0 (white) to 1, from its red channel for a
// green bar and from its green channel for a red one.
double BlendOf(QColor pixel, QColor to) {
    const bool red = to.red() == 255;
    const int channel = red ? pixel.green() : pixel.red();
    const int target = red ? to.green() : to.red();
    return (255.0 - channel) / (255.0 - target);
}

// A usage bar over its own page list and controller, 669 x 13 as designed.
struct BarFixture {
    TPageList list;
    TMikrocontroller controller;
    QLabel label{QStringLiteral("%")};
    TUsageBar bar;

    explicit BarFixture(TUsageBar::Kind kind, int pages = 8, int pageSize = 64) : bar(kind) {
        RebuildForMemory(list, pages * pageSize - 1, pageSize);
        controller.SetFlashPageSize(pageSize);
        controller.SetFlashSize(pages * pageSize - 1);
        PageList = &list;
        DataDoesNotFit = false;
        label.hide();
        bar.SetLabel(&label);
        bar.SetFlashSize(controller.FlashSize());
        bar.resize(669, 13);
    }
    ~BarFixture() {
        PageList = nullptr;
        DataDoesNotFit = false;
    }
    // Gives the first `bytes` bytes of the image data, as `text`.
    void SetData(int bytes, const char* text = "00") {
        for (TPage& page : list) {
            for (TByteText& byte : page.Bytes) {
                if (bytes-- > 0) {
                    byte.Assign(text);
                }
            }
        }
    }
    void SetUsedPages(int used) { SetData(used * list.PageSize); }
};

// The last column of row `y` that is not white, 0 for none.
int LastColoured(const QImage& image, int y) {
    int last = 0;
    for (int x = 1; x < image.width() - 1; ++x) {
        if (At(image, x, y) != kWhite) {
            last = x;
        }
    }
    return last;
}

} // namespace

class UsageBarTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German)); }

    void barFillsItsShareOfTheInterior_data();
    void barFillsItsShareOfTheInterior();
    void labelsShowTheShare_data();
    void labelsShowTheShare();
    void overflowFillsTheBarRed();
    void barStaysEmptyWithoutData_data();
    void barStaysEmptyWithoutData();
    void gradientIsABellAcrossTheBar();
    void gradientIsWhiteAtTheEndsOfItsRectangle();
};

void UsageBarTest::barFillsItsShareOfTheInterior_data() {
    QTest::addColumn<int>("usedPages");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("lastColumn");
    QTest::addColumn<QString>("label");
    QTest::newRow("37.5 %") << 3 << 669 << 250 << QStringLiteral("37,5%");
    QTest::newRow("100 %") << 8 << 669 << 667 << QStringLiteral("100,0%");
    QTest::newRow("0 %") << 0 << 669 << 0 << QStringLiteral("0,0%");
    QTest::newRow("50 % of a narrow box") << 4 << 100 << 49 << QStringLiteral("50,0%");
}

void UsageBarTest::barFillsItsShareOfTheInterior() {
    QFETCH(int, usedPages);
    QFETCH(int, width);
    QFETCH(int, lastColumn);
    QFETCH(QString, label);
    BarFixture f(TUsageBar::Kind::Pages);
    f.SetUsedPages(usedPages);
    f.bar.resize(width, 13);
    const QImage image = test::Render(f.bar);

    QCOMPARE(f.label.text(), label);
    QVERIFY(!f.label.isHidden());
    // A black frame around a white interior, the bar in rows 2 to 10 of columns 1 to last.
    for (int x = 0; x < width; ++x) {
        QCOMPARE(At(image, x, 0), kBlack);
        QCOMPARE(At(image, x, 12), kBlack);
    }
    for (int y = 0; y < 13; ++y) {
        QCOMPARE(At(image, 0, y), kBlack);
        QCOMPARE(At(image, width - 1, y), kBlack);
    }
    for (int y = 2; y <= 10; ++y) {
        QCOMPARE(LastColoured(image, y), lastColumn);
    }
    QCOMPARE(LastColoured(image, 1), 0);
    QCOMPARE(LastColoured(image, 11), 0);
    if (lastColumn > 0) {
        QVERIFY(BlendOf(At(image, 1, 7), QColor(0, 128, 0)) > 0.6);
        QVERIFY(BlendOf(At(image, lastColumn, 7), QColor(0, 128, 0)) > 0.6);
    }
}

void UsageBarTest::labelsShowTheShare_data() {
    QTest::addColumn<bool>("bytes");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("pageSize");
    QTest::addColumn<int>("dataBytes");
    QTest::addColumn<QString>("dataText");
    QTest::addColumn<QString>("label");
    QTest::newRow("8 of 32 pages") << false << 32 << 64 << 8 * 64 << "00"
                                   << "25,0%";
    QTest::newRow("one byte makes a page used") << false << 32 << 64 << 7 * 64 + 1 << "00"
                                                << "25,0%";
    QTest::newRow("1 of 16 pages rounds up") << false << 16 << 64 << 64 << "00"
                                             << "6,3%";
    QTest::newRow("4096 of 32 KiB") << true << 256 << 128 << 4096 << "00"
                                    << "12,5%";
    QTest::newRow("FF is blank") << true << 256 << 128 << 4096 << "FF"
                                 << "0,0%";
    QTest::newRow("ff is data") << true << 256 << 128 << 4096 << "ff"
                                << "12,5%";
    QTest::newRow("FF pages are blank") << false << 32 << 64 << 8 * 64 << "FF"
                                        << "0,0%";
}

void UsageBarTest::labelsShowTheShare() {
    QFETCH(bool, bytes);
    QFETCH(int, pages);
    QFETCH(int, pageSize);
    QFETCH(int, dataBytes);
    QFETCH(QString, dataText);
    QFETCH(QString, label);
    BarFixture f(bytes ? TUsageBar::Kind::Bytes : TUsageBar::Kind::Pages, pages, pageSize);
    f.SetData(dataBytes, dataText.toLatin1().constData());
    test::Render(f.bar);
    QCOMPARE(f.label.text(), label);
    QVERIFY(!f.label.isHidden());
}

void UsageBarTest::overflowFillsTheBarRed() {
    for (TUsageBar::Kind kind : {TUsageBar::Kind::Pages, TUsageBar::Kind::Bytes}) {
        BarFixture f(kind);
        f.SetUsedPages(1); // mostly blank
        DataDoesNotFit = true;
        const QImage image = test::Render(f.bar);
        QCOMPARE(f.label.text(), QStringLiteral("> 100%"));
        QCOMPARE(LastColoured(image, 7), 667);
        const QColor middle = At(image, 400, 7);
        QCOMPARE(middle.red(), 255);
        QVERIFY(BlendOf(middle, QColor(255, 0, 0)) > 0.6);
        QCOMPARE(middle.green(), middle.blue());
    }
}

void UsageBarTest::barStaysEmptyWithoutData_data() {
    QTest::addColumn<bool>("flash");
    QTest::addColumn<bool>("pageList");
    // No flash: no controller chosen, or a grid without rows.
    QTest::newRow("no flash") << false << true;
    QTest::newRow("no page list") << true << false;
}

void UsageBarTest::barStaysEmptyWithoutData() {
    QFETCH(bool, flash);
    QFETCH(bool, pageList);
    BarFixture f(TUsageBar::Kind::Bytes);
    f.SetUsedPages(8);
    if (!flash) {
        f.bar.SetFlashSize(std::nullopt);
    }
    if (!pageList) {
        PageList = nullptr;
    }
    const QImage image = test::Render(f.bar);

    QImage expected(image.size(), image.format());
    expected.fill(kBlack);
    QPainter(&expected).fillRect(1, 1, 667, 11, kWhite);
    QCOMPARE(image, expected);
    QCOMPARE(f.label.text(), QStringLiteral("%"));
    QVERIFY(f.label.isHidden());
}

void UsageBarTest::gradientIsABellAcrossTheBar() {
    BarFixture f(TUsageBar::Kind::Pages);
    f.SetUsedPages(8);
    const QImage image = test::Render(f.bar);
    const QColor green(0, 128, 0);
    std::vector<double> blend(13, 0.0);
    for (int y = 2; y <= 10; ++y) {
        blend[y] = BlendOf(At(image, 300, y), green);
    }
    // Rising from the top, strongest at rows 7 and 8 (70 % of the colour), falling after.
    for (int y = 2; y < 7; ++y) {
        QVERIFY2(blend[y] < blend[y + 1], qPrintable(QString::number(y)));
    }
    for (int y = 8; y < 10; ++y) {
        QVERIFY2(blend[y] > blend[y + 1], qPrintable(QString::number(y)));
    }
    QVERIFY(std::abs(blend[7] - 0.7) < 0.03);
    QVERIFY(std::abs(blend[8] - 0.7) < 0.08);
    QVERIFY(blend[2] < 0.1);
    // Only the tone of the colour changes: white mixed with green.
    const QColor middle = At(image, 300, 7);
    QCOMPARE(middle.red(), middle.blue());
    QVERIFY(middle.green() > middle.red());
}

void UsageBarTest::gradientIsWhiteAtTheEndsOfItsRectangle() {
    // l = 0 and t = -1 make the filled area the whole gradient rectangle, rows 0 to 39.
    QImage image(20, 40, QImage::Format_RGB32);
    image.fill(kBlack);
    {
        QPainter painter(&image);
        PaintGradientBar(painter, 0, -1, 18, 39, kBarWhite, kBarGreen);
    }
    const QColor green(0, 128, 0);
    QVERIFY(BlendOf(At(image, 10, 0), green) < 0.03);
    QVERIFY(BlendOf(At(image, 10, 39), green) < 0.03);
    QVERIFY(std::abs(BlendOf(At(image, 10, 19), green) - 0.7) < 0.03);
    QVERIFY(std::abs(BlendOf(At(image, 10, 20), green) - 0.7) < 0.03);
    QCOMPARE(At(image, 19, 20), At(image, 0, 20)); // the area reaches column r + 1
    for (int y = 0; y < 20; ++y) {
        QVERIFY(std::abs(BlendOf(At(image, 5, y), green) - BlendOf(At(image, 5, 39 - y), green)) <
                0.03);
    }
}

PAGORA_QTEST_MAIN(UsageBarTest)
#include "UsageBarTest.moc"
