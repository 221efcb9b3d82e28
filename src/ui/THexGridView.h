#pragma once

#include <QStyleOptionViewItem>
#include <QTableView>

class QMenu;
class QPainter;

namespace pagora {

class THexGridModel;

// The hex grid: one row per line of the store, the address, 16 bytes in hex, a spacer and the
// 16 bytes as characters. The focus rests on one byte cell (never the address or spacer
// column); the row it is in can be selected, and the focused byte's hex and character cells
// of the selected row are marked in the highlight colours.
class THexGridView : public QTableView {
    Q_OBJECT
public:
    static constexpr int kHeaderHeight = 17;
    static constexpr int kRowHeight = 18;

    explicit THexGridView(QWidget* parent = nullptr);

    THexGridModel& Model() { return *model_; }
    const THexGridModel& Model() const { return *model_; }

    void SetRowCount(int rows);
    int RowCount() const;
    // The selected row, -1 for none.
    int SelectedRow() const;

    // Moves the focus to a row, keeping the focused column; selects nothing.
    void FocusRow(int row);
    // Makes a row the one selected row.
    void SelectRow(int row);
    // Scrolls a row into the middle of the visible rows as far as the grid scrolls; the
    // horizontal position stays.
    void ScrollToCentre(int row);
    // Moves the focus to a column of the focused row; refused for the address and spacer.
    void FocusColumn(int column);

    // Column of the focused byte's hex cell (1..16) and character cell (18..33), -1 for none;
    // both 0 until the focus moves for the first time.
    int FocusHexColumn() const { return FFocusHexColumn; }
    int FocusCharColumn() const { return FFocusCharColumn; }

    // Whether the focus may move to a column: never to the address or the spacer. The view's
    // key and mouse handling ask it before the focus moves.
    static bool VirtualStringTree1FocusChanging(int newColumn);
    // The byte column a keyboard move that aims at `column` from `fromColumn` lands on: the
    // column itself where the focus may go, else the byte column nearest to it on the side
    // the focus comes from.
    static int NearestByteColumn(int column, int fromColumn);

    // The cell handlers the item delegate paints every cell with, reading the cell only
    // through the model's roles (display, background, foreground): the background, then the
    // text, left-aligned in one line. The focused cell of the selected row shows the view's
    // own highlight while the grid has the keyboard focus; no focus rectangle.
    static QString VirtualStringTree1GetText(const QModelIndex& index);
    void VirtualStringTree1BeforeCellPaint(QPainter& painter, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const;
    void VirtualStringTree1PaintText(QPainter& painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const;

    // The context menu shown at the pointer (not owned; nullptr: none).
    void SetContextMenu(QMenu* menu) { contextMenu_ = menu; }
    QMenu* ContextMenu() const { return contextMenu_; }

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

private:
    // Takes the focused byte's hex and character columns from the newly focused column.
    void VirtualStringTree1FocusChanged(int column);
    void UpdateMarking();
    void ApplyColumnWidths();
    bool PointerOnVetoedColumn(const QPoint& position) const;

    THexGridModel* model_;
    QMenu* contextMenu_ = nullptr;
    int textMargin_;
    int FFocusHexColumn = 0;
    int FFocusCharColumn = 0;
    bool removingRows_ = false;
    bool takingFocus_ = false; // the grid is taking the keyboard focus
};

} // namespace pagora
