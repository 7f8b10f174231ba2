#include "ui/app/ChannelListModel.h"

#include "core/data/ChannelList.h"
#include "ui/base/TextCodec.h"

#include <QColor>

ChannelListModel::ChannelListModel(const tremvix::ChannelList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {}

int ChannelListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : tremvix::ChannelList::kRows;
}

int ChannelListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : tremvix::ChannelList::kCols;
}

QVariant ChannelListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return DecodeText(list_.Cell(index.column(), index.row()));
    if (role == Qt::BackgroundRole && index.column() == 0) return QColor(0xD2, 0xFF, 0xFF);
    return {};
}

void ChannelListModel::refresh() {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}
