#pragma once

// Answers every message box the moment it shows, with its first button, and keeps what each
// said: no box can block a test, however many the code under test raises.
#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>

namespace pagora::reliability {

class BoxAnswerer : public QObject {
public:
    struct Box {
        QString title;
        QString text;
        QString informativeText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };

    BoxAnswerer() { qApp->installEventFilter(this); }
    ~BoxAnswerer() override { qApp->removeEventFilter(this); }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    const QList<Box>& Seen() const { return seen_; }
    void Clear() { seen_.clear(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                seen_.push_back(
                    {box->windowTitle(), box->text(), box->informativeText(), box->icon()});
                // Answered from the box's own event loop, once it runs.
                QTimer::singleShot(0, box, [guard = QPointer<QMessageBox>(box)] {
                    if (guard.isNull()) {
                        return;
                    }
                    if (guard->buttons().isEmpty()) {
                        guard->close();
                    } else {
                        guard->buttons().first()->click();
                    }
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QList<Box> seen_;
};

} // namespace pagora::reliability
