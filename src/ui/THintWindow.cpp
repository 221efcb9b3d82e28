#include "THintWindow.h"

#include "HintTiming.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <algorithm>

namespace pagora {

namespace {

constexpr int kFrame = 1;
constexpr int kMarginX = 3;
constexpr int kMarginY = 2;
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// The text with its CR LF (or lone CR) line breaks as the painter knows them.
QString DisplayText(const QString& text) {
    QString display = text;
    display.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    display.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return display;
}

} // namespace

THintWindow::THintWindow(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    displayTime_.setSingleShot(true);
    connect(&displayTime_, &QTimer::timeout, this, &QWidget::hide);
}

QRect THintWindow::CalcHintRect(int maxWidth, const QString& text) const {
    const int inner = std::max(maxWidth - 2 * (kFrame + kMarginX), 1);
    const QRect bounds = QFontMetrics(font()).boundingRect(QRect(0, 0, inner, 1 << 20), kTextFlags,
                                                           DisplayText(text));
    return QRect(0, 0, bounds.width() + 2 * (kFrame + kMarginX),
                 bounds.height() + 2 * (kFrame + kMarginY));
}

void THintWindow::ActivateHint(QRect screenRect, const QString& text) {
    text_ = text;
    QScreen* screen = QGuiApplication::screenAt(screenRect.topLeft());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen != nullptr) {
        const QRect monitor = screen->geometry();
        if (screenRect.right() > monitor.right()) {
            screenRect.moveRight(monitor.right());
        }
        if (screenRect.bottom() > monitor.bottom()) {
            screenRect.moveBottom(monitor.bottom());
        }
        if (screenRect.left() < monitor.left()) {
            screenRect.moveLeft(monitor.left());
        }
        if (screenRect.top() < monitor.top()) {
            screenRect.moveTop(monitor.top());
        }
    }
    if (geometry() != screenRect) {
        setGeometry(screenRect);
    }
    if (!isVisible()) {
        show();
    }
    if (HintTiming::HidePause() < HintTiming::kForever) {
        displayTime_.start(std::max(HintTiming::HidePause(), 0));
    } else {
        displayTime_.stop();
    }
    update();
}

void THintWindow::hideEvent(QHideEvent* event) {
    displayTime_.stop();
    QWidget::hideEvent(event);
}

void THintWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::ToolTipBase));
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawText(rect().adjusted(kFrame + kMarginX, kFrame + kMarginY, -(kFrame + kMarginX),
                                     -(kFrame + kMarginY)),
                     kTextFlags, DisplayText(text_));
}

} // namespace pagora
