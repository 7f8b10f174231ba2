#pragma once

#include <QAbstractTableModel>
#include <QVector>

// A plain table of texts: the default content of a StringGrid.
class StringTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StringTableModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void resize(int cols, int rows);
    void setCell(int col, int row, const QString& text);
    QString cell(int col, int row) const;

private:
    int cols_ = 5;
    int rows_ = 5;
    QVector<QString> cells_;  // row-major
};
