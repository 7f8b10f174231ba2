#pragma once

#include <QAbstractProxyModel>

// Shows the body of a table model (rows and columns past the fixed ones) and serves
// the fixed rows and column as header texts.
class FixedCellsProxy : public QAbstractProxyModel {
    Q_OBJECT
public:
    explicit FixedCellsProxy(QObject* parent = nullptr);

    void setSourceModel(QAbstractItemModel* source) override;
    void setFixed(int rows, int cols);
    int fixedRows() const { return fixedRows_; }
    int fixedCols() const { return fixedCols_; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void relayAll();

    int fixedRows_ = 1;
    int fixedCols_ = 1;
    QList<QMetaObject::Connection> links_;
};
