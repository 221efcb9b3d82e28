#pragma once

#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>

namespace pagora {

// A small top-most window that shows a text at a place on the screen without ever taking the
// focus or the mouse: the pointer's events go through it to whatever lies below.
class THintWindow : public QWidget {
    Q_OBJECT

public:
    explicit THintWindow(QWidget* parent = nullptr);

    // The rectangle, from (0, 0), that `text` needs when its lines may be at most `maxWidth`
    // pixels wide (longer lines wrap).
    QRect CalcHintRect(int maxWidth, const QString& text) const;
    // Shows `text` in `screenRect` (global coordinates), moved left and up as far as needed to
    // stay on the monitor the rectangle starts on. The hint hides itself once the
    // application's hint display time (HintTiming::HidePause) has passed, unless that is
    // HintTiming::kForever.
    void ActivateHint(QRect screenRect, const QString& text);

    // The text last shown, as given (line breaks "\r\n").
    QString text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QString text_;
    QTimer displayTime_;
};

} // namespace pagora
