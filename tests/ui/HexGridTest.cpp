// The hex grid: what each cell shows and in which colours, the grid's geometry, where the focus
// may go and which cells carry the marking of the focused byte.
#include "HexGridFixtures.h"
#include "UiTestSupport.h"
#include "devices/TMikrocontroller.h"
#include "image/CellText.h"

#include <QContextMenuEvent>
#include <QFontInfo>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using pagora::THexContainer;
using pagora::THexGridView;
using pagora::TMikrocontroller;
using pagora::gridtest::GridFixture;
using pagora::gridtest::Record;
using pagora::gridtest::StoreOf;
using pagora::gridtest::ZeroImage;

namespace {

enum class Colour { Window, Silver, Red, Highlight };

// How a store for a case is built.
enum class Image {
    Moved,     // two lines, the first deleted: line 0 keeps its Address 10, line 1 its 20
    Stretched, // one line stretched by FitToSize to 64 bytes
    Short,     // one record of 5 bytes
    Chars,     // bytes 21 7B 7C 20 41 7E 7F 80 FF 00 30 39 5A 61 7A 5F
    Lower,     // lower-case digits: 6a 4b 7a 7b 7c 3f
    NotHex,    // a record whose data field holds "ZZ" and "4G" before 41
    PastFlash, // 0x8020 bytes: two lines past a 7FFF flash
};

THexContainer Make(Image image) {
    switch (image) {
    case Image::Moved: {
        THexContainer store = StoreOf(Record(0x00, "00112233445566778899AABBCCDDEEFF") +
                                      Record(0x10, "0102030405060708090A0B0C0D0E0F10") +
                                      Record(0x20, "4142434445464748494A4B4C4D4E4F50"));
        store.Delete(0);
        return store;
    }
    case Image::Stretched: {
        THexContainer store = StoreOf(Record(0x00, "00112233445566778899AABBCCDDEEFF"));
        store.FitToSize(0x3F);
        return store;
    }
    case Image::Short:
        return StoreOf(Record(0x00, "0102030405"));
    case Image::Chars:
        return StoreOf(Record(0x00, "217B7C20417E7F80FF0030395A617A5F"));
    case Image::Lower:
        return StoreOf(Record(0x00, "6a4b7a7b7c3f"));
    case Image::NotHex:
        return StoreOf(Record(0x00, "ZZ4G41"));
    case Image::PastFlash:
        return StoreOf(ZeroImage(0x8020));
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Image)
Q_DECLARE_METATYPE(Colour)

class HexGridTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cellText_data();
    void cellText();
    void cellColour_data();
    void cellColour();
    void colourFollowsController();
    void realToolchainImage();
    void geometry();
    void captions();
    void textIsLeftAligned();
    void focusVeto();
    void keyboardVeto();
    void homeKeysLandOnTheFirstByte();
    void pairMarking_data();
    void pairMarking();
    void markingFollowsSelection();
    void noMarkingWithoutSelectedRow();
    void rowCountChangeKeepsRows();
    void contextMenu();
};

void HexGridTest::cellText_data() {
    QTest::addColumn<Image>("image");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");

    QTest::newRow("row 0 address") << Image::Moved << 0 << 0 << "000000";
    QTest::newRow("row 1 address from the row, not the line") << Image::Moved << 1 << 0 << "000010";
    QTest::newRow("moved line's bytes") << Image::Moved << 1 << 1 << "41";
    QTest::newRow("appended line address") << Image::Stretched << 3 << 0 << "000030";
    QTest::newRow("appended line byte") << Image::Stretched << 3 << 16 << "FF";
    QTest::newRow("appended line char") << Image::Stretched << 3 << 33 << ".";
    QTest::newRow("short line byte 5") << Image::Short << 0 << 5 << "05";
    QTest::newRow("short line byte 6") << Image::Short << 0 << 6 << "FF";
    QTest::newRow("short line byte 16") << Image::Short << 0 << 16 << "FF";
    QTest::newRow("short line char 5") << Image::Short << 0 << 22 << ".";
    QTest::newRow("short line char 6") << Image::Short << 0 << 23 << ".";
    QTest::newRow("short line char 16") << Image::Short << 0 << 33 << ".";
    QTest::newRow("spacer") << Image::Short << 0 << 17 << "";
    QTest::newRow("21 is !") << Image::Chars << 0 << 18 << "!";
    QTest::newRow("7B is {") << Image::Chars << 0 << 19 << "{";
    QTest::newRow("7C is .") << Image::Chars << 0 << 20 << ".";
    QTest::newRow("20 is .") << Image::Chars << 0 << 21 << ".";
    QTest::newRow("41 is A") << Image::Chars << 0 << 22 << "A";
    QTest::newRow("7E is .") << Image::Chars << 0 << 23 << ".";
    QTest::newRow("80 is .") << Image::Chars << 0 << 25 << ".";
    QTest::newRow("00 is .") << Image::Chars << 0 << 27 << ".";
    QTest::newRow("5F is _") << Image::Chars << 0 << 33 << "_";
    QTest::newRow("hex cell as written") << Image::Chars << 0 << 2 << "7B";
    QTest::newRow("lower case byte") << Image::Lower << 0 << 1 << "6a";
    QTest::newRow("lower case byte 2") << Image::Lower << 0 << 2 << "4b";
    QTest::newRow("lower case char") << Image::Lower << 0 << 18 << "j";
    QTest::newRow("lower case 7b") << Image::Lower << 0 << 21 << "{";
    QTest::newRow("lower case 7c") << Image::Lower << 0 << 22 << ".";
    QTest::newRow("lower case 3f") << Image::Lower << 0 << 23 << "?";
    QTest::newRow("not hex byte shows as written") << Image::NotHex << 0 << 1 << "ZZ";
    QTest::newRow("not hex char is .") << Image::NotHex << 0 << 18 << ".";
    QTest::newRow("half hex char is .") << Image::NotHex << 0 << 19 << ".";
    QTest::newRow("after not hex") << Image::NotHex << 0 << 20 << "A";
    QTest::newRow("address of row 2049") << Image::PastFlash << 0x801 << 0 << "008010";
}

void HexGridTest::cellText() {
    QFETCH(Image, image);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);

    const THexContainer store = Make(image);
    pagora::THexGridModel model;
    model.SetStore(&store);
    model.SetRowCount(static_cast<int>(store.Count()));
    QCOMPARE(model.data(model.index(row, column), Qt::DisplayRole).toString(), text);
}

void HexGridTest::cellColour_data() {
    QTest::addColumn<Image>("image");
    QTest::addColumn<bool>("withController");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<Colour>("colour");

    // A controller whose highest flash address is 7FFF.
    QTest::newRow("7FF0 hex") << Image::PastFlash << true << 0x7FF << 1 << Colour::Window;
    QTest::newRow("7FF0 char") << Image::PastFlash << true << 0x7FF << 33 << Colour::Window;
    QTest::newRow("8000 first hex") << Image::PastFlash << true << 0x800 << 1 << Colour::Red;
    QTest::newRow("8000 last hex") << Image::PastFlash << true << 0x800 << 16 << Colour::Red;
    QTest::newRow("8000 first char") << Image::PastFlash << true << 0x800 << 18 << Colour::Red;
    QTest::newRow("8000 last char") << Image::PastFlash << true << 0x800 << 33 << Colour::Red;
    QTest::newRow("8000 address") << Image::PastFlash << true << 0x800 << 0 << Colour::Window;
    QTest::newRow("8000 spacer") << Image::PastFlash << true << 0x800 << 17 << Colour::Window;
    QTest::newRow("8010 red too") << Image::PastFlash << true << 0x801 << 9 << Colour::Red;
    QTest::newRow("no controller 8000")
        << Image::PastFlash << false << 0x800 << 1 << Colour::Window;
    QTest::newRow("no controller 8010")
        << Image::PastFlash << false << 0x801 << 33 << Colour::Window;
    QTest::newRow("image line") << Image::Stretched << false << 0 << 1 << Colour::Window;
    QTest::newRow("appended line hex") << Image::Stretched << false << 1 << 1 << Colour::Silver;
    QTest::newRow("appended line char") << Image::Stretched << false << 3 << 33 << Colour::Silver;
    QTest::newRow("appended line address") << Image::Stretched << false << 1 << 0 << Colour::Window;
    QTest::newRow("appended line spacer") << Image::Stretched << true << 2 << 17 << Colour::Window;
    QTest::newRow("appended line with controller")
        << Image::Stretched << true << 2 << 5 << Colour::Silver;
}

void HexGridTest::cellColour() {
    QFETCH(Image, image);
    QFETCH(bool, withController);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(Colour, colour);

    const THexContainer store = Make(image);
    TMikrocontroller controller;
    controller.SetFlashSize(0x7FFF);
    GridFixture fixture(ZeroImage(0));
    fixture.store = store;
    fixture.grid.Model().SetController(withController ? &controller : nullptr);
    fixture.grid.SetRowCount(static_cast<int>(fixture.store.Count()));
    fixture.grid.ScrollToCentre(row);

    const QColor expected = colour == Colour::Window   ? fixture.Window()
                            : colour == Colour::Silver ? QColor(192, 192, 192)
                                                       : QColor(255, 0, 0);
    QCOMPARE(fixture.Background(row, column), expected);
    const QImage image2 = pagora::gridtest::Render(*fixture.grid.viewport());
    QCOMPARE(image2.pixelColor(fixture.BackgroundPoint(row, column)), expected);
}

void HexGridTest::colourFollowsController() {
    GridFixture fixture(ZeroImage(0x8020));
    const QPoint point = fixture.BackgroundPoint(0, 1);
    TMikrocontroller controller;
    controller.SetFlashSize(0xF);
    fixture.grid.Model().SetController(&controller);
    QCOMPARE(pagora::gridtest::Render(*fixture.grid.viewport()).pixelColor(point),
             fixture.Window());
    QCOMPARE(pagora::gridtest::Render(*fixture.grid.viewport())
                 .pixelColor(fixture.BackgroundPoint(1, 1)),
             QColor(255, 0, 0));
    fixture.grid.Model().SetController(nullptr);
    QCOMPARE(pagora::gridtest::Render(*fixture.grid.viewport())
                 .pixelColor(fixture.BackgroundPoint(1, 1)),
             fixture.Window());
}

void HexGridTest::realToolchainImage() {
    GridFixture fixture(std::string{});
    fixture.store.LoadFromHexFile(PAGORA_EXAMPLES "/blink-atmega8.hex");
    fixture.grid.SetRowCount(static_cast<int>(fixture.store.Count()));
    const int imageRows = fixture.grid.RowCount();
    QVERIFY(imageRows > 2);
    // :1000000012C024C0... and :1000200015C014C013C011241FBECFE5D4E0DEBF
    const auto text = [&](int row, int column) {
        return fixture.grid.Model().data(fixture.Cell(row, column)).toString();
    };
    QCOMPARE(text(0, 1), QStringLiteral("12"));
    QCOMPARE(text(0, 2), QStringLiteral("C0"));
    QCOMPARE(text(2, 0), QStringLiteral("000020"));
    QCOMPARE(text(2, 8), QStringLiteral("24"));
    QCOMPARE(text(2, 25), QStringLiteral("$"));
    QCOMPARE(text(2, 18), QStringLiteral("."));

    const auto atmega8 = TMikrocontroller::CreateByName("ATmega8");
    QCOMPARE(atmega8->FlashSize(), 0x1FFF);
    fixture.store.FitToSize(atmega8->FlashSize());
    fixture.grid.Model().SetController(atmega8.get());
    fixture.grid.SetRowCount(static_cast<int>(fixture.store.Count()));
    QCOMPARE(fixture.grid.RowCount(), 512);
    QCOMPARE(text(511, 0), QStringLiteral("001FF0"));
    QCOMPARE(fixture.Background(imageRows - 1, 1), fixture.Window());
    QCOMPARE(fixture.Background(imageRows, 1), QColor(192, 192, 192));
    QCOMPARE(fixture.Background(511, 33), QColor(192, 192, 192));
    QCOMPARE(text(511, 33), QStringLiteral("."));
}

void HexGridTest::geometry() {
    GridFixture fixture(ZeroImage(0x400));
    THexGridView& grid = fixture.grid;
    int left = 0;
    for (int column = 0; column < pagora::cells::kColumnCount; ++column) {
        const int width = column == 0 ? 80 : column <= 16 ? 26 : column == 17 ? 20 : 19;
        QCOMPARE(grid.columnWidth(column), width);
        QCOMPARE(grid.columnViewportPosition(column), left);
        left += width;
    }
    QCOMPARE(left, 820);
    QCOMPARE(grid.horizontalHeader()->height(), 17);
    QCOMPARE(grid.viewport()->geometry().top(), grid.horizontalHeader()->geometry().bottom() + 1);
    QCOMPARE(grid.rowHeight(0), 18);
    QCOMPARE(grid.rowHeight(63), 18);
    QCOMPARE(grid.rowViewportPosition(5), 5 * 18);
    QCOMPARE(grid.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    QVERIFY(!grid.verticalHeader()->isVisible());
    QCOMPARE(grid.horizontalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    QVERIFY(!grid.horizontalHeader()->sectionsMovable());
    QVERIFY(!grid.horizontalHeader()->sectionsClickable());
    QVERIFY(!grid.isSortingEnabled());
    QVERIFY(!grid.showGrid());
    QCOMPARE(grid.selectionMode(), QAbstractItemView::SingleSelection);

    const QFontInfo font(grid.font());
    QCOMPARE(font.pixelSize(), 11);
    QVERIFY(font.fixedPitch());
    QCOMPARE(QFontInfo(grid.horizontalHeader()->font()).pixelSize(), 11);

    // A click on a header does not select a column.
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(grid.columnViewportPosition(3) + 5, 8));
    QCOMPARE(grid.SelectedRow(), -1);
}

void HexGridTest::captions() {
    pagora::THexGridModel model;
    QStringList captions;
    for (int column = 0; column < model.columnCount(); ++column) {
        captions << model.headerData(column, Qt::Horizontal).toString();
    }
    QStringList expected{"Adresse", "00", "01", "02", "03", "04", "05", "06",
                         "07",      "08", "09", "0A", "0B", "0C", "0D", "0E",
                         "0F",      "",   "A",  "S",  "C",  "I",  "I"};
    while (expected.size() < 34) {
        expected << QString();
    }
    QCOMPARE(captions, expected);
}

void HexGridTest::textIsLeftAligned() {
    GridFixture fixture(ZeroImage(0x40));
    const QImage image = pagora::gridtest::Render(*fixture.grid.viewport());
    const QRect cell = fixture.grid.visualRect(fixture.Cell(1, 0));
    const auto inkIn = [&](int from, int to) {
        for (int x = cell.left() + from; x <= cell.left() + to; ++x) {
            for (int y = cell.top(); y <= cell.bottom(); ++y) {
                if (image.pixelColor(x, y).lightness() < 128) {
                    return true;
                }
            }
        }
        return false;
    };
    // "000010" is about 40 pixels wide in an 80-pixel cell.
    QVERIFY(inkIn(0, 10));
    QVERIFY(!inkIn(52, 79));
}

void HexGridTest::focusVeto() {
    GridFixture fixture(ZeroImage(0x400));
    THexGridView& grid = fixture.grid;
    QCOMPARE(grid.FocusHexColumn(), 0);
    QCOMPARE(grid.FocusCharColumn(), 0);

    fixture.Click(3, 5);
    QCOMPARE(grid.currentIndex(), fixture.Cell(3, 5));
    QCOMPARE(grid.SelectedRow(), 3);
    QCOMPARE(grid.FocusHexColumn(), 5);
    QCOMPARE(grid.FocusCharColumn(), 22);

    for (const int column : {0, 17}) {
        fixture.Click(7, column);
        QCOMPARE(grid.currentIndex(), fixture.Cell(3, 5));
        QCOMPARE(grid.SelectedRow(), 3);
        QCOMPARE(grid.FocusHexColumn(), 5);
        QCOMPARE(fixture.Background(3, 5), fixture.Highlight());
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {},
                           grid.visualRect(fixture.Cell(8, column)).center());
        QCOMPARE(grid.currentIndex(), fixture.Cell(3, 5));
        QCOMPARE(grid.SelectedRow(), 3);
    }
    const QImage image = pagora::gridtest::Render(*grid.viewport());
    QCOMPARE(image.pixelColor(fixture.BackgroundPoint(3, 5)), fixture.Highlight());
    QCOMPARE(image.pixelColor(fixture.BackgroundPoint(3, 22)), fixture.Highlight());

    grid.FocusColumn(0);
    grid.FocusColumn(17);
    QCOMPARE(grid.currentIndex(), fixture.Cell(3, 5));

    fixture.Click(9, 30);
    QCOMPARE(grid.currentIndex(), fixture.Cell(9, 30));
    QCOMPARE(grid.SelectedRow(), 9);
    QCOMPARE(grid.FocusHexColumn(), 13);
    QCOMPARE(grid.FocusCharColumn(), 30);
}

void HexGridTest::keyboardVeto() {
    GridFixture fixture(ZeroImage(0x400));
    THexGridView& grid = fixture.grid;
    fixture.Click(3, 1);
    QTest::keyClick(&grid, Qt::Key_Left);
    QCOMPARE(grid.currentIndex(), fixture.Cell(3, 1));
    QTest::keyClick(&grid, Qt::Key_Home);
    QCOMPARE(grid.currentIndex(), fixture.Cell(3, 1));
    QTest::keyClick(&grid, Qt::Key_Down);
    QCOMPARE(grid.currentIndex(), fixture.Cell(4, 1));
    QCOMPARE(grid.SelectedRow(), 4);
    QCOMPARE(fixture.Background(4, 18), fixture.Highlight());

    fixture.Click(4, 16);
    QTest::keyClick(&grid, Qt::Key_Right);
    QCOMPARE(grid.currentIndex(), fixture.Cell(4, 16));
    fixture.Click(4, 18);
    QTest::keyClick(&grid, Qt::Key_Left);
    QCOMPARE(grid.currentIndex(), fixture.Cell(4, 18));
    QTest::keyClick(&grid, Qt::Key_Right);
    QCOMPARE(grid.currentIndex(), fixture.Cell(4, 19));
    QCOMPARE(grid.FocusHexColumn(), 2);
    QCOMPARE(grid.FocusCharColumn(), 19);
}

void HexGridTest::homeKeysLandOnTheFirstByte() {
    GridFixture fixture(ZeroImage(0x400)); // 64 rows, more than the grid shows
    THexGridView& grid = fixture.grid;
    // A fresh grid: the first key aims at the address of row 0 and lands on its first byte.
    QTest::keyClick(&grid, Qt::Key_Down);
    QCOMPARE(grid.currentIndex(), fixture.Cell(0, 1));

    // Home from a hex or a character cell: the first byte of the same row, marked in both.
    for (const int column : {9, 25}) {
        fixture.Click(20, column);
        QTest::keyClick(&grid, Qt::Key_Home);
        QCOMPARE(grid.currentIndex(), fixture.Cell(20, 1));
        QCOMPARE(grid.SelectedRow(), 20);
        QCOMPARE(grid.FocusHexColumn(), 1);
        QCOMPARE(grid.FocusCharColumn(), 18);
        QCOMPARE(fixture.Background(20, 18), fixture.Highlight());
    }

    // Ctrl+End goes to the last cell, Ctrl+Home back to the first byte of row 0, scrolled there.
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(grid.currentIndex(), fixture.Cell(63, 33));
    QVERIFY(grid.verticalScrollBar()->value() > 0);
    QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(grid.currentIndex(), fixture.Cell(0, 1));
    QCOMPARE(grid.SelectedRow(), 0);
    QCOMPARE(grid.verticalScrollBar()->value(), 0);
    QCOMPARE(grid.FocusCharColumn(), 18);

    // Clicks on the address and the spacer still change nothing.
    fixture.Click(5, 0);
    fixture.Click(6, 17);
    QCOMPARE(grid.currentIndex(), fixture.Cell(0, 1));
    QCOMPARE(grid.SelectedRow(), 0);
}

void HexGridTest::pairMarking_data() {
    QTest::addColumn<int>("clicked");
    QTest::newRow("hex cell 5") << 5;
    QTest::newRow("char cell 22") << 22;
}

void HexGridTest::pairMarking() {
    QFETCH(int, clicked);
    GridFixture fixture(ZeroImage(0x400));
    fixture.store.FitToSize(0x7FF); // rows 64 on are silver
    fixture.grid.SetRowCount(static_cast<int>(fixture.store.Count()));
    fixture.grid.ScrollToCentre(64);
    fixture.Click(64, clicked);
    QCOMPARE(fixture.grid.SelectedRow(), 64);

    const QImage image = pagora::gridtest::Render(*fixture.grid.viewport());
    const int firstRow = fixture.grid.rowAt(0);
    const int lastRow = fixture.grid.rowAt(fixture.grid.viewport()->height() - 1);
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = 1; column < 34; ++column) {
            const bool marked = row == 64 && (column == 5 || column == 22);
            const QColor pixel = image.pixelColor(fixture.BackgroundPoint(row, column));
            QVERIFY2((pixel == fixture.Highlight()) == marked,
                     qPrintable(QStringLiteral("row %1 column %2").arg(row).arg(column)));
        }
    }
    const QVariant text = fixture.grid.Model().data(fixture.Cell(64, 22), Qt::ForegroundRole);
    QCOMPARE(text.value<QBrush>().color(), fixture.HighlightText());
    QVERIFY(!fixture.grid.Model().data(fixture.Cell(64, 6), Qt::ForegroundRole).isValid());
    QVERIFY(!fixture.grid.Model().data(fixture.Cell(64, 0), Qt::ForegroundRole).isValid());
    // Silver carries on beside the marking.
    QCOMPARE(fixture.Background(64, 6), QColor(192, 192, 192));
}

void HexGridTest::markingFollowsSelection() {
    GridFixture fixture(ZeroImage(0x400));
    fixture.Click(2, 7);
    fixture.grid.SelectRow(5);
    QCOMPARE(fixture.Background(2, 7), fixture.Window());
    QCOMPARE(fixture.Background(5, 7), fixture.Highlight());
    QCOMPARE(fixture.Background(5, 24), fixture.Highlight());
    const QImage image = pagora::gridtest::Render(*fixture.grid.viewport());
    QCOMPARE(image.pixelColor(fixture.BackgroundPoint(5, 24)), fixture.Highlight());
    QCOMPARE(image.pixelColor(fixture.BackgroundPoint(2, 7)), fixture.Window());
}

void HexGridTest::noMarkingWithoutSelectedRow() {
    GridFixture fixture(ZeroImage(0x400));
    THexGridView& grid = fixture.grid;
    grid.FocusRow(3);
    grid.FocusColumn(5);
    QCOMPARE(grid.FocusHexColumn(), 5);
    QCOMPARE(grid.FocusCharColumn(), 22);
    QCOMPARE(grid.SelectedRow(), -1);
    grid.setFocus();

    const QImage image = pagora::gridtest::Render(*grid.viewport());
    for (int row = 0; row < 10; ++row) {
        for (int column = 1; column < 34; ++column) {
            QVERIFY(fixture.Background(row, column) != fixture.Highlight());
            QVERIFY(image.pixelColor(fixture.BackgroundPoint(row, column)) != fixture.Highlight());
        }
    }
    // Deselecting the row (Ctrl+click) takes the marking away again.
    fixture.Click(3, 5);
    QCOMPARE(fixture.Background(3, 5), fixture.Highlight());
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ControlModifier,
                      grid.visualRect(fixture.Cell(3, 5)).center());
    QCOMPARE(grid.SelectedRow(), -1);
    QCOMPARE(fixture.Background(3, 5), fixture.Window());
}

void HexGridTest::rowCountChangeKeepsRows() {
    GridFixture fixture(ZeroImage(0x400));
    THexGridView& grid = fixture.grid;
    fixture.Click(10, 3);
    fixture.store.FitToSize(0x1FFF);
    grid.SetRowCount(static_cast<int>(fixture.store.Count()));
    QCOMPARE(grid.RowCount(), 512);
    QCOMPARE(grid.model()->rowCount(), 512);
    QCOMPARE(grid.SelectedRow(), 10);
    QCOMPARE(grid.currentIndex(), fixture.Cell(10, 3));
    QCOMPARE(fixture.Background(10, 3), fixture.Highlight());
    QCOMPARE(fixture.Background(100, 3), QColor(192, 192, 192));
    QCOMPARE(grid.columnWidth(1), 26);

    // The focused row goes away: no row is focused or selected, the focused column stays.
    grid.SetRowCount(5);
    QCOMPARE(grid.SelectedRow(), -1);
    QVERIFY(!grid.currentIndex().isValid());
    QCOMPARE(grid.Model().MarkedRow(), -1);
    QCOMPARE(grid.FocusHexColumn(), 3);
    QCOMPARE(grid.FocusCharColumn(), 20);
    grid.SetRowCount(0);
    QCOMPARE(grid.RowCount(), 0);
    QCOMPARE(grid.SelectedRow(), -1);
    // The empty grid paints without asking for rows.
    pagora::gridtest::Render(grid);
    QCOMPARE(grid.columnWidth(0), 80);
}

void HexGridTest::contextMenu() {
    GridFixture fixture(ZeroImage(0x400));
    QMenu menu;
    menu.addAction(QStringLiteral("Springe an Adresse"));
    QSignalSpy aboutToShow(&menu, &QMenu::aboutToShow);
    fixture.grid.SetContextMenu(&menu);
    const QPoint local(100, 50);
    const QPoint global = fixture.grid.viewport()->mapToGlobal(local);
    QContextMenuEvent event(QContextMenuEvent::Mouse, local, global);
    QApplication::sendEvent(fixture.grid.viewport(), &event);
    QCOMPARE(aboutToShow.count(), 1);
    QVERIFY(menu.isVisible());
    QCOMPARE(menu.pos(), global);
    menu.hide();

    // A right click on another byte leaves focus and selection where they were.
    fixture.Click(3, 5);
    QTest::mouseClick(fixture.grid.viewport(), Qt::RightButton, {},
                      fixture.grid.visualRect(fixture.Cell(8, 9)).center());
    QCOMPARE(fixture.grid.currentIndex(), fixture.Cell(3, 5));
    QCOMPARE(fixture.grid.SelectedRow(), 3);
    menu.hide();
}

PAGORA_QTEST_MAIN(HexGridTest)
#include "HexGridTest.moc"
