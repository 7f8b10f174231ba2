#pragma once

#include "core/survey/SurveyRow.h"

#include <QAbstractTableModel>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The survey's rows for a grid: row 0 holds the column names of the survey's CSV, the
// rows below the records in the order chosen (that of the paths until a column is
// sorted). Cells are formatted as the CSV writes them.
class SurveyTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Entry {
        tremvix::SurveyRow row;
        std::size_t planIndex = 0;  // the record's place in the survey's plan
        std::vector<std::string> fields;
    };

    explicit SurveyTableModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void Clear();
    void Append(std::vector<Entry> entries);
    // Sorts by a column (0-based, as in the CSV); a second sort of the same column
    // turns the direction round. The order is kept for rows that come later.
    void SortBy(int column);
    std::optional<int> SortColumn() const { return sortColumn_; }
    bool Ascending() const { return ascending_; }

    const std::vector<Entry>& Entries() const { return entries_; }
    // The entry shown in grid row `row` (1 = the first record), or nothing.
    std::optional<std::size_t> EntryAt(int row) const;
    // The grid row that shows entry `entry`.
    int RowOf(std::size_t entry) const;

private:
    void ApplySort();

    std::vector<Entry> entries_;
    std::vector<std::size_t> order_;  // grid row − 1 → entry
    std::vector<int> rowOf_;          // entry → grid row
    std::vector<QString> headings_;
    std::optional<int> sortColumn_;
    bool ascending_ = true;
};
