#pragma once

#include "core/data/DataFileReader.h"

#include <filesystem>
#include <functional>
#include <vector>

namespace tremvix::formats {

// PEER AT2 records: one file per component; the components of a station are the
// AT2 files in the same folder whose line 2 names the same event, date and station
// and whose DT is the same: the horizontals in file-name order, then the vertical
// ("UP", "DWN", "V", ...). Components of different lengths are cut to the shortest.
ScanResult ScanAt2Record(const std::filesystem::path& file);
TransferRead ReadAt2Channels(const std::filesystem::path& file, const std::vector<int>& channels,
                             const std::function<void(int)>& progress);

}  // namespace tremvix::formats
