#pragma once

#include <array>
#include <string>

namespace tremvix {

// The main window's channel list: six columns by nine rows of byte texts (Shift-JIS
// as read from the files). Its selection and type cells are part of the data model:
// the graph reads them back at every redraw.
class ChannelList {
public:
    static constexpr int kCols = 6;
    static constexpr int kRows = 9;
    enum Column { kNumber = 0, kChannel = 1, kPoint = 2, kUnit = 3, kType = 4, kSelect = 5 };

    static const char* const kMark;  // "●"

    ChannelList();

    const std::string& Cell(int col, int row) const { return cells_[row][col]; }
    void SetCell(int col, int row, std::string text) { cells_[row][col] = std::move(text); }

    bool IsSelected(int row) const { return cells_[row][kSelect] == kMark; }
    // Empties columns 1 to 5 of the channel rows; the row numbers stay.
    void ClearChannelRows();

private:
    std::array<std::array<std::string, kCols>, kRows> cells_;
};

}  // namespace tremvix
