#include "TSplitterBar.h"

#include <QMouseEvent>
#include <QPainter>

namespace pagora {

TSplitterBar::TSplitterBar(QWidget* parent) : QWidget(parent) {
    SetVertical(true);
}

void TSplitterBar::SetVertical(bool vertical) {
    vertical_ = vertical;
    setCursor(vertical ? Qt::SizeVerCursor : Qt::SizeHorCursor);
}

void TSplitterBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}

int TSplitterBar::Along(const QPointF& global) const {
    return vertical_ ? static_cast<int>(global.y()) : static_cast<int>(global.x());
}

void TSplitterBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    dragging_ = true;
    startPos_ = Along(event->globalPosition());
    startExtent_ = extent_ ? extent_() : 0;
}

void TSplitterBar::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) {
        Q_EMIT Proposed(startExtent_ + Along(event->globalPosition()) - startPos_);
    }
}

void TSplitterBar::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging_ && event->button() == Qt::LeftButton) {
        dragging_ = false;
        Q_EMIT Moved();
    }
}

} // namespace pagora
