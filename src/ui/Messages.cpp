#include "Messages.h"

#include <QLabel>
#include <QPushButton>
#include <exception>

namespace pagora {

namespace {

QString WithLineFeeds(QString text) {
    return text.replace(QStringLiteral("\r\n"), "\n");
}

} // namespace

void ShowHeadedMessage(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                       const QString& heading, const QString& text) {
    QMessageBox box(icon, caption, heading, QMessageBox::NoButton, parent);
    box.setInformativeText(WithLineFeeds(text));
    // Each line of the text stays on one line: the box grows to the longest line instead of
    // wrapping the text to the width the heading needs.
    for (QLabel* label : box.findChildren<QLabel*>()) {
        if (label->text() == box.informativeText()) {
            label->setWordWrap(false);
        }
    }
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

QString ErrorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.') {
        return message + QLatin1Char('.');
    }
    return message;
}

void ShowErrorBox(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), WithLineFeeds(ErrorBoxText(message)),
                    QMessageBox::NoButton, parent);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

void ShowExceptionBox(QWidget* parent, const std::exception_ptr& error) {
    QString message;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
        message = QStringLiteral("Unbekannter Fehler");
    }
    ShowErrorBox(parent, message);
}

} // namespace pagora
