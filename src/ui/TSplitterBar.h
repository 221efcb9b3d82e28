#pragma once

#include <QWidget>
#include <functional>

namespace pagora {

// The 3-pixel black bar between the grid and the page map. While dragged it proposes a new
// extent of the grid, which the owner accepts or refuses; at the end of a drag it reports.
class TSplitterBar : public QWidget {
    Q_OBJECT
public:
    explicit TSplitterBar(QWidget* parent = nullptr);

    // Horizontal drags (the page map on the right) or vertical ones (below).
    void SetVertical(bool vertical);
    bool Vertical() const { return vertical_; }

    // The grid's extent when a drag starts; the bar proposes it plus the distance dragged.
    void SetExtentSource(std::function<int()> extent) { extent_ = std::move(extent); }

Q_SIGNALS:
    // A drag proposes the extent n; the receiver resizes when it accepts.
    void Proposed(int n);
    // The drag has ended.
    void Moved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int Along(const QPointF& global) const;

    bool vertical_ = true;
    bool dragging_ = false;
    int startPos_ = 0;
    int startExtent_ = 0;
    std::function<int()> extent_;
};

} // namespace pagora
