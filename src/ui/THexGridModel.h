#pragma once

#include <QAbstractTableModel>
#include <QBrush>
#include <QPalette>
#include <QStringList>

namespace pagora {

class THexContainer;
class TMikrocontroller;

// The hex grid's cells, computed from one line of the store whenever the view asks for a
// visible cell: no text or object is built per row. The row count is the grid's own number;
// the document flow sets it to the store's line count. Row r shows line r, its address r * 16.
class THexGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kAddressWidth = 80;
    static constexpr int kHexWidth = 26;
    static constexpr int kSpacerWidth = 20;
    static constexpr int kCharWidth = 19;

    explicit THexGridModel(QObject* parent = nullptr);

    // The width in pixels of a column.
    static int ColumnWidth(int column);

    // Changes the number of rows; rows that stay keep their selection in the view.
    void SetRowCount(int rows);
    int RowCount() const { return rows_; }

    // The store the cells are read from (not owned; nullptr: only the address column shows).
    void SetStore(const THexContainer* store);
    const THexContainer* Store() const { return store_; }
    // The chosen controller (not owned), nullptr for none: rows past its flash turn red.
    void SetController(const TMikrocontroller* controller);
    const TMikrocontroller* Controller() const { return controller_; }

    // The focused byte's two cells within the selected row (row -1: nothing marked).
    void SetMarking(int row, int hexColumn, int charColumn);
    int MarkedRow() const { return markedRow_; }

    // The system colours the cells are painted with, as the view's palette has them.
    void SetColours(const QPalette& palette);

    // Asks the view to repaint every cell (after the store's content changed).
    void Refresh();

    // What a cell shows, straight from its line: the display text, the background, and
    // whether it is one of the focused byte's two marked cells (highlight-text colour). The
    // roles of data() answer from these, and the grid paints from the roles.
    QString Text(int row, int column) const;
    const QBrush& Background(int row, int column) const;
    bool IsMarked(int row, int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const THexContainer* store_ = nullptr;
    const TMikrocontroller* controller_ = nullptr;
    int rows_ = 0;
    int markedRow_ = -1;
    int markedHex_ = 0;
    int markedChar_ = 0;
    QBrush window_;
    QBrush highlight_;
    QBrush highlightText_;
    QBrush silver_{QColor(192, 192, 192)};
    QBrush red_{QColor(255, 0, 0)};
    QStringList captions_;
};

} // namespace pagora
