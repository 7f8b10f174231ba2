#pragma once

#include "core/data/DataFileReader.h"
#include "core/formats/NetworkRecord.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tremvix::formats {

// Bytes of a file's beginning that every layout can be recognised by.
inline constexpr std::size_t kFileHeadBytes = 4096;

// What recognition looks at: the file's first bytes and its first line without its
// line end (nullopt when there is no readable line).
struct FileHead {
    std::string bytes;
    std::optional<std::string> firstLine;
};

FileHead ReadFileHead(const std::filesystem::path& file);
FileHead HeadOfBytes(std::string_view bytes);  // of bytes already read (an archive's member)

// How the files of a folder are put together into records without reading them
// through: files with the same non-empty key form one record.
struct RecordGroup {
    std::string key;
    std::vector<std::string> components;  // every component the layout wants; empty: any
    std::string component;                // this file's
    bool companion = false;               // no record of its own: serves the records that name its key
    std::string companionKey;             // the companions this file's record needs beside it
};

// One layout of records: how it is recognised, what channels a record has (the
// files beside the chosen one included) and how the samples are read.
class RecordFormat {
public:
    virtual ~RecordFormat() = default;

    virtual NetworkLayout Layout() const = 0;
    virtual std::string Name() const = 0;  // "K-NET形式" and the like
    virtual bool Binary() const { return false; }  // not a text of lines

    // By content; the file's name may only tell variants of one layout apart.
    virtual bool Recognises(const std::filesystem::path& file, const FileHead& head) const = 0;

    // Every channel of the record, read through and checked (see ScanNetworkRecord).
    virtual ScanResult Scan(const std::filesystem::path& file) const = 0;

    // The chosen channels' samples in the scan's units (see ReadNetworkChannels).
    virtual TransferRead Read(const std::filesystem::path& file, const std::vector<int>& channels,
                              const std::function<void(int)>& progress) const = 0;

    // A second file that the record of `file` needs and did not find beside it, for
    // the user to be asked for; nullopt when nothing is missing.
    virtual std::optional<CompanionFile> MissingCompanion(const std::filesystem::path& /*file*/) const {
        return std::nullopt;
    }

    // Scan and Read with that second file given by the user (empty: found beside).
    virtual ScanResult ScanWith(const std::filesystem::path& file, const std::filesystem::path& /*companion*/) const {
        return Scan(file);
    }
    virtual TransferRead ReadWith(const std::filesystem::path& file, const std::filesystem::path& /*companion*/,
                                  const std::vector<int>& channels, const std::function<void(int)>& progress) const {
        return Read(file, channels, progress);
    }

    // The files of the record that `file` belongs to, found beside it.
    virtual std::vector<std::filesystem::path> RecordFiles(const std::filesystem::path& file) const {
        return {file};
    }

    // The group of a file known by its name and first bytes only.
    virtual RecordGroup GroupOf(const std::filesystem::path& /*name*/, const FileHead& /*head*/) const {
        return {};
    }
};

}  // namespace tremvix::formats
