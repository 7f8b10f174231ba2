#include "core/data/DataFileReader.h"

#include "core/data/LineReader.h"
#include "core/data/NumberReader.h"
#include "core/data/SplitFields.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>

namespace tremvix {
namespace {

constexpr std::string_view kFiveIdeographicSpaces = "\u3000\u3000\u3000\u3000\u3000";

std::optional<Refusal> OpenRefusal(LineReader::OpenStatus status) {
    switch (status) {
    case LineReader::OpenStatus::Opened:
        return std::nullopt;
    case LineReader::OpenStatus::NotAFile:
        return Refusal{RefusalKind::NotAFile};
    case LineReader::OpenStatus::CannotOpen:
        break;
    }
    return Refusal{RefusalKind::CannotOpen};
}

// One header line split into at most kMaxFields texts; `count` is the line's field
// count, which may be larger.
struct SplitLine {
    std::array<std::string, kMaxFields> fields;
    int count = 0;

    std::string FieldOrEmpty(int k) const {
        return k >= 0 && k < std::min(count, kMaxFields) ? fields[static_cast<std::size_t>(k)]
                                                         : std::string();
    }
};

struct HeaderLines {
    SplitLine ids, names, memos, units;  // ids and memos unused in the E-Defence layout
};

// Reads line `lineNumber` into `line`; a refusal when it is missing or too long.
std::optional<Refusal> ReadHeaderLine(LineReader& reader, int lineNumber, int maxBytes,
                                      std::string_view& line) {
    switch (reader.Next(line, static_cast<std::size_t>(maxBytes))) {
    case LineReader::Status::Line:
        return std::nullopt;
    case LineReader::Status::End:
        return Refusal{RefusalKind::EndsBeforeHeader, lineNumber};
    case LineReader::Status::TooLong:
        return Refusal{RefusalKind::LineTooLong, lineNumber, maxBytes};
    case LineReader::Status::ReadError:
        break;
    }
    return Refusal{RefusalKind::ReadError, lineNumber};
}

std::optional<Refusal> ReadAndSplit(LineReader& reader, int lineNumber, SplitLine& out) {
    std::string_view line;
    if (auto refusal = ReadHeaderLine(reader, lineNumber, kMaxLineBytes, line)) {
        return refusal;
    }
    out.count = SplitFields(line, out.fields.data(), kMaxFields);
    return std::nullopt;
}

// Reads every header line of the layout; with `limitNames` a point-name line of
// more than 100 fields is refused before the lines after it are read. A unit line
// beginning with "%" is not judged here: the scan refuses it, the transfer does not
// look.
std::optional<Refusal> ReadHeader(LineReader& reader, FileLayout layout, bool limitNames,
                                  HeaderLines& header) {
    int lineNumber = 1;
    if (layout == FileLayout::Standard) {
        if (auto refusal = ReadAndSplit(reader, lineNumber++, header.ids)) {
            return refusal;
        }
    } else {
        std::string_view ignored;
        if (auto refusal = ReadHeaderLine(reader, lineNumber++, kMaxEDefenceFirstLineBytes, ignored)) {
            return refusal;
        }
    }
    if (auto refusal = ReadAndSplit(reader, lineNumber, header.names)) {
        return refusal;
    }
    if (limitNames && header.names.count > kMaxFields) {
        return Refusal{RefusalKind::TooManyFields, lineNumber, kMaxFields};
    }
    ++lineNumber;
    if (layout == FileLayout::Standard) {
        if (auto refusal = ReadAndSplit(reader, lineNumber++, header.memos)) {
            return refusal;
        }
    }
    return ReadAndSplit(reader, lineNumber, header.units);
}

std::string EDefenceLabel(int column) {
    return std::to_string(column) + "CH";
}

std::vector<std::string> FirstTexts(const SplitLine& line, int n) {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        texts.push_back(line.FieldOrEmpty(k));
    }
    return texts;
}

bool BeginsWithPercent(const SplitLine& units) {
    return units.count > 0 && !units.fields[0].empty() && units.fields[0][0] == '%';
}

// --- transfer ---

// A requested column and the place of its result, sorted by column so that one
// walk along a data line serves every request.
struct WantedColumn {
    int column;
    std::size_t slot;
};

std::vector<WantedColumn> SortedWanted(const std::vector<int>& columns) {
    std::vector<WantedColumn> wanted;
    for (std::size_t slot = 0; slot < columns.size(); ++slot) {
        if (columns[slot] >= 0 && columns[slot] < kMaxFields) {
            wanted.push_back({columns[slot], slot});
        }
    }
    std::stable_sort(wanted.begin(), wanted.end(),
                     [](const WantedColumn& a, const WantedColumn& b) { return a.column < b.column; });
    return wanted;
}

// The bytes of a data line that hold fields: before its line end and before a NUL.
std::string_view DataLineContent(std::string_view line) {
    std::size_t end = line.size();
    if (end > 0 && line[end - 1] == '\n') {
        --end;
        if (end > 0 && line[end - 1] == '\r') {
            --end;
        }
    }
    if (const void* nul = std::memchr(line.data(), '\0', end)) {
        end = static_cast<std::size_t>(static_cast<const char*>(nul) - line.data());
    }
    return line.substr(0, end);
}

// Appends sample i of every requested column from one data line. Unwanted fields
// are skipped with memchr and numbers are read in place; a missing field reads 0.
void ReadDataLine(std::string_view line, const std::vector<WantedColumn>& wanted,
                  std::vector<TransferColumn>& out) {
    const std::string_view content = DataLineContent(line);
    const char* p = content.data();
    const char* const end = p + content.size();
    std::size_t w = 0;
    int field = 0;
    while (w < wanted.size()) {
        const void* comma = std::memchr(p, ',', static_cast<std::size_t>(end - p));
        const char* const fieldEnd = comma ? static_cast<const char*>(comma) : end;
        if (wanted[w].column == field) {
            const float value = ToSample(ReadNumber(p, fieldEnd));
            for (; w < wanted.size() && wanted[w].column == field; ++w) {
                out[wanted[w].slot].samples.push_back(value);
            }
        }
        if (comma == nullptr) {
            break;
        }
        p = fieldEnd + 1;
        ++field;
    }
    for (; w < wanted.size(); ++w) {
        out[wanted[w].slot].samples.push_back(0.0f);
    }
}

void FillTransferHeaders(const HeaderLines& header, FileLayout layout, const std::vector<int>& columns,
                         std::vector<TransferColumn>& out) {
    out.resize(columns.size());
    for (std::size_t j = 0; j < columns.size(); ++j) {
        TransferColumn& column = out[j];
        const int k = columns[j];
        column.fileColumn = k;
        column.id = layout == FileLayout::EDefence ? EDefenceLabel(k) : header.ids.FieldOrEmpty(k);
        column.name = header.names.FieldOrEmpty(k);
        column.memo = layout == FileLayout::EDefence ? std::string() : header.memos.FieldOrEmpty(k);
        column.unit = header.units.FieldOrEmpty(k);
    }
}

// The data lines after the header, at most maxLines of them, into `result`.
std::optional<Refusal> ReadDataLines(LineReader& reader, FileLayout layout, const std::vector<int>& columns,
                                     int maxLines, const std::function<void(int)>& progress,
                                     TransferRead& result) {
    const int limit = std::max(maxLines, 0);
    for (TransferColumn& column : result.columns) {
        column.samples.reserve(static_cast<std::size_t>(limit));
    }
    const std::vector<WantedColumn> wanted = SortedWanted(columns);
    const int firstDataLine = HeaderLineCount(layout) + 1;
    int i = 0;
    for (; i < limit; ++i) {
        if (progress && i % 100 == 0) {
            progress(i);
        }
        std::string_view line;
        const LineReader::Status status = reader.Next(line, kMaxLineBytes);
        if (status == LineReader::Status::End) {
            break;
        }
        if (status == LineReader::Status::TooLong) {
            return Refusal{RefusalKind::LineTooLong, firstDataLine + i, kMaxLineBytes};
        }
        if (status == LineReader::Status::ReadError) {
            return Refusal{RefusalKind::ReadError, firstDataLine + i};
        }
        ReadDataLine(line, wanted, result.columns);
    }
    result.linesRead = i;
    for (std::size_t j = 0; j < columns.size(); ++j) {
        if (columns[j] < 0 || columns[j] >= kMaxFields) {
            result.columns[j].samples.assign(static_cast<std::size_t>(i), 0.0f);
        }
    }
    result.fewerLinesThanScanned = i < limit;
    result.moreLinesThanScanned = i == limit && !reader.AtEnd();
    return std::nullopt;
}

ScanResult ScanRefused(Refusal refusal) {
    ScanResult result;
    result.refusal = refusal;
    return result;
}

TransferRead Refused(Refusal refusal) {
    TransferRead result;
    result.refusal = refusal;
    return result;
}

}  // namespace

int HeaderLineCount(FileLayout layout) {
    return layout == FileLayout::Standard ? 4 : 3;
}

ScanResult ScanDataFile(const std::filesystem::path& file, FileLayout layout) {
    ScanResult result;
    LineReader reader;
    if ((result.refusal = OpenRefusal(reader.Open(file)))) {
        return result;
    }
    // The split header lines are about 100 strings each: kept off the stack.
    const auto header = std::make_unique<HeaderLines>();
    if ((result.refusal = ReadHeader(reader, layout, true, *header))) {
        return result;
    }
    const int n = header->names.count;
    result.channelCount = n;
    result.names = FirstTexts(header->names, n);
    if (layout == FileLayout::Standard) {
        result.idFieldCount = header->ids.count;
        result.ids = FirstTexts(header->ids, n);
        result.memos = FirstTexts(header->memos, n);
        if (BeginsWithPercent(header->units)) {
            result.refusal = Refusal{RefusalKind::NotStandardFormat, 4};
            return result;
        }
    } else {
        for (int k = 0; k < n; ++k) {
            result.ids.push_back(EDefenceLabel(k));
        }
        result.memos.assign(static_cast<std::size_t>(n), std::string());
    }
    result.units = FirstTexts(header->units, n);

    std::int64_t count = 0;
    const LineReader::Status status = reader.CountRest(kMaxLineBytes, count);
    // The line after the ones counted, should the count have stopped early.
    const int failedLine =
        HeaderLineCount(layout) + 1 + static_cast<int>(std::min<std::int64_t>(count, INT_MAX - 8));
    if (status == LineReader::Status::TooLong) {
        return ScanRefused(Refusal{RefusalKind::LineTooLong, failedLine, kMaxLineBytes});
    }
    if (status == LineReader::Status::ReadError) {
        return ScanRefused(Refusal{RefusalKind::ReadError, failedLine});
    }
    result.dataLines = static_cast<int>(std::min<std::int64_t>(count, INT_MAX));
    return result;
}

TransferRead ReadChannels(const std::filesystem::path& file, FileLayout layout,
                          const std::vector<int>& columns, int maxLines,
                          const std::function<void(int linesRead)>& progress) {
    LineReader reader;
    if (auto refusal = OpenRefusal(reader.Open(file))) {
        return Refused(*refusal);
    }
    const auto header = std::make_unique<HeaderLines>();
    if (auto refusal = ReadHeader(reader, layout, false, *header)) {
        return Refused(*refusal);
    }
    TransferRead result;
    FillTransferHeaders(*header, layout, columns, result.columns);
    try {
        if (auto refusal = ReadDataLines(reader, layout, columns, maxLines, progress, result)) {
            return Refused(*refusal);
        }
    } catch (const std::bad_alloc&) {
        // A record too long for the memory there is: refused, nothing half read.
        return Refused(Refusal{RefusalKind::OutOfMemory});
    }
    return result;
}

std::string RefusalText(const Refusal& refusal) {
    const std::string line = std::to_string(refusal.line);
    const std::string limit = std::to_string(refusal.limit);
    std::string text;
    switch (refusal.kind) {
    case RefusalKind::CannotOpen:
        text = "ファイルを開けません";
        break;
    case RefusalKind::NotAFile:
        text = "通常のファイルではありません";
        break;
    case RefusalKind::ReadError:
        text = "ファイルを読み込めません（" + line + "行目）";
        break;
    case RefusalKind::EndsBeforeHeader:
        text = "ファイルがヘッダ行の途中で終わっています（" + line + "行目）";
        break;
    case RefusalKind::LineTooLong:
        text = line + "行目が長すぎます（" + limit + "バイトまで）";
        break;
    case RefusalKind::TooManyFields:
        text = line + "行目のフィールドが多すぎます（" + limit + "個まで）";
        break;
    case RefusalKind::NotStandardFormat:
        text = "標準形式データファイルではありません";
        break;
    case RefusalKind::OutOfMemory:
        text = "メモリが足りないため読み込めません";
        break;
    case RefusalKind::BadRecord:
        text = refusal.line > 0 ? line + "行目：" + refusal.detail : refusal.detail;
        break;
    }
    if (!refusal.file.empty()) {
        const char* const separator =
            refusal.kind == RefusalKind::BadRecord && refusal.line > 0 ? " の " : "：";
        text = refusal.file + separator + text;
    }
    return text.append(kFiveIdeographicSpaces);
}

std::string RefusalCaption(const Refusal&) {
    return "ファイル形式エラー";
}

}  // namespace tremvix
