#pragma once

#include "core/data/DataFileReader.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tremvix {

// The layouts in which the recording networks publish their records.
enum class NetworkLayout { Knet, KiKnet, JmaCsv, PeerAt2, Sac, MiniSeed, Win32 };

// Decided by the file's content (KiK-net is told from K-NET by its digit
// extension): nullopt when the file is none of them, so that it is read as the CSV
// layout the menu says. A file too broken to read past its first line is still
// detected, so that the scan can say what is wrong with it.
std::optional<NetworkLayout> DetectNetworkLayout(const std::filesystem::path& file);

// "K-NET形式", "KiK-net形式", "JMA形式", "PEER形式", "SAC形式", ...
std::string NetworkLayoutName(NetworkLayout layout);

// One ScanResult listing every channel of the record in order, the components
// found beside the file included. The record is read through: every value is
// checked, and dataLines is the sample count of the record's channels. With a
// refusal nothing else is meaningful.
ScanResult ScanNetworkRecord(const std::filesystem::path& file, NetworkLayout layout);

// The samples of the chosen channels (indices into the scan's list, in the order
// asked) in the scan's units, each a TransferColumn whose fileColumn is the channel index.
// progress(n) reports n from 0 up to the sample count as the reading goes on.
TransferRead ReadNetworkChannels(const std::filesystem::path& file, NetworkLayout layout,
                                 const std::vector<int>& channels,
                                 const std::function<void(int samplesRead)>& progress = {});

// A second file that the record of `file` needs and did not find beside it (the
// channel table of a WIN32 file, or the data file of a table), so that the user can
// be asked for it. nullopt when none is missing.
struct CompanionFile {
    std::string what;      // "WIN32のチャンネル表" and the like
    std::string patterns;  // of an open dialog: "*.ch;*.tbl"
};
std::optional<CompanionFile> MissingCompanion(const std::filesystem::path& file, NetworkLayout layout);

// As above, with that second file as the user chose it (empty: found beside).
ScanResult ScanNetworkRecord(const std::filesystem::path& file, NetworkLayout layout,
                             const std::filesystem::path& companion);
TransferRead ReadNetworkChannels(const std::filesystem::path& file, NetworkLayout layout,
                                 const std::filesystem::path& companion, const std::vector<int>& channels,
                                 const std::function<void(int samplesRead)>& progress = {});

}  // namespace tremvix
