#include "ui/widgets/FixedCellsProxy.h"

FixedCellsProxy::FixedCellsProxy(QObject* parent) : QAbstractProxyModel(parent) {}

void FixedCellsProxy::setSourceModel(QAbstractItemModel* source) {
    beginResetModel();
    for (const auto& link : links_) disconnect(link);
    links_.clear();
    QAbstractProxyModel::setSourceModel(source);
    if (source) relayAll();
    endResetModel();
}

// Any change of the source is passed on as a reset or a data change; the grids
// are small or formatted on demand, so nothing finer is needed.
void FixedCellsProxy::relayAll() {
    QAbstractItemModel* source = sourceModel();
    const auto reset = [this] { beginResetModel(); endResetModel(); };
    links_ << connect(source, &QAbstractItemModel::modelReset, this, reset);
    links_ << connect(source, &QAbstractItemModel::layoutChanged, this, reset);
    links_ << connect(source, &QAbstractItemModel::rowsInserted, this, reset);
    links_ << connect(source, &QAbstractItemModel::rowsRemoved, this, reset);
    links_ << connect(source, &QAbstractItemModel::columnsInserted, this, reset);
    links_ << connect(source, &QAbstractItemModel::columnsRemoved, this, reset);
    links_ << connect(source, &QAbstractItemModel::dataChanged, this,
                      [this](const QModelIndex& from, const QModelIndex& to) {
                          if (from.row() < fixedRows_ && fixedRows_ > 0)
                              emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
                          if (from.column() < fixedCols_ && fixedCols_ > 0)
                              emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
                          const int top = std::max(from.row() - fixedRows_, 0);
                          const int left = std::max(from.column() - fixedCols_, 0);
                          const int bottom = to.row() - fixedRows_;
                          const int right = to.column() - fixedCols_;
                          if (bottom >= 0 && right >= 0 && bottom < rowCount() && right < columnCount())
                              emit dataChanged(index(top, left), index(bottom, right));
                      });
    links_ << connect(source, &QAbstractItemModel::headerDataChanged, this,
                      [this] { emit headerDataChanged(Qt::Horizontal, 0, std::max(columnCount() - 1, 0)); });
}

void FixedCellsProxy::setFixed(int rows, int cols) {
    beginResetModel();
    fixedRows_ = std::max(rows, 0);
    fixedCols_ = std::max(cols, 0);
    endResetModel();
}

QModelIndex FixedCellsProxy::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return {};
    return createIndex(row, column);
}

QModelIndex FixedCellsProxy::parent(const QModelIndex&) const { return {}; }

int FixedCellsProxy::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !sourceModel()) return 0;
    return std::max(sourceModel()->rowCount() - fixedRows_, 0);
}

int FixedCellsProxy::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || !sourceModel()) return 0;
    return std::max(sourceModel()->columnCount() - fixedCols_, 0);
}

QModelIndex FixedCellsProxy::mapToSource(const QModelIndex& proxyIndex) const {
    if (!proxyIndex.isValid() || !sourceModel()) return {};
    return sourceModel()->index(proxyIndex.row() + fixedRows_, proxyIndex.column() + fixedCols_);
}

QModelIndex FixedCellsProxy::mapFromSource(const QModelIndex& sourceIndex) const {
    if (!sourceIndex.isValid()) return {};
    return index(sourceIndex.row() - fixedRows_, sourceIndex.column() - fixedCols_);
}

QVariant FixedCellsProxy::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!sourceModel() || (role != Qt::DisplayRole && role != Qt::TextAlignmentRole)) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    if (orientation == Qt::Horizontal) {
        if (fixedRows_ == 0) return {};
        return sourceModel()->index(0, section + fixedCols_).data(Qt::DisplayRole);
    }
    if (fixedCols_ == 0) return {};
    return sourceModel()->index(section + fixedRows_, 0).data(Qt::DisplayRole);
}
