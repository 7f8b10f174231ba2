#pragma once

#include "core/formats/RecordFormat.h"

#include <filesystem>
#include <span>

namespace tremvix::formats {

// Every layout read besides the CSV layouts, in the order they are tried.
std::span<const RecordFormat* const> RecordFormats();

const RecordFormat* RecogniseFormat(const std::filesystem::path& file, const FileHead& head);
const RecordFormat& FormatOf(NetworkLayout layout);

// The files of the record `file` belongs to ({file} for a file of no layout).
std::vector<std::filesystem::path> RecordFilesOf(const std::filesystem::path& file);

// The group of a file by its name and first bytes (an empty key for a file of no layout).
RecordGroup RecordGroupOf(const std::filesystem::path& name, std::string_view head);

}  // namespace tremvix::formats
