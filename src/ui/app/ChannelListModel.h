#pragma once

#include <QAbstractTableModel>

namespace tremvix {
class ChannelList;
}

// The main window's channel list as the grid shows it: the cells of the core's
// list, decoded for display.
class ChannelListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ChannelListModel(const tremvix::ChannelList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Call after the list's cells changed.
    void refresh();

private:
    const tremvix::ChannelList& list_;
};
