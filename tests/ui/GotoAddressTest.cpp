// Go to address: the dialog that asks for the address and the jump to the byte in the grid.
#include "ui/GotoAddress.h"

#include "HexGridFixtures.h"
#include "UiTestSupport.h"
#include "image/Errors.h"
#include "ui/TGotoAdressFrm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <functional>

using pagora::EConvertError;
using pagora::GotoAddress;
using pagora::TGotoAdressFrm;
using pagora::gridtest::AnswerNextMessageBox;
using pagora::gridtest::AnswerNextModal;
using pagora::gridtest::GridFixture;
using pagora::gridtest::SeenBox;
using pagora::gridtest::ZeroImage;

namespace {

const QString kBeyond =
    QStringLiteral("Die eingegebene Adresse überschreitet die Läänge des Hex-Files!");

// Runs AskAddress and lets `use` work the dialog once it is open.
QString Ask(const QString& initialText, std::function<void(TGotoAdressFrm&)> use) {
    AnswerNextModal([use = std::move(use)](QWidget* modal) {
        auto* form = qobject_cast<TGotoAdressFrm*>(modal);
        if (form == nullptr) {
            modal->close();
            return;
        }
        use(*form);
    });
    return TGotoAdressFrm::AskAddress(initialText, nullptr);
}

bool DialogAlive() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<TGotoAdressFrm*>(widget) != nullptr) {
            return true;
        }
    }
    return false;
}

// Where the grid's focus stands: row, column, selected row.
struct Focus {
    int row;
    int column;
    int selected;
    friend bool operator==(const Focus&, const Focus&) = default;
};

Focus FocusOf(const pagora::THexGridView& grid) {
    return {grid.currentIndex().row(), grid.currentIndex().column(), grid.SelectedRow()};
}

} // namespace

namespace QTest {
template <> inline char* toString(const Focus& focus) {
    return qstrdup(qPrintable(QStringLiteral("row %1 column %2 selected %3")
                                  .arg(focus.row)
                                  .arg(focus.column)
                                  .arg(focus.selected)));
}
} // namespace QTest

class GotoAddressTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dialogLayout();
    void radioButtonsShowAndHide0x();
    void enterAndEscapeLeaveNoCharacter_data();
    void enterAndEscapeLeaveNoCharacter();
    void askHex();
    void askDecimal();
    void cancelInDecimalMode();
    void closeBoxCancels();
    void badDecimalRaisesAfterTheDialogIsGone();
    void decimalToHex_data();
    void decimalToHex();
    void decimalErrors_data();
    void decimalErrors();
    void jumpToHex1A3();
    void jumpToDecimal100();
    void emptyTextGoesToFirstByte();
    void boundaryAddress();
    void addressesWithoutRow_data();
    void addressesWithoutRow();
    void notHexRaises();
    void realToolchainImage();
};

void GotoAddressTest::dialogLayout() {
    TGotoAdressFrm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.windowTitle(), QStringLiteral("Zu Adresse Springen"));
    QCOMPARE(form.size(), QSize(393, 76));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(form.lblText->text(),
             QStringLiteral("Bitte geben Sie die Adresse ein, die angezeigt werden soll."));
    QCOMPARE(form.lblText->pos(), QPoint(8, 8));
    QCOMPARE(form.rbDecimal->text(), QStringLiteral("Dezimales-Format"));
    QCOMPARE(form.rbDecimal->pos(), QPoint(8, 28));
    QCOMPARE(form.rbHex->text(), QStringLiteral("Hexadezimales-Format"));
    QCOMPARE(form.rbHex->pos(), QPoint(8, 44));
    QVERIFY(form.rbHex->isChecked());
    QVERIFY(!form.rbDecimal->isChecked());
    QCOMPARE(form.Label1->text(), QStringLiteral("0x"));
    QCOMPARE(form.Label1->pos(), QPoint(153, 38));
    QVERIFY(form.Label1->isVisible());
    QCOMPARE(form.edtAdress->geometry().topLeft(), QPoint(167, 35));
    QCOMPARE(form.edtAdress->width(), 121);
    QCOMPARE(form.btnOK->text(), QStringLiteral("OK"));
    QCOMPARE(form.btnOK->pos(), QPoint(310, 8));
    QCOMPARE(form.Button2->text(), QStringLiteral("Abbrechen"));
    QCOMPARE(form.Button2->pos(), QPoint(310, 39));
    for (QPushButton* button : {form.btnOK, form.Button2}) {
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }
    // Every control lies inside the client area, and none covers another.
    const QList<QWidget*> controls{form.lblText,   form.rbDecimal, form.rbHex,  form.Label1,
                                   form.edtAdress, form.btnOK,     form.Button2};
    for (QWidget* control : controls) {
        QVERIFY2(form.rect().contains(control->geometry()), qPrintable(control->objectName()));
        for (QWidget* other : controls) {
            QVERIFY2(control == other || !control->geometry().intersects(other->geometry()),
                     qPrintable(control->objectName() + " " + other->objectName()));
        }
    }
    // The label's text fits its place left of the edit.
    QVERIFY(form.Label1->geometry().right() < form.edtAdress->x());
    QCOMPARE(QFontInfo(form.font()).pointSize(), 8);
    if (QTest::qWaitForWindowActive(&form)) {
        QCOMPARE(QApplication::focusWidget(), form.edtAdress);
    }
}

void GotoAddressTest::radioButtonsShowAndHide0x() {
    TGotoAdressFrm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const bool active = QTest::qWaitForWindowActive(&form);
    form.edtAdress->setText(QStringLiteral("1A3"));
    QTest::mouseClick(form.rbDecimal, Qt::LeftButton);
    QVERIFY(form.rbDecimal->isChecked());
    QVERIFY(!form.Label1->isVisible());
    QCOMPARE(form.edtAdress->text(), QStringLiteral("1A3"));
    if (active) {
        QCOMPARE(QApplication::focusWidget(), form.edtAdress);
    }
    QTest::mouseClick(form.rbHex, Qt::LeftButton);
    QVERIFY(form.rbHex->isChecked());
    QVERIFY(form.Label1->isVisible());
    QCOMPARE(form.edtAdress->text(), QStringLiteral("1A3"));
    if (active) {
        QCOMPARE(QApplication::focusWidget(), form.edtAdress);
    }
}

void GotoAddressTest::enterAndEscapeLeaveNoCharacter_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(QDialog::Accepted);
    QTest::newRow("Escape") << int(Qt::Key_Escape) << int(QDialog::Rejected);
}

void GotoAddressTest::enterAndEscapeLeaveNoCharacter() {
    QFETCH(int, key);
    QFETCH(int, result);
    TGotoAdressFrm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::keyClicks(form.edtAdress, QStringLiteral("1a3"));
    QTest::keyClick(form.edtAdress, static_cast<Qt::Key>(key));
    QCOMPARE(form.result(), result);
    QVERIFY(!form.isVisible());
    QCOMPARE(form.edtAdress->text(), QStringLiteral("1a3"));
}

void GotoAddressTest::askHex() {
    const QString answer = Ask(QStringLiteral("000080"), [](TGotoAdressFrm& form) {
        QCOMPARE(form.edtAdress->text(), QStringLiteral("000080"));
        form.edtAdress->clear();
        QTest::keyClicks(form.edtAdress, QStringLiteral("1A3"));
        QTest::keyClick(form.edtAdress, Qt::Key_Return);
    });
    QCOMPARE(answer, QStringLiteral("1A3"));
    QVERIFY(!DialogAlive());
}

void GotoAddressTest::askDecimal() {
    const QString answer = Ask(QString(), [](TGotoAdressFrm& form) {
        QTest::mouseClick(form.rbDecimal, Qt::LeftButton);
        QTest::keyClicks(form.edtAdress, QStringLiteral("100"));
        QTest::mouseClick(form.btnOK, Qt::LeftButton);
    });
    QCOMPARE(answer, QStringLiteral("0064"));
}

void GotoAddressTest::cancelInDecimalMode() {
    for (const bool byEscape : {false, true}) {
        const QString answer = Ask(QString(), [byEscape](TGotoAdressFrm& form) {
            QTest::mouseClick(form.rbDecimal, Qt::LeftButton);
            QTest::keyClicks(form.edtAdress, QStringLiteral("kein Wert"));
            if (byEscape) {
                QTest::keyClick(form.edtAdress, Qt::Key_Escape);
            } else {
                QTest::mouseClick(form.Button2, Qt::LeftButton);
            }
        });
        QCOMPARE(answer, QStringLiteral("-1"));
    }
}

void GotoAddressTest::closeBoxCancels() {
    const QString answer =
        Ask(QStringLiteral("10"), [](TGotoAdressFrm& form) { QVERIFY(form.close()); });
    QCOMPARE(answer, QStringLiteral("-1"));
}

void GotoAddressTest::badDecimalRaisesAfterTheDialogIsGone() {
    try {
        Ask(QString(), [](TGotoAdressFrm& form) {
            form.rbDecimal->click();
            QTest::keyClicks(form.edtAdress, QStringLiteral("12x"));
            QTest::keyClick(form.edtAdress, Qt::Key_Return);
        });
        QFAIL("no error");
    } catch (const EConvertError& error) {
        QCOMPARE(QString::fromStdString(error.what()),
                 QStringLiteral("'12x' ist kein gültiger Integerwert"));
    }
    QVERIFY(!DialogAlive());
}

void GotoAddressTest::decimalToHex_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hex");
    QTest::newRow("100") << "100"
                         << "0064";
    QTest::newRow("70000") << "70000"
                           << "11170";
    QTest::newRow("0") << "0"
                       << "0000";
    QTest::newRow("plus") << "+7"
                          << "0007";
    QTest::newRow("leading zeros") << "0042"
                                   << "002A";
    QTest::newRow("leading blanks") << "  42"
                                    << "002A";
    QTest::newRow("-1") << "-1"
                        << "FFFFFFFF";
    QTest::newRow("int max") << "2147483647"
                             << "7FFFFFFF";
    QTest::newRow("int min") << "-2147483648"
                             << "80000000";
}

void GotoAddressTest::decimalToHex() {
    QFETCH(QString, text);
    QFETCH(QString, hex);
    QCOMPARE(TGotoAdressFrm::DecimalToHex(text), hex);
}

void GotoAddressTest::decimalErrors_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("blank") << " ";
    QTest::newRow("sign only") << "-";
    QTest::newRow("two signs") << "--1";
    QTest::newRow("hex digit") << "1A";
    QTest::newRow("trailing blank") << "12 ";
    QTest::newRow("above int") << "2147483648";
    QTest::newRow("below int") << "-2147483649";
    QTest::newRow("far above int") << "99999999999999999999";
    QTest::newRow("umlaut") << "1ä";
    QTest::newRow("arabic digit") << "١٢";
}

void GotoAddressTest::decimalErrors() {
    QFETCH(QString, text);
    try {
        TGotoAdressFrm::DecimalToHex(text);
        QFAIL("no error");
    } catch (const EConvertError& error) {
        QCOMPARE(QString::fromStdString(error.what()),
                 QStringLiteral("'") + text + QStringLiteral("' ist kein gültiger Integerwert"));
    }
}

void GotoAddressTest::jumpToHex1A3() {
    // A narrow grid scrolled to the right: the jump must keep the horizontal position.
    GridFixture fixture(ZeroImage(0x1000), 400, 300);
    fixture.grid.horizontalScrollBar()->setValue(120);
    GotoAddress(fixture.grid, QStringLiteral("1A3"), &fixture.grid);

    QCOMPARE(FocusOf(fixture.grid), (Focus{26, 4, 26}));
    QCOMPARE(fixture.grid.FocusHexColumn(), 4);
    QCOMPARE(fixture.grid.FocusCharColumn(), 21);
    QCOMPARE(fixture.grid.horizontalScrollBar()->value(), 120);
    const QRect row = fixture.grid.visualRect(fixture.Cell(26, 4));
    QVERIFY(qAbs(row.center().y() - fixture.grid.viewport()->height() / 2) <= 9);
    QCOMPARE(fixture.Background(26, 4), fixture.Highlight());
    QCOMPARE(fixture.Background(26, 21), fixture.Highlight());

    fixture.grid.horizontalScrollBar()->setValue(0);
    const QImage image = pagora::gridtest::Render(*fixture.grid.viewport());
    QCOMPARE(image.pixelColor(fixture.BackgroundPoint(26, 4)), fixture.Highlight());
    QCOMPARE(image.pixelColor(fixture.BackgroundPoint(26, 5)), fixture.Window());
}

void GotoAddressTest::jumpToDecimal100() {
    GridFixture fixture(ZeroImage(0x1000));
    const QString address = Ask(QStringLiteral("000080"), [](TGotoAdressFrm& form) {
        form.rbDecimal->click();
        form.edtAdress->setText(QStringLiteral("100"));
        form.btnOK->click();
    });
    GotoAddress(fixture.grid, address, &fixture.grid);
    QCOMPARE(FocusOf(fixture.grid), (Focus{6, 5, 6}));
    QCOMPARE(fixture.grid.FocusCharColumn(), 22);
}

void GotoAddressTest::emptyTextGoesToFirstByte() {
    GridFixture fixture(ZeroImage(0x1000));
    fixture.grid.ScrollToCentre(200);
    GotoAddress(fixture.grid, QString(), &fixture.grid);
    QCOMPARE(FocusOf(fixture.grid), (Focus{0, 1, 0}));
    QCOMPARE(fixture.grid.verticalScrollBar()->value(), 0);
}

void GotoAddressTest::boundaryAddress() {
    GridFixture fixture(ZeroImage(0x1000)); // 256 rows
    QCOMPARE(fixture.grid.RowCount(), 256);
    GotoAddress(fixture.grid, QStringLiteral("FFF"), &fixture.grid);
    QCOMPARE(FocusOf(fixture.grid), (Focus{255, 16, 255}));
    QCOMPARE(fixture.grid.FocusCharColumn(), 33);
    // The last row cannot stand in the middle: the grid is scrolled to its end.
    QCOMPARE(fixture.grid.verticalScrollBar()->value(),
             fixture.grid.verticalScrollBar()->maximum());

    SeenBox seen;
    AnswerNextMessageBox(seen);
    GotoAddress(fixture.grid, QStringLiteral("1000"), &fixture.grid);
    QVERIFY(seen.shown);
    QCOMPARE(seen.title, QStringLiteral("Informationen"));
    QCOMPARE(seen.text, QStringLiteral("Hinweis:"));
    QCOMPARE(seen.informativeText, kBeyond);
    QCOMPARE(seen.icon, QMessageBox::Information);
    QCOMPARE(seen.buttons, 1);
    // The message stands on one line under the heading ("Hex-Files!" not split).
    QCOMPARE(seen.brokenLines, QStringList());
    QVERIFY(seen.headingAbove);
    QCOMPARE(FocusOf(fixture.grid), (Focus{255, 16, 255}));
}

void GotoAddressTest::addressesWithoutRow_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("imageBytes");
    QTest::newRow("far beyond") << "400000" << 0x1000;
    QTest::newRow("FFFFFFFF") << "FFFFFFFF" << 0x1000;
    QTest::newRow("FFFFFFF0") << "FFFFFFF0" << 0x1000;
    QTest::newRow("80000000") << "80000000" << 0x1000;
    QTest::newRow("decimal -1") << "FFFFFFFF" << 0x1000;
    QTest::newRow("no rows") << "0" << 0;
}

void GotoAddressTest::addressesWithoutRow() {
    QFETCH(QString, address);
    QFETCH(int, imageBytes);
    GridFixture fixture(ZeroImage(static_cast<std::uint32_t>(imageBytes)));
    fixture.Click(3, 5);
    const Focus before = FocusOf(fixture.grid);
    SeenBox seen;
    AnswerNextMessageBox(seen);
    GotoAddress(fixture.grid, address, &fixture.grid);
    QVERIFY(seen.shown);
    QCOMPARE(seen.informativeText, kBeyond);
    QCOMPARE(FocusOf(fixture.grid), before);
}

void GotoAddressTest::notHexRaises() {
    GridFixture fixture(ZeroImage(0x1000));
    fixture.Click(3, 5);
    const Focus before = FocusOf(fixture.grid);
    for (const QString& text : {QStringLiteral("0x1A3"), QStringLiteral("0x"),
                                QStringLiteral(" 1A"), QStringLiteral("1Aä")}) {
        try {
            GotoAddress(fixture.grid, text, &fixture.grid);
            QFAIL(qPrintable(text + " gave no error"));
        } catch (const EConvertError& error) {
            QCOMPARE(QString::fromStdString(error.what()), QStringLiteral("No Hex-Number"));
        }
        QCOMPARE(FocusOf(fixture.grid), before);
    }
}

void GotoAddressTest::realToolchainImage() {
    GridFixture fixture(std::string{});
    fixture.store.LoadFromHexFile(PAGORA_EXAMPLES "/blink-atmega8.hex");
    const int rows = static_cast<int>(fixture.store.Count());
    fixture.grid.SetRowCount(rows);
    QVERIFY(rows > 4);
    GotoAddress(fixture.grid, QStringLiteral("23"), &fixture.grid);
    QCOMPARE(FocusOf(fixture.grid), (Focus{2, 4, 2}));
    // :1000200015C014C0... byte 3 of row 2 reads C0.
    QCOMPARE(fixture.grid.Model().data(fixture.Cell(2, 4)).toString(), QStringLiteral("C0"));

    SeenBox seen;
    AnswerNextMessageBox(seen);
    GotoAddress(fixture.grid, QString::number(rows * 16, 16), &fixture.grid);
    QVERIFY(seen.shown);
    GotoAddress(fixture.grid, QString::number(rows * 16 - 1, 16), &fixture.grid);
    QCOMPARE(FocusOf(fixture.grid), (Focus{rows - 1, 16, rows - 1}));
}

PAGORA_QTEST_MAIN(GotoAddressTest)
#include "GotoAddressTest.moc"
