#include "TPageMap.h"

#include "Globals.h"
#include "HintTiming.h"
#include "LocaleText.h"
#include "RgbColor.h"
#include "THintWindow.h"
#include "TUsageBar.h"
#include "pages/PageFill.h"
#include "pages/PageSquares.h"

#include <QContextMenuEvent>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

namespace pagora {

namespace {

const QColor kWhite(255, 255, 255);

// The index of the page whose square contains (x, y), or -1.
std::ptrdiff_t PageIndexAt(int x, int y) {
    if (PageList == nullptr) {
        return -1;
    }
    return PageList->IndexOf(PageList->PageAt(x, y));
}

} // namespace

TPageMap::TPageMap(QWidget* parent)
    : QWidget(parent), savedHintHidePause_(HintTiming::HidePause()),
      savedHintPause_(HintTiming::Pause()) {
    setObjectName(QStringLiteral("pb1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void TPageMap::SetBars(TUsageBar* pages, TUsageBar* bytes) {
    pagesBar_ = pages;
    bytesBar_ = bytes;
}

void TPageMap::SetCanDraw(bool canDraw) {
    canDraw_ = canDraw;
}

void TPageMap::SetBlockSize(int blockSize) {
    blockSize_ = std::max(blockSize, 1);
}

void TPageMap::SetCellsPerRow(int cellsPerRow) {
    cellsPerRow_ = cellsPerRow;
}

void TPageMap::SetHintWindow(THintWindow* hintWindow) {
    hintWindow_ = hintWindow;
}

void TPageMap::SetContextMenu(QMenu* menu) {
    contextMenu_ = menu;
}

void TPageMap::SetSavedHintTiming(int hidePause, int pause) {
    savedHintHidePause_ = hidePause;
    savedHintPause_ = pause;
}

QString TPageMap::HintText(std::size_t index, std::int32_t pageSize, const TPage& page) {
    return QString::fromStdString(PageHintText(index, pageSize, page, DecimalSeparator()));
}

QString TPageMap::HintTextAt(int x, int y) const {
    const std::ptrdiff_t index = PageIndexAt(x, y);
    if (index < 0) {
        return {};
    }
    return HintText(static_cast<std::size_t>(index), PageList->PageSize,
                    PageList->Items(static_cast<std::size_t>(index)));
}

QString TPageMap::JumpAddressAt(int x, int y) const {
    const std::ptrdiff_t index = PageIndexAt(x, y);
    return index < 0 ? QString()
                     : QString::fromStdString(
                           PageAddressText(static_cast<std::size_t>(index), PageList->PageSize));
}

void TPageMap::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    pb1Paint(painter, event->rect());
}

void TPageMap::pb1Paint(QPainter& painter, const QRect& exposed) {
    for (TUsageBar* bar : {pagesBar_.data(), bytesBar_.data()}) {
        if (bar != nullptr) {
            bar->Refresh();
        }
    }

    painter.fillRect(rect(), kWhite);
    if (!canDraw_ || PageList == nullptr) {
        return;
    }

    // Every page gets its square's rectangle, also where it lies outside the exposed area;
    // only squares that meet that area are drawn.
    LaySquares(*PageList, cellsPerRow_, blockSize_);
    const std::int32_t pageSize = PageList->PageSize;
    for (const TPage& page : *PageList) {
        const TRect& square = page.Rect;
        const QRect outer(QPoint(square.Left, square.Top),
                          QPoint(square.Right - 1, square.Bottom - 1));
        if (outer.isValid() && outer.intersects(exposed)) {
            painter.fillRect(outer, ToQColor(kSquareFrame));
            const QRect inner = outer.adjusted(1, 1, -1, -1);
            if (inner.isValid()) {
                painter.fillRect(inner, ToQColor(SquareFillRgb(page, pageSize, DataDoesNotFit)));
            }
        }
    }
}

void TPageMap::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    pb1MouseMove(pos.x(), pos.y());
}

void TPageMap::pb1MouseMove(int x, int y) {
    const QString text = HintTextAt(x, y);
    if (text.isEmpty()) {
        HideHint();
        return;
    }
    if (hintWindow_ == nullptr) {
        return;
    }
    const QPoint global = mapToGlobal(QPoint(x, y));
    QScreen* screen = QGuiApplication::screenAt(global);
    if (screen == nullptr) {
        screen = this->screen();
    }
    const int maxWidth = screen != nullptr ? screen->geometry().width() : 1 << 16;
    QRect rect = hintWindow_->CalcHintRect(maxWidth, text);
    rect.moveTopLeft(global);
    hintWindow_->ActivateHint(rect, text);
}

void TPageMap::enterEvent(QEnterEvent*) {
    pb1MouseEnter();
}

void TPageMap::pb1MouseEnter() {
    HintTiming::SetHidePause(HintTiming::kForever);
    HintTiming::SetPause(0);
}

void TPageMap::leaveEvent(QEvent*) {
    pb1MouseLeave();
}

void TPageMap::pb1MouseLeave() {
    HintTiming::SetHidePause(savedHintHidePause_);
    HintTiming::SetPause(savedHintPause_);
    HideHint();
}

void TPageMap::contextMenuEvent(QContextMenuEvent* event) {
    pb1ContextPopup(event->pos().x(), event->pos().y());
    if (contextMenu_ != nullptr) {
        contextMenu_->popup(event->globalPos());
    }
    event->accept();
}

void TPageMap::pb1ContextPopup(int x, int y) {
    jumpAddress_ = JumpAddressAt(x, y);
    Q_EMIT jumpAddressChanged(jumpAddress_);
}

void TPageMap::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    pb1DblClick(pos.x(), pos.y());
}

void TPageMap::pb1DblClick(int x, int y) {
    jumpAddress_ = JumpAddressAt(x, y);
    Q_EMIT jumpAddressChanged(jumpAddress_);
    if (!jumpAddress_.isEmpty()) {
        Q_EMIT jumpRequested();
    }
}

void TPageMap::HideHint() {
    if (hintWindow_ != nullptr && hintWindow_->isVisible()) {
        hintWindow_->hide();
    }
}

} // namespace pagora
