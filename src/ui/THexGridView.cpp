#include "ui/THexGridView.h"

#include "image/CellText.h"
#include "ui/THexGridModel.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace pagora {

namespace {

// The column header: exactly 17 pixels high, whatever the font asks for.
class TGridHeader : public QHeaderView {
public:
    explicit TGridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}
    QSize sizeHint() const override {
        return {QHeaderView::sizeHint().width(), THexGridView::kHeaderHeight};
    }
};

// Paints a cell as the model says, in one fill and one short text: no focus rectangle, and
// the view's own highlighting of the selected row only on the focused cell while the grid has
// the keyboard focus.
class TCellDelegate : public QStyledItemDelegate {
public:
    TCellDelegate(const THexGridModel& model, QWidget* view)
        : QStyledItemDelegate(view), model_(model),
          margin_(view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int row = index.row();
        const int column = index.column();
        const bool ownHighlight = option.state.testFlag(QStyle::State_Selected) &&
                                  option.state.testFlag(QStyle::State_HasFocus);
        painter->fillRect(option.rect,
                          ownHighlight ? model_.HighlightBrush() : model_.Background(row, column));
        const QString text = model_.Text(row, column);
        if (text.isEmpty()) {
            return;
        }
        if (ownHighlight || model_.IsMarked(row, column)) {
            painter->setPen(model_.HighlightTextBrush().color());
        } else {
            painter->setPen(option.palette.color(option.state.testFlag(QStyle::State_Enabled)
                                                     ? QPalette::Normal
                                                     : QPalette::Disabled,
                                                 QPalette::Text));
        }
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(margin_, 0, -margin_, 0),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }

private:
    const THexGridModel& model_;
    int margin_;
};

} // namespace

THexGridView::THexGridView(QWidget* parent) : QTableView(parent), model_(new THexGridModel(this)) {
    setHorizontalHeader(new TGridHeader(this));
    setModel(model_);
    setItemDelegate(new TCellDelegate(*model_, this));

    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(11);
    setFont(font);

    QHeaderView* columns = horizontalHeader();
    columns->setMinimumSectionSize(1);
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setSectionsMovable(false);
    columns->setSectionsClickable(false);
    columns->setHighlightSections(false);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    columns->setStretchLastSection(false);
    ApplyColumnWidths();

    QHeaderView* rows = verticalHeader();
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(kRowHeight);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setVisible(false);

    setShowGrid(false);
    setSortingEnabled(false);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    setFocusPolicy(Qt::StrongFocus);
    model_->SetColours(palette());
}

void THexGridView::ApplyColumnWidths() {
    QHeaderView* columns = horizontalHeader();
    for (int column = 0; column < cells::kColumnCount; ++column) {
        columns->resizeSection(column, THexGridModel::ColumnWidth(column));
    }
}

void THexGridView::SetRowCount(int rows) {
    model_->SetRowCount(rows);
    UpdateMarking();
}

int THexGridView::RowCount() const {
    return model_->RowCount();
}

int THexGridView::SelectedRow() const {
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty()) {
        return -1;
    }
    int row = selection.first().top();
    for (const QItemSelectionRange& range : selection) {
        row = std::min(row, range.top());
    }
    return row;
}

bool THexGridView::FocusAllowed(int column) {
    return column != cells::kAddressColumn && column != cells::kSpacerColumn;
}

void THexGridView::FocusRow(int row) {
    if (row < 0 || row >= RowCount()) {
        return;
    }
    int column = currentIndex().column();
    if (column < 0 || !FocusAllowed(column)) {
        column =
            focusHexColumn_ >= cells::kFirstHexColumn ? focusHexColumn_ : cells::kFirstHexColumn;
    }
    // Focusing a row scrolls nothing: centring it is a step of its own.
    const bool scrolls = hasAutoScroll();
    setAutoScroll(false);
    selectionModel()->setCurrentIndex(model_->index(row, column), QItemSelectionModel::NoUpdate);
    setAutoScroll(scrolls);
}

void THexGridView::SelectRow(int row) {
    if (row < 0 || row >= RowCount()) {
        return;
    }
    selectionModel()->select(model_->index(row, 0),
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void THexGridView::ScrollToCentre(int row) {
    if (row < 0 || row >= RowCount()) {
        return;
    }
    executeDelayedItemsLayout(); // the scroll range must know the current row count
    const int horizontal = horizontalScrollBar()->value();
    scrollTo(model_->index(row, 0), QAbstractItemView::PositionAtCenter);
    horizontalScrollBar()->setValue(horizontal);
}

void THexGridView::FocusColumn(int column) {
    if (column < 0 || column >= cells::kColumnCount || !FocusAllowed(column)) {
        return;
    }
    int row = currentIndex().row();
    if (row < 0) {
        row = SelectedRow();
    }
    if (row < 0) {
        // No row to put the focus in: the column is taken all the same.
        FocusChanged(column);
        return;
    }
    selectionModel()->setCurrentIndex(model_->index(row, column), QItemSelectionModel::NoUpdate);
}

int THexGridView::NearestByteColumn(int column, int fromColumn) {
    if (FocusAllowed(column)) {
        return column;
    }
    if (column == cells::kSpacerColumn) {
        // Of the two byte columns beside the spacer, the one on the side the focus comes from.
        return fromColumn >= cells::kFirstCharColumn ? cells::kFirstCharColumn
                                                     : cells::kLastHexColumn;
    }
    return cells::kFirstHexColumn;
}

void THexGridView::focusInEvent(QFocusEvent* event) {
    // Taking the keyboard focus moves no cell focus; the view would put it on the first cell.
    takingFocus_ = true;
    QTableView::focusInEvent(event);
    takingFocus_ = false;
}

QModelIndex THexGridView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    // A key that aims at the address or the spacer lands on the nearest byte of the row it
    // aims at (Home: the row's first byte).
    const QModelIndex next = QTableView::moveCursor(cursorAction, modifiers);
    if (takingFocus_) {
        return currentIndex();
    }
    if (next.isValid() && !FocusAllowed(next.column())) {
        return model_->index(next.row(), NearestByteColumn(next.column(), currentIndex().column()));
    }
    return next;
}

bool THexGridView::PointerOnVetoedColumn(const QPoint& position) const {
    const QModelIndex index = indexAt(position);
    return index.isValid() && !FocusAllowed(index.column());
}

void THexGridView::mousePressEvent(QMouseEvent* event) {
    // The right button only opens the context menu; it moves neither focus nor selection.
    if (event->button() == Qt::RightButton || PointerOnVetoedColumn(event->position().toPoint())) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void THexGridView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() != Qt::NoButton && PointerOnVetoedColumn(event->position().toPoint())) {
        event->accept();
        return;
    }
    QTableView::mouseMoveEvent(event);
}

void THexGridView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (PointerOnVetoedColumn(event->position().toPoint())) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void THexGridView::contextMenuEvent(QContextMenuEvent* event) {
    if (contextMenu_ == nullptr) {
        QTableView::contextMenuEvent(event);
        return;
    }
    contextMenu_->popup(event->globalPos());
    event->accept();
}

void THexGridView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        model_->SetColours(palette());
        viewport()->update();
    }
}

void THexGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (current != previous && !removingRows_) {
        FocusChanged(current.isValid() ? current.column() : -1);
    }
}

void THexGridView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
    // A focused row that goes away leaves the grid without focus and selection, as the rows
    // are gone; the focused column stays.
    const int row = currentIndex().row();
    if (row >= start && row <= end) {
        removingRows_ = true;
        selectionModel()->clearCurrentIndex();
        removingRows_ = false;
    }
    QTableView::rowsAboutToBeRemoved(parent, start, end);
}

void THexGridView::selectionChanged(const QItemSelection& selected,
                                    const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    UpdateMarking();
}

void THexGridView::FocusChanged(int column) {
    if (column >= cells::kFirstHexColumn && column <= cells::kLastHexColumn) {
        focusHexColumn_ = column;
        focusCharColumn_ = column + cells::kSpacerColumn;
    } else if (column >= cells::kFirstCharColumn && column <= cells::kLastCharColumn) {
        focusHexColumn_ = column - cells::kSpacerColumn;
        focusCharColumn_ = column;
    } else {
        focusHexColumn_ = -1;
        focusCharColumn_ = -1;
    }
    UpdateMarking();
}

void THexGridView::UpdateMarking() {
    model_->SetMarking(SelectedRow(), focusHexColumn_, focusCharColumn_);
    viewport()->update();
}

} // namespace pagora
