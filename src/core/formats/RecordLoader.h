#pragma once

#include "core/data/DataFileReader.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tremvix {

// A whole record read at once, every channel of it, for work without a window.
// Each channel is a TransferColumn: header texts as the file's bytes (fileColumn is
// the channel's index) and its samples as 32-bit floats.
struct LoadedRecord {
    std::vector<TransferColumn> channels;  // in the order the data set window lists them
    int samplesPerChannel = 0;             // the data lines (or samples) read
    double rate = 0.0;                     // Hz: the record's own, else the one given
    bool rateStated = false;               // the record states its rate
    std::string layoutName;                // "標準形式", "E-Defence形式", "K-NET形式", ...
    std::vector<std::string> notices;      // UTF-8, worth telling the user
    std::vector<std::filesystem::path> files;  // every file read: the one given and its other components
    std::optional<Refusal> refusal;        // set: nothing else is meaningful; names the file
};

// The layouts of the recording networks are recognised by content; any other file
// is read in `csvLayout`. `rateIfUnstated` is the rate of a file that states none.
LoadedRecord LoadRecordFile(const std::filesystem::path& file, FileLayout csvLayout, double rateIfUnstated);

// "標準形式" or "E-Defence形式".
std::string CsvLayoutName(FileLayout layout);

}  // namespace tremvix
