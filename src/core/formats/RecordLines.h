#pragma once

#include "core/data/DataFileReader.h"
#include "core/data/LineReader.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tremvix::formats {

// The lines of one record file, numbered from 1, without their line ends (LF or
// CR LF). Every refusal it makes names the file.
class RecordLines {
public:
    // A small block suits a look at the first lines of many files.
    static constexpr std::size_t kPeekBlockSize = 4096;

    explicit RecordLines(std::size_t blockSize = LineReader::kDefaultBlockSize);

    std::optional<Refusal> Open(const std::filesystem::path& file);

    // The next line. False at the end of the file, and on a failure, which Failure()
    // then holds (a read error, a line longer than kMaxLineBytes).
    bool Next(std::string_view& content);

    // Reads the next header line; a file that ends before it is refused.
    std::optional<Refusal> NextHeader(std::string_view& content);

    int LineNumber() const { return line_; }  // of the line last returned
    const std::optional<Refusal>& Failure() const { return failure_; }
    const std::string& FileName() const { return fileName_; }

    Refusal Bad(std::string detail) const { return BadAt(line_, std::move(detail)); }
    Refusal BadAt(int line, std::string detail) const;  // line 0: none
    Refusal Named(Refusal refusal) const;

private:
    LineReader reader_;
    std::string fileName_;
    int line_ = 0;
    std::optional<Refusal> failure_;
};

// Spaces and tabs part the fields of the numeric lines of these layouts.
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Every field of the lines left: take(p, end, refusal) reads the field that starts at
// p and returns where it ends; setting `refusal` stops the reading with it.
template <class Take>
std::optional<Refusal> ForEachField(RecordLines& lines, Take&& take) {
    std::string_view line;
    while (lines.Next(line)) {
        const char* p = line.data();
        const char* const end = p + line.size();
        while (true) {
            while (p != end && IsBlank(*p)) {
                ++p;
            }
            if (p == end) {
                break;
            }
            std::optional<Refusal> refusal;
            p = take(p, end, refusal);
            if (refusal) {
                return refusal;
            }
        }
    }
    return lines.Failure();
}

// A header's sampling rate ("100Hz") into `rate`, or the refusal of the line just read.
std::optional<Refusal> TakeSamplingRate(const RecordLines& lines, std::string_view value, double& rate);

// The name a message shows for a file.
std::string FileNameText(const std::filesystem::path& file);

// A BadRecord refusal naming the file and line (0: no line).
Refusal BadRecordAt(const std::filesystem::path& file, int line, std::string detail);

// The first line of a file without its line end; nullopt when the file cannot be
// read or has no line.
std::optional<std::string> ReadFirstLine(const std::filesystem::path& file);

}  // namespace tremvix::formats
