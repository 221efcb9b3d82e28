#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace pagora {

// The program's title: the main window's caption and that of the standard error box.
inline QString ApplicationTitle() {
    return QStringLiteral("AVR-Pagora");
}

// A modal message with a heading: the heading as the box's main text, the message under it,
// one "OK" button. Line breaks may be written CR LF; the box is wide enough for every line.
void ShowHeadedMessage(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                       const QString& heading, const QString& text);

// The text the standard error box shows for a message: a full stop is appended when the
// message's last character sorts after "." ("No Hex-Number" becomes "No Hex-Number.").
QString ErrorBoxText(const QString& message);

// The standard error box: caption the program's title, the error icon, one OK button.
void ShowErrorBox(QWidget* parent, const QString& message);

// Runs a handler; an exception escaping it is shown in the standard error box and the program
// goes on with the state as the handler left it. Returns false when it failed.
template <typename Handler> bool RunGuarded(QWidget* parent, Handler&& handler);

void ShowExceptionBox(QWidget* parent, const std::exception_ptr& error);

template <typename Handler> bool RunGuarded(QWidget* parent, Handler&& handler) {
    try {
        handler();
        return true;
    } catch (...) {
        ShowExceptionBox(parent, std::current_exception());
        return false;
    }
}

} // namespace pagora
