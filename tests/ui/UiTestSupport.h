#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace pagora::test {

// Renders a widget into an image at one pixel per pixel, whatever the screen's scale factor.
inline QImage Render(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    widget.render(&image);
    return image;
}

// Runs `answer` on the next modal widget as soon as it shows, so a modal box never blocks a
// test. `answer` gets the modal widget and must close it.
inline void AnswerNextModal(std::function<void(QWidget*)> answer, int attempts = 200) {
    QTimer::singleShot(10, [answer = std::move(answer), attempts]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr) {
            answer(modal);
        } else if (attempts > 0) {
            AnswerNextModal(std::move(answer), attempts - 1);
        }
    });
}

// Answers the next message box with its first button and hands back what it said.
struct SeenBox {
    bool shown = false;
    QString title;
    QString text;
    QString informativeText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
};

inline void AnswerNextMessageBox(SeenBox& seen) {
    AnswerNextModal([&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            modal->close();
            return;
        }
        seen.shown = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.informativeText = box->informativeText();
        seen.icon = box->icon();
        seen.buttons = static_cast<int>(box->buttons().size());
        if (box->buttons().isEmpty()) {
            box->close();
        } else {
            box->buttons().first()->click();
        }
    });
}

} // namespace pagora::test
