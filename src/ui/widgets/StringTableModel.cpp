#include "ui/widgets/StringTableModel.h"

StringTableModel::StringTableModel(QObject* parent) : QAbstractTableModel(parent) {
    cells_.resize(cols_ * rows_);
}

int StringTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int StringTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant StringTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return cell(index.column(), index.row());
}

void StringTableModel::resize(int cols, int rows) {
    cols = std::max(cols, 0);
    rows = std::max(rows, 0);
    if (cols == cols_ && rows == rows_) return;
    beginResetModel();
    QVector<QString> kept(cols * rows);
    for (int r = 0; r < std::min(rows, rows_); ++r)
        for (int c = 0; c < std::min(cols, cols_); ++c) kept[r * cols + c] = cells_[r * cols_ + c];
    cells_ = std::move(kept);
    cols_ = cols;
    rows_ = rows;
    endResetModel();
}

void StringTableModel::setCell(int col, int row, const QString& text) {
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return;
    QString& slot = cells_[row * cols_ + col];
    if (slot == text) return;
    slot = text;
    const QModelIndex at = index(row, col);
    emit dataChanged(at, at, {Qt::DisplayRole});
    if (row == 0) emit headerDataChanged(Qt::Horizontal, col, col);
    if (col == 0) emit headerDataChanged(Qt::Vertical, row, row);
}

QString StringTableModel::cell(int col, int row) const {
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return {};
    return cells_[row * cols_ + col];
}
