#pragma once

#include <QTableView>
#include <QPoint>
#include <QVector>

class QAbstractTableModel;
class FixedCellsProxy;
class StringTableModel;

// A table view that answers like a classic string grid: cells by column and row,
// fixed rows and columns included. The fixed rows are shown as the column header and
// the fixed column as the row header, so they stay in sight while the body scrolls.
// The grid shows either its own string table or a model that formats cells on demand.
class StringGrid : public QTableView {
    Q_OBJECT
public:
    explicit StringGrid(QWidget* parent = nullptr);
    ~StringGrid() override;

    int colCount() const;
    int rowCount() const;
    QString cell(int col, int row) const;
    int col() const;
    int row() const;

    // Own string table (used unless a source model is set).
    void setColCount(int cols);
    void setRowCount(int rows);
    void setCell(int col, int row, const QString& text);

    // Shows `model` instead, whose cells include the fixed rows and columns.
    void setSourceModel(QAbstractTableModel* model);
    QAbstractTableModel* sourceModel() const;

    void setFixedRows(int rows);
    void setFixedCols(int cols);
    int fixedRows() const { return fixedRows_; }
    int fixedCols() const { return fixedCols_; }

    // Makes (col, row) the current cell and scrolls it into view. Returns false when
    // the cell is not a body cell of the grid.
    bool setCurrentCell(int col, int row);

    void setColWidth(int col, int width);
    void setDefaultColWidth(int width);
    void setDefaultRowHeight(int height);
    void setFixedColor(const QColor& color);

signals:
    // A mouse click on a body cell, or Space on the current cell.
    void cellClicked(int col, int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void applyFixedLayout();
    void applyColumnWidths();
    void restoreCurrentCell();

    StringTableModel* ownModel_;
    FixedCellsProxy* proxy_;
    QAbstractTableModel* source_;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    int defaultColWidth_ = 64;
    QVector<int> colWidths_;
    QPoint keptCell_{1, 1};  // (col, row) across a model reset
};
