#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tremvix {

// Standard: four header lines (channel ids, point names, memos, units).
// EDefence: three (a free first line, point names, units).
enum class FileLayout { Standard, EDefence };

inline constexpr int kMaxLineBytes = 2047;  // a line with its line end
inline constexpr int kMaxEDefenceFirstLineBytes = 2999;

enum class RefusalKind {
    CannotOpen,
    NotAFile,  // a folder, FIFO, device or socket
    ReadError,
    EndsBeforeHeader,   // `line` is the first header line missing
    LineTooLong,        // `limit` bytes allowed
    TooManyFields,      // header line 2; `limit` fields allowed
    NotStandardFormat,  // standard layout, unit line beginning with "%"
    OutOfMemory,        // the samples do not fit in the memory there is
    BadRecord,          // a recording network's file that breaks its layout; `detail` says how
};

struct Refusal {
    RefusalKind kind;
    int line = 0;   // 1-based file line, 0 when no line is concerned
    int limit = 0;  // the limit broken, for LineTooLong and TooManyFields
    std::string detail = {};  // BadRecord: what is wrong (UTF-8)
    std::string file = {};    // the name of the file refused, when the message must name it
};

// The message box text and caption (UTF-8) for a refusal.
std::string RefusalText(const Refusal& refusal);
std::string RefusalCaption(const Refusal& refusal);

int HeaderLineCount(FileLayout layout);

// What the scan found. Texts are the file's bytes as read. The channel count n is
// the field count of line 2; ids, names, memos and units each hold n texts, a
// header line with fewer fields giving empty texts for the missing ones. In the
// E-Defence layout ids are "0CH", "1CH", ... and memos are empty.
//
// With a refusal nothing else is meaningful, except for NotStandardFormat: then
// ids, names, memos, idFieldCount and channelCount hold what was read before the
// unit line, units is empty and dataLines 0.
struct ScanResult {
    std::vector<std::string> ids, names, memos, units;
    int idFieldCount = 0;  // fields on line 1 (standard layout), as read
    int channelCount = 0;
    int dataLines = 0;  // every line after the header, blank lines included
    std::optional<Refusal> refusal;
    // Records of the recording networks (empty, 0 and empty for the CSV layouts):
    std::string layoutName;                    // "K-NET形式" and the like
    double samplingRate = 0.0;                 // Hz as the record states it; 0 = not stated
    std::vector<std::string> notices;          // to show after a successful scan (UTF-8)
    std::vector<std::filesystem::path> files;  // the file of each channel, in channel order
};

ScanResult ScanDataFile(const std::filesystem::path& file, FileLayout layout);

// One transferred file column: its header texts (empty where the line has no such
// field; for E-Defence the id is "<column>CH" and the memo empty) and its samples,
// one per data line read (a missing or non-numeric field reads 0).
struct TransferColumn {
    int fileColumn = 0;
    std::string id, name, memo, unit;
    std::vector<float> samples;
};

// The data half of a transfer, read apart from the channel store so that the caller
// can check everything before it changes anything. With a refusal `columns` is
// empty and nothing else is meaningful.
struct TransferRead {
    std::vector<TransferColumn> columns;  // in the order requested
    int linesRead = 0;
    bool fewerLinesThanScanned = false;  // the file ended before maxLines
    bool moreLinesThanScanned = false;   // the file now goes on past maxLines
    std::optional<Refusal> refusal;
};

// Reads the requested zero-based file columns (a column outside 0..99 reads as
// missing) and at most maxLines data lines, maxLines being the line count of the
// scan. progress(i) is called before data line i whenever i is a
// multiple of 100.
TransferRead ReadChannels(const std::filesystem::path& file, FileLayout layout,
                          const std::vector<int>& columns, int maxLines,
                          const std::function<void(int linesRead)>& progress = {});

}  // namespace tremvix
