#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pagora {

// The small dialog in which the user types an address, in hexadecimal or in decimal.
class TGotoAdressFrm : public QDialog {
    Q_OBJECT
public:
    // What AskAddress returns when the user cancels.
    static constexpr const char* kCancelled = "-1";

    explicit TGotoAdressFrm(QWidget* parent = nullptr);

    // Runs the dialog modally over `parent` with `initialText` in the edit. Returns the
    // address as hexadecimal text, or "-1" when the user cancelled. A decimal entry that is
    // no valid integer raises EConvertError once the dialog is gone.
    static QString AskAddress(const QString& initialText, QWidget* parent);

    // A decimal integer text (optional sign, within 32 bits) as upper-case hexadecimal with at
    // least four digits: 100 gives "0064", -1 gives "FFFFFFFF". EConvertError otherwise.
    static QString DecimalToHex(const QString& text);
    // The integer of a decimal text; EConvertError "'text' ist kein gültiger Integerwert".
    static std::int32_t StrToInt(const QString& text);

    // Enter clicks OK, Escape clicks Abbrechen; both are swallowed. Returns true when the key
    // was one of them.
    bool edtAdressKeyPress(QKeyEvent* event);
    void rbDecimalClick();
    void rbHexClick();

    QLabel* lblText;
    QRadioButton* rbDecimal;
    QRadioButton* rbHex;
    QLabel* Label1;
    QLineEdit* edtAdress;
    QPushButton* btnOK;
    QPushButton* Button2;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace pagora
