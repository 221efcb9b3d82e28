#include "ui/THexGridModel.h"

#include "devices/TMikrocontroller.h"
#include "image/CellText.h"
#include "image/THexContainer.h"

#include <QGuiApplication>

namespace pagora {

namespace {

QStringList MakeCaptions() {
    QStringList captions;
    captions.reserve(cells::kColumnCount);
    captions << QStringLiteral("Adresse");
    for (int i = 0; i < 16; ++i) {
        captions << QStringLiteral("%1").arg(i, 2, 16, QLatin1Char('0')).toUpper();
    }
    captions << QString() << QStringLiteral("A") << QStringLiteral("S") << QStringLiteral("C")
             << QStringLiteral("I") << QStringLiteral("I");
    while (captions.size() < cells::kColumnCount) {
        captions << QString();
    }
    return captions;
}

bool IsByteColumn(int column) {
    return (column >= cells::kFirstHexColumn && column <= cells::kLastHexColumn) ||
           (column >= cells::kFirstCharColumn && column <= cells::kLastCharColumn);
}

} // namespace

THexGridModel::THexGridModel(QObject* parent)
    : QAbstractTableModel(parent), captions_(MakeCaptions()) {
    SetColours(QGuiApplication::palette());
}

int THexGridModel::ColumnWidth(int column) {
    if (column == cells::kAddressColumn) {
        return kAddressWidth;
    }
    if (column >= cells::kFirstHexColumn && column <= cells::kLastHexColumn) {
        return kHexWidth;
    }
    if (column == cells::kSpacerColumn) {
        return kSpacerWidth;
    }
    return kCharWidth;
}

void THexGridModel::SetRowCount(int rows) {
    rows = std::max(rows, 0);
    if (rows > rows_) {
        beginInsertRows(QModelIndex(), rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else if (rows < rows_) {
        beginRemoveRows(QModelIndex(), rows, rows_ - 1);
        rows_ = rows;
        endRemoveRows();
    }
    if (markedRow_ >= rows_) {
        markedRow_ = -1;
    }
}

void THexGridModel::SetStore(const THexContainer* store) {
    store_ = store;
    Refresh();
}

void THexGridModel::SetController(const TMikrocontroller* controller) {
    controller_ = controller;
    Refresh();
}

void THexGridModel::SetMarking(int row, int hexColumn, int charColumn) {
    markedRow_ = row;
    markedHex_ = hexColumn;
    markedChar_ = charColumn;
}

void THexGridModel::SetColours(const QPalette& palette) {
    window_ = palette.brush(QPalette::Active, QPalette::Base);
    highlight_ = palette.brush(QPalette::Active, QPalette::Highlight);
    highlightText_ = palette.brush(QPalette::Active, QPalette::HighlightedText);
}

void THexGridModel::Refresh() {
    if (rows_ > 0) {
        Q_EMIT dataChanged(index(0, 0), index(rows_ - 1, cells::kColumnCount - 1),
                           {Qt::DisplayRole, Qt::BackgroundRole, Qt::ForegroundRole});
    }
}

int THexGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int THexGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cells::kColumnCount;
}

bool THexGridModel::IsMarked(int row, int column) const {
    return markedRow_ >= 0 && row == markedRow_ && IsByteColumn(column) &&
           (column == markedHex_ || column == markedChar_);
}

QString THexGridModel::Text(int row, int column) const {
    if (column == cells::kAddressColumn) {
        return QString::fromStdString(cells::AddressText(static_cast<std::size_t>(row)));
    }
    if (store_ == nullptr) {
        return QString();
    }
    const std::string text = cells::CellText(*store_, static_cast<std::size_t>(row), column);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

const QBrush& THexGridModel::Background(int row, int column) const {
    if (!IsByteColumn(column)) {
        return window_;
    }
    if (IsMarked(row, column)) {
        return highlight_;
    }
    if (store_ == nullptr) {
        return window_;
    }
    const std::int64_t flashSize = controller_ != nullptr ? controller_->FlashSize() : -1;
    switch (cells::ClassifyRow(*store_, static_cast<std::size_t>(row), flashSize)) {
    case cells::RowClass::NotUsed:
        return silver_;
    case cells::RowClass::BeyondFlash:
        return red_;
    case cells::RowClass::Normal:
        break;
    }
    return window_;
}

QVariant THexGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::BackgroundRole && role != Qt::ForegroundRole &&
        role != Qt::TextAlignmentRole) {
        return {};
    }
    const int row = index.row();
    const int column = index.column();
    if (!index.isValid() || row >= rows_ || column < 0 || column >= cells::kColumnCount) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return Text(row, column);
    case Qt::BackgroundRole:
        return Background(row, column);
    case Qt::ForegroundRole:
        return IsMarked(row, column) ? QVariant(highlightText_) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return {};
    }
}

QVariant THexGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= cells::kColumnCount) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return captions_.at(section);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    }
    return {};
}

Qt::ItemFlags THexGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace pagora
