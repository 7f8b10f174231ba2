#pragma once

#include "core/data/ChannelStore.h"
#include "core/export/AtomicFile.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace tremvix {

// The standard-format data file of the loaded channels BaseBank[0 .. ChannelCount-1]:
// four header lines (channel ids, point names, memos, units, bytes as stored) and one
// line per sample index with "%f" of each channel's sample, fields joined by ",",
// every line ended by CR LF. The sample rows are DataCount; a channel with fewer
// samples than that writes 0 past its own.
int CsvRowCount(const ChannelStore& store);

// Streams the file's text into an open stream; false when a write failed.
bool WriteCsvTo(std::FILE* file, const ChannelStore& store);

// The whole text in memory (for checks; the file writer streams instead).
std::string FormatCsv(const ChannelStore& store);

// Saves the text atomically: a failed save leaves an existing file as it was.
SaveResult WriteCsv(const std::filesystem::path& target, const ChannelStore& store);

}  // namespace tremvix
