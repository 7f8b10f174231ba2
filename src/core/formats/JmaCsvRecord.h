#pragma once

#include "core/data/DataFileReader.h"

#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

namespace tremvix::formats {

// The first line of a JMA CSV file: "SITE CODE= ...".
bool IsJmaFirstLine(std::string_view line);

// JMA CSV records: seven header lines (site, latitude, longitude, sampling rate,
// unit, initial time, components), then one row per sample in gal.
ScanResult ScanJmaRecord(const std::filesystem::path& file);
TransferRead ReadJmaChannels(const std::filesystem::path& file, const std::vector<int>& channels,
                             const std::function<void(int)>& progress);

}  // namespace tremvix::formats
