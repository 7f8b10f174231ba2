#pragma once

#include "core/data/DataFileReader.h"

#include <filesystem>
#include <functional>
#include <vector>

namespace tremvix::formats {

// K-NET (kiknet false) and KiK-net ASCII records: one file per component, the
// components of a record found beside the chosen file.
ScanResult ScanKnetRecord(const std::filesystem::path& file, bool kiknet);
TransferRead ReadKnetChannels(const std::filesystem::path& file, bool kiknet, const std::vector<int>& channels,
                              const std::function<void(int)>& progress);

}  // namespace tremvix::formats
