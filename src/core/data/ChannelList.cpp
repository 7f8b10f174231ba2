#include "core/data/ChannelList.h"

namespace tremvix {

const char* const ChannelList::kMark = "\xE2\x97\x8F";

namespace {
// Headings, as UTF-8: " 　CH" holds a U+3000 between the space and "CH".
const char* const kHeadings[ChannelList::kCols] = {
    "番号", " \u3000CH", "\u3000\u3000\u3000計\u3000測\u3000点", "\u3000単位", " 型", " 選"};
}  // namespace

ChannelList::ChannelList() {
    for (int c = 0; c < kCols; ++c) cells_[0][c] = kHeadings[c];
    for (int r = 1; r < kRows; ++r) cells_[r][kNumber] = "  " + std::to_string(r);
}

void ChannelList::ClearChannelRows() {
    for (int r = 1; r < kRows; ++r)
        for (int c = 1; c < kCols; ++c) cells_[r][c].clear();
}

}  // namespace tremvix
