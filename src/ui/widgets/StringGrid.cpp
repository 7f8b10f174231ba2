#include "ui/widgets/StringGrid.h"

#include "ui/widgets/FixedCellsProxy.h"
#include "ui/widgets/StringTableModel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>

StringGrid::StringGrid(QWidget* parent)
    : QTableView(parent),
      ownModel_(new StringTableModel(this)),
      proxy_(new FixedCellsProxy(this)),
      source_(ownModel_) {
    proxy_->setSourceModel(source_);
    setModel(proxy_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);  // a classic grid clips long texts at the cell edge
    setCornerButtonEnabled(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setDefaultRowHeight(24);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& at) {
        emit cellClicked(at.column() + fixedCols_, at.row() + fixedRows_);
    });
    // A classic grid always has a current cell: it survives a new row count (kept
    // within the rows), and a grid that gets its first rows starts at the first body cell.
    connect(proxy_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { keptCell_ = {col(), row()}; });
    connect(proxy_, &QAbstractItemModel::modelReset, this, [this] {
        applyFixedLayout();
        restoreCurrentCell();
    });
    applyFixedLayout();
}

StringGrid::~StringGrid() = default;

int StringGrid::colCount() const { return source_->columnCount(); }
int StringGrid::rowCount() const { return source_->rowCount(); }

QString StringGrid::cell(int col, int row) const {
    return source_->index(row, col).data(Qt::DisplayRole).toString();
}

int StringGrid::col() const {
    const QModelIndex at = currentIndex();
    return at.isValid() ? at.column() + fixedCols_ : fixedCols_;
}

int StringGrid::row() const {
    const QModelIndex at = currentIndex();
    return at.isValid() ? at.row() + fixedRows_ : fixedRows_;
}

void StringGrid::setColCount(int cols) { ownModel_->resize(cols, ownModel_->rowCount()); }
void StringGrid::setRowCount(int rows) { ownModel_->resize(ownModel_->columnCount(), rows); }
void StringGrid::setCell(int col, int row, const QString& text) { ownModel_->setCell(col, row, text); }

void StringGrid::setSourceModel(QAbstractTableModel* model) {
    source_ = model ? model : ownModel_;
    proxy_->setSourceModel(source_);
    applyFixedLayout();
}

QAbstractTableModel* StringGrid::sourceModel() const { return source_; }

void StringGrid::setFixedRows(int rows) {
    fixedRows_ = std::clamp(rows, 0, 1);
    proxy_->setFixed(fixedRows_, fixedCols_);
}

void StringGrid::setFixedCols(int cols) {
    fixedCols_ = std::clamp(cols, 0, 1);
    proxy_->setFixed(fixedRows_, fixedCols_);
}

bool StringGrid::setCurrentCell(int col, int row) {
    const QModelIndex at = proxy_->index(row - fixedRows_, col - fixedCols_);
    if (!at.isValid()) return false;
    setCurrentIndex(at);
    scrollTo(at);
    return true;
}

void StringGrid::setColWidth(int col, int width) {
    if (col < 0) return;
    if (colWidths_.size() <= col) colWidths_.resize(col + 1, -1);
    colWidths_[col] = width;
    applyColumnWidths();
}

void StringGrid::setDefaultColWidth(int width) {
    defaultColWidth_ = width;
    applyColumnWidths();
}

void StringGrid::setDefaultRowHeight(int height) {
    verticalHeader()->setDefaultSectionSize(height);
    horizontalHeader()->setFixedHeight(height);
}

void StringGrid::setFixedColor(const QColor& color) {
    const QString css = QStringLiteral("QHeaderView::section { background-color: %1; color: palette(text);"
                                       " border: 0px; border-right: 1px solid #a0a0a0;"
                                       " border-bottom: 1px solid #a0a0a0; padding-left: 2px; }")
                            .arg(color.name());
    horizontalHeader()->setStyleSheet(css);
    verticalHeader()->setStyleSheet(css);
}

void StringGrid::restoreCurrentCell() {
    const int lastCol = colCount() - 1;
    const int lastRow = rowCount() - 1;
    if (lastCol < fixedCols_ || lastRow < fixedRows_) return;
    const QModelIndex at = proxy_->index(std::clamp(keptCell_.y(), fixedRows_, lastRow) - fixedRows_,
                                         std::clamp(keptCell_.x(), fixedCols_, lastCol) - fixedCols_);
    selectionModel()->setCurrentIndex(at, QItemSelectionModel::NoUpdate);
}

namespace {

// Only the left button selects: a right click opens the pop-up menu over the row
// already chosen, as the classic grid does. True when the event was taken here.
bool TakenUnlessLeft(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) return false;
    event->accept();
    return true;
}

}  // namespace

void StringGrid::mousePressEvent(QMouseEvent* event) {
    if (!TakenUnlessLeft(event)) QTableView::mousePressEvent(event);
}

void StringGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (!TakenUnlessLeft(event)) QTableView::mouseReleaseEvent(event);
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!TakenUnlessLeft(event)) QTableView::mouseDoubleClickEvent(event);
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && currentIndex().isValid()) {
        emit cellClicked(col(), row());
        return;
    }
    QTableView::keyPressEvent(event);
}

void StringGrid::applyFixedLayout() {
    horizontalHeader()->setVisible(fixedRows_ > 0);
    verticalHeader()->setVisible(fixedCols_ > 0);
    applyColumnWidths();
}

void StringGrid::applyColumnWidths() {
    const auto widthOf = [this](int col) {
        return col < colWidths_.size() && colWidths_[col] >= 0 ? colWidths_[col] : defaultColWidth_;
    };
    if (fixedCols_ > 0) verticalHeader()->setFixedWidth(widthOf(0));
    horizontalHeader()->setDefaultSectionSize(defaultColWidth_);
    for (int c = fixedCols_; c < colCount(); ++c) setColumnWidth(c - fixedCols_, widthOf(c));
}
