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

// Paints each cell through the grid's two cell handlers.
class TCellDelegate : public QStyledItemDelegate {
public:
    explicit TCellDelegate(const THexGridView& view) : QStyledItemDelegate(nullptr), view_(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        view_.VirtualStringTree1BeforeCellPaint(*painter, option, index);
        view_.VirtualStringTree1PaintText(*painter, option, index);
    }

private:
    const THexGridView& view_;
};

// Whether the view's own highlighting of the selected row shows on a cell: only on the
// focused cell while the grid has the keyboard focus.
bool OwnHighlight(const QStyleOptionViewItem& option) {
    return option.state.testFlag(QStyle::State_Selected) &&
           option.state.testFlag(QStyle::State_HasFocus);
}

} // namespace

THexGridView::THexGridView(QWidget* parent)
    : QTableView(parent), model_(new THexGridModel(this)),
      textMargin_(style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) {
    setHorizontalHeader(new TGridHeader(this));
    setModel(model_);
    auto* delegate = new TCellDelegate(*this);
    delegate->setParent(this);
    setItemDelegate(delegate);

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

QString THexGridView::VirtualStringTree1GetText(const QModelIndex& index) {
    return index.data(Qt::DisplayRole).toString();
}

void THexGridView::VirtualStringTree1BeforeCellPaint(QPainter& painter,
                                                     const QStyleOptionViewItem& option,
                                                     const QModelIndex& index) const {
    painter.fillRect(option.rect, OwnHighlight(option)
                                      ? palette().brush(QPalette::Active, QPalette::Highlight)
                                      : index.data(Qt::BackgroundRole).value<QBrush>());
}

void THexGridView::VirtualStringTree1PaintText(QPainter& painter,
                                               const QStyleOptionViewItem& option,
                                               const QModelIndex& index) const {
    const QString text = VirtualStringTree1GetText(index);
    if (text.isEmpty()) {
        return;
    }
    const QVariant marked = index.data(Qt::ForegroundRole);
    if (OwnHighlight(option)) {
        painter.setPen(palette().color(QPalette::Active, QPalette::HighlightedText));
    } else if (marked.isValid()) {
        painter.setPen(marked.value<QBrush>().color());
    } else {
        painter.setPen(option.palette.color(
            option.state.testFlag(QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled,
            QPalette::Text));
    }
    painter.setFont(option.font);
    painter.drawText(option.rect.adjusted(textMargin_, 0, -textMargin_, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
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

bool THexGridView::VirtualStringTree1FocusChanging(int column) {
    return column != cells::kAddressColumn && column != cells::kSpacerColumn;
}

void THexGridView::FocusRow(int row) {
    if (row < 0 || row >= RowCount()) {
        return;
    }
    int column = currentIndex().column();
    if (column < 0 || !VirtualStringTree1FocusChanging(column)) {
        column =
            FFocusHexColumn >= cells::kFirstHexColumn ? FFocusHexColumn : cells::kFirstHexColumn;
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
    if (column < 0 || column >= cells::kColumnCount || !VirtualStringTree1FocusChanging(column)) {
        return;
    }
    int row = currentIndex().row();
    if (row < 0) {
        row = SelectedRow();
    }
    if (row < 0) {
        // No row to put the focus in: the column is taken all the same.
        VirtualStringTree1FocusChanged(column);
        return;
    }
    selectionModel()->setCurrentIndex(model_->index(row, column), QItemSelectionModel::NoUpdate);
}

int THexGridView::NearestByteColumn(int column, int fromColumn) {
    if (VirtualStringTree1FocusChanging(column)) {
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
    if (next.isValid() && !VirtualStringTree1FocusChanging(next.column())) {
        return model_->index(next.row(), NearestByteColumn(next.column(), currentIndex().column()));
    }
    return next;
}

bool THexGridView::PointerOnVetoedColumn(const QPoint& position) const {
    const QModelIndex index = indexAt(position);
    return index.isValid() && !VirtualStringTree1FocusChanging(index.column());
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
        VirtualStringTree1FocusChanged(current.isValid() ? current.column() : -1);
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

void THexGridView::VirtualStringTree1FocusChanged(int column) {
    if (column >= cells::kFirstHexColumn && column <= cells::kLastHexColumn) {
        FFocusHexColumn = column;
        FFocusCharColumn = column + cells::kSpacerColumn;
    } else if (column >= cells::kFirstCharColumn && column <= cells::kLastCharColumn) {
        FFocusHexColumn = column - cells::kSpacerColumn;
        FFocusCharColumn = column;
    } else {
        FFocusHexColumn = -1;
        FFocusCharColumn = -1;
    }
    UpdateMarking();
}

void THexGridView::UpdateMarking() {
    model_->SetMarking(SelectedRow(), FFocusHexColumn, FFocusCharColumn);
    viewport()->update();
}

} // namespace pagora
