#include "ui/TGotoAdressFrm.h"

#include "image/Errors.h"
#include "image/HexToInt.h"
#include "ui/Controls.h"
#include "ui/Fonts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <limits>
#include <memory>
#include <string>

namespace pagora {

namespace {

QRadioButton* MakeRadio(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* radio = new QRadioButton(text, parent);
    radio->setObjectName(QString::fromLatin1(name));
    radio->setGeometry(x, y, 140, 16);
    return radio;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, y, 75, 25);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

TGotoAdressFrm::TGotoAdressFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TGotoAdressFrm"));
    setWindowTitle(QStringLiteral("Zu Adresse Springen"));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    setFont(DialogFont());
    setFixedSize(393, 76);

    lblText = MakeLabel(
        this, "lblText",
        QStringLiteral("Bitte geben Sie die Adresse ein, die angezeigt werden soll."), 8, 8);
    rbDecimal = MakeRadio(this, "rbDecimal", QStringLiteral("Dezimales-Format"), 8, 28);
    rbHex = MakeRadio(this, "rbHex", QStringLiteral("Hexadezimales-Format"), 8, 44);
    rbHex->setChecked(true);
    Label1 = MakeLabel(this, "Label1", QStringLiteral("0x"), 153, 38);

    edtAdress = new QLineEdit(this);
    edtAdress->setObjectName(QStringLiteral("edtAdress"));
    edtAdress->setGeometry(167, 35, 121, 21);
    edtAdress->installEventFilter(this);

    btnOK = MakeButton(this, "btnOK", QStringLiteral("OK"), 310, 8);
    Button2 = MakeButton(this, "Button2", QStringLiteral("Abbrechen"), 310, 39);

    // The edit comes first, so it has the focus when the dialog opens.
    setTabOrder(edtAdress, rbDecimal);
    setTabOrder(rbDecimal, rbHex);
    setTabOrder(rbHex, btnOK);
    setTabOrder(btnOK, Button2);
    edtAdress->setFocus();

    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(rbDecimal, &QRadioButton::clicked, this, &TGotoAdressFrm::rbDecimalClick);
    connect(rbHex, &QRadioButton::clicked, this, &TGotoAdressFrm::rbHexClick);
}

QString TGotoAdressFrm::AskAddress(const QString& initialText, QWidget* parent) {
    QString text;
    bool decimal = false;
    {
        const auto form = std::make_unique<TGotoAdressFrm>(parent);
        form->edtAdress->setText(initialText);
        if (form->exec() != QDialog::Accepted) {
            return QString::fromLatin1(kCancelled);
        }
        text = form->edtAdress->text();
        decimal = form->rbDecimal->isChecked();
    }
    return decimal ? DecimalToHex(text) : text;
}

std::int32_t TGotoAdressFrm::StrToInt(const QString& text) {
    const auto fail = [&text]() {
        std::string message(1, '\'');
        message.append(text.toStdString()).append("' ist kein gültiger Integerwert");
        return EConvertError(message);
    };
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' ')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i == text.size()) {
        throw fail();
    }
    const std::int64_t limit =
        negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                 : std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9') {
            throw fail();
        }
        value = value * 10 + (c - u'0');
        if (value > limit) {
            throw fail();
        }
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

QString TGotoAdressFrm::DecimalToHex(const QString& text) {
    const std::int32_t value = StrToInt(text);
    return QString::fromStdString(ToHex(static_cast<std::uint32_t>(value), 4));
}

bool TGotoAdressFrm::edtAdressKeyPress(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        btnOK->click();
        return true;
    case Qt::Key_Escape:
        Button2->click();
        return true;
    default:
        return false;
    }
}

void TGotoAdressFrm::rbDecimalClick() {
    Label1->setVisible(!rbDecimal->isChecked());
    edtAdress->setFocus();
}

void TGotoAdressFrm::rbHexClick() {
    Label1->setVisible(rbHex->isChecked());
    edtAdress->setFocus();
}

bool TGotoAdressFrm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edtAdress && event->type() == QEvent::KeyPress &&
        edtAdressKeyPress(static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace pagora
