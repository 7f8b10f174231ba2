#pragma once

// What every layout's reading must keep, whatever the bytes: a refusal names its file
// and says something; otherwise the scan and the read agree, and a channel the
// record does not have is refused.
#include "FuzzFiles.h"
#include "core/formats/NetworkRecord.h"

#include <cstdlib>
#include <string_view>
#include <system_error>
#include <vector>

inline void FuzzCheck(bool condition) {
    if (!condition) std::abort();
}

// The input split at "\n--\n" into the named files of a fresh scratch folder.
inline void WriteFuzzParts(const std::filesystem::path& folder, std::string_view input,
                           const std::vector<const char*>& names) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder);
    for (std::size_t k = 0; k < names.size() && (k == 0 || !input.empty()); ++k) {
        const std::size_t cut = k + 1 < names.size() ? input.find("\n--\n") : std::string_view::npos;
        const std::string_view part = input.substr(0, cut);
        WriteScratch(folder / names[k], reinterpret_cast<const std::uint8_t*>(part.data()), part.size());
        input = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 4);
    }
}

// readMayRefuse: whether the read may still refuse what the scan took (a compressed
// frame broken in the samples themselves); text layouts are wholly checked by the scan.
inline void FuzzScanAndRead(const std::filesystem::path& file, tremvix::NetworkLayout layout,
                            bool readMayRefuse = true, const std::filesystem::path& companion = {}) {
    const tremvix::ScanResult scan = tremvix::ScanNetworkRecord(file, layout, companion);
    if (scan.refusal) {
        FuzzCheck(!scan.refusal->file.empty());
        FuzzCheck(!tremvix::RefusalText(*scan.refusal).empty());
        return;
    }
    const std::size_t n = static_cast<std::size_t>(scan.channelCount);
    FuzzCheck(n > 0 && scan.ids.size() == n && scan.names.size() == n && scan.memos.size() == n &&
              scan.units.size() == n && scan.files.size() == n);
    FuzzCheck(scan.dataLines >= 0 && scan.samplingRate > 0 && !scan.layoutName.empty());
    std::vector<int> all;
    for (int k = 0; k < scan.channelCount; ++k) all.push_back(k);
    const tremvix::TransferRead read = tremvix::ReadNetworkChannels(file, layout, companion, all);
    if (read.refusal) {
        FuzzCheck(readMayRefuse && !read.refusal->file.empty());
        return;
    }
    FuzzCheck(read.linesRead == scan.dataLines && read.columns.size() == n);
    for (std::size_t k = 0; k < n; ++k) {
        FuzzCheck(read.columns[k].samples.size() == static_cast<std::size_t>(read.linesRead));
        FuzzCheck(read.columns[k].id == scan.ids[k] && read.columns[k].unit == scan.units[k]);
    }
    FuzzCheck(tremvix::ReadNetworkChannels(file, layout, companion, {scan.channelCount}).refusal.has_value());
}
