#pragma once

#include <QAbstractTableModel>

namespace tremvix {
struct ChannelStore;
}

// The data list as the grid shows it: row r holds sample r of every channel of the
// last transfer, formatted when the grid asks for the cell rather than stored.
class DataListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 9;
    static constexpr int kInitialRows = 100;

    explicit DataListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // What the last transfer listed: `rows` samples of channels 0 .. channels-1.
    void ShowTransfer(const tremvix::ChannelStore* store, int rows, int channels);
    QString Cell(int col, int row) const;

private:
    const tremvix::ChannelStore* store_ = nullptr;
    int rows_ = kInitialRows;  // including the heading row
    int channels_ = 0;
};

// "%10.3f" when the magnitude exceeds 1, else "%10.5f".
QString FormatListValue(float value);
