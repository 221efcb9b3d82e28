#pragma once

#include "pages/TPageList.h"

#include <QMenu>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <cstdint>

namespace pagora {

class THintWindow;
class TUsageBar;

// The page map (pb1): one small square per flash page of the global page list, coloured by
// how much of the page holds data, with a hint of the page's number, address and used share
// under the pointer. A double click or the context menu on a square hands the page's first
// address on to go-to-address. The map only paints and reports; its height, the block size
// and the squares per row are set by the main window.
class TPageMap : public QWidget {
    Q_OBJECT

public:
    explicit TPageMap(QWidget* parent = nullptr);

    // The two usage bars, refreshed at the start of every paint of the map.
    void SetBars(TUsageBar* pages, TUsageBar* bytes);
    // Whether there is anything to draw (the grid has rows and a controller is chosen); without
    // it the map is white and no page's square changes. Unset: true.
    void SetCanDraw(bool canDraw);
    bool CanDraw() const { return canDraw_; }
    // Side of a square's cell in pixels (values below 1 count as 1).
    void SetBlockSize(int blockSize);
    int BlockSize() const { return blockSize_; }
    // The row measure: a row of the map holds cellsPerRow + 1 squares (one when it is 0 or less).
    void SetCellsPerRow(int cellsPerRow);
    int CellsPerRow() const { return cellsPerRow_; }
    // The window that shows the page details; owned by whoever made it.
    void SetHintWindow(THintWindow* hintWindow);
    // The shared context menu, shown at the pointer after a right click.
    void SetContextMenu(QMenu* menu);
    // The application's hint display time and delay as they were at start-up, restored when
    // the pointer leaves the map.
    void SetSavedHintTiming(int hidePause, int pause);

    // The address the last right click or double click handed on: six upper-case hex digits,
    // or empty.
    QString JumpAddress() const { return jumpAddress_; }

    // The hint for page `index` of a list of `pageSize`-byte pages.
    static QString HintText(std::size_t index, std::int32_t pageSize, const TPage& page);
    // The hint for the square under (x, y) in the map's own coordinates; empty off every square.
    QString HintTextAt(int x, int y) const;
    // The first address of the page under (x, y) as six upper-case hex digits, or empty.
    QString JumpAddressAt(int x, int y) const;

    // Event handlers; positions are in the map's own coordinates.
    void pb1Paint(QPainter& painter, const QRect& exposed);
    void pb1MouseMove(int x, int y);
    void pb1MouseEnter();
    void pb1MouseLeave();
    void pb1ContextPopup(int x, int y);
    void pb1DblClick(int x, int y);

Q_SIGNALS:
    // A right click or a double click set the jump address (empty on a gap or margin).
    void jumpAddressChanged(const QString& address);
    // A double click hit a square: go to the jump address without asking.
    void jumpRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void HideHint();

    int blockSize_ = 25;
    int cellsPerRow_ = 0;
    QPointer<TUsageBar> pagesBar_;
    QPointer<TUsageBar> bytesBar_;
    bool canDraw_ = true;
    QPointer<THintWindow> hintWindow_;
    QPointer<QMenu> contextMenu_;
    int savedHintHidePause_;
    int savedHintPause_;
    QString jumpAddress_;
};

} // namespace pagora
