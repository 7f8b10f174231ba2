#include "ui/survey/SurveyTableModel.h"

#include "core/survey/SurveySort.h"
#include "core/survey/SurveyText.h"

#include <QStringList>

#include <numeric>

SurveyTableModel::SurveyTableModel(QObject* parent) : QAbstractTableModel(parent) {
    const QString header = QString::fromStdString(tremvix::SurveyHeaderLine()).trimmed();
    for (const QString& name : header.split(QLatin1Char(','))) headings_.push_back(name);
}

int SurveyTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size()) + 1;
}

int SurveyTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

QVariant SurveyTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() >= columnCount()) return {};
    if (role == Qt::TextAlignmentRole && index.row() > 0 && index.column() >= 3)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const auto column = static_cast<std::size_t>(index.column());
    if (index.row() == 0) {
        // The mark of the sorted column and its direction.
        if (sortColumn_ && *sortColumn_ == index.column()) return headings_[column] + (ascending_ ? QStringLiteral(" ▲") : QStringLiteral(" ▼"));
        return headings_[column];
    }
    const std::optional<std::size_t> entry = EntryAt(index.row());
    if (!entry) return {};
    return QString::fromStdString(entries_[*entry].fields[column]);
}

void SurveyTableModel::Clear() {
    beginResetModel();
    entries_.clear();
    order_.clear();
    rowOf_.clear();
    endResetModel();
}

void SurveyTableModel::Append(std::vector<Entry> entries) {
    if (entries.empty()) return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(entries.size()) - 1);
    for (Entry& entry : entries) {
        if (entry.fields.empty()) entry.fields = tremvix::SurveyFields(entry.row);
        order_.push_back(entries_.size());
        entries_.push_back(std::move(entry));
    }
    endInsertRows();
    if (sortColumn_) ApplySort();
    else rowOf_.resize(entries_.size()), std::iota(rowOf_.begin(), rowOf_.end(), 1);
}

void SurveyTableModel::SortBy(int column) {
    if (column < 0 || column >= columnCount()) return;
    ascending_ = sortColumn_ == column ? !ascending_ : true;
    sortColumn_ = column;
    ApplySort();
    emit dataChanged(index(0, 0), index(0, columnCount() - 1));
}

void SurveyTableModel::ApplySort() {
    std::vector<std::string> texts;
    texts.reserve(entries_.size());
    for (const Entry& entry : entries_) texts.push_back(entry.fields[static_cast<std::size_t>(*sortColumn_)]);
    emit layoutAboutToBeChanged();
    order_ = tremvix::SortOrder(texts, ascending_);
    rowOf_.assign(entries_.size(), 0);
    for (std::size_t k = 0; k < order_.size(); ++k) rowOf_[order_[k]] = static_cast<int>(k) + 1;
    emit layoutChanged();
}

std::optional<std::size_t> SurveyTableModel::EntryAt(int row) const {
    if (row < 1 || static_cast<std::size_t>(row) > order_.size()) return std::nullopt;
    return order_[static_cast<std::size_t>(row) - 1];
}

int SurveyTableModel::RowOf(std::size_t entry) const { return entry < rowOf_.size() ? rowOf_[entry] : -1; }
