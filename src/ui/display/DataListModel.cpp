#include "ui/display/DataListModel.h"

#include "core/data/ChannelStore.h"
#include "ui/base/CNumberFormat.h"

#include <climits>
#include <cmath>
#include <cstdio>

QString FormatListValue(float value) {
    return FormattedNumber(std::fabs(value) > 1.0f ? "%10.3f" : "%10.5f", static_cast<double>(value));
}

DataListModel::DataListModel(QObject* parent) : QAbstractTableModel(parent) {}

int DataListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int DataListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant DataListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return Cell(index.column(), index.row());
}

QString DataListModel::Cell(int col, int row) const {
    if (row == 0) return col == 0 ? QString() : QStringLiteral("  %1 CH").arg(col);
    if (!store_ || row < 0 || row >= rows_ || col < 0 || col >= kColumns) return {};
    if (col == 0) return QString::asprintf("%10d", row);
    const int channel = col - 1;
    if (channel >= channels_) return {};
    const tremvix::ChannelRecord& record = store_->BaseBank[channel];
    if (row - 1 >= record.StoredCount()) return {};
    return FormatListValue(record.Samples[static_cast<std::size_t>(row - 1)]);
}

void DataListModel::ShowTransfer(const tremvix::ChannelStore* store, int rows, int channels) {
    beginResetModel();
    store_ = store;
    rows_ = std::clamp(rows, 0, INT_MAX - 1) + 1;
    channels_ = std::clamp(channels, 0, kColumns - 1);
    endResetModel();
}
