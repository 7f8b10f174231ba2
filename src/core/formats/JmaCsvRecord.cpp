#include "core/formats/JmaCsvRecord.h"

#include "core/data/NumberReader.h"
#include "core/data/SplitFields.h"
#include "core/formats/NetworkRecord.h"
#include "core/formats/RecordChannels.h"
#include "core/formats/RecordLines.h"
#include "core/formats/RecordText.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace tremvix::formats {
namespace {

enum HeaderLine { kSite = 1, kLatitude, kLongitude, kRate, kUnit, kInitialTime, kComponents };

struct KeyRule {
    std::string_view shown;
    std::string_view key;  // lower case, without spaces and dots
};

constexpr std::array<KeyRule, 6> kKeys = {{
    {"SITE CODE=", "sitecode"},
    {"LAT.=", "lat"},
    {"LON.=", "lon"},
    {"SAMPLING RATE=", "samplingrate"},
    {"UNIT=", "unit"},
    {"INITIAL TIME=", "initialtime"},
}};

struct JmaHeader {
    std::string site, initialTime;
    double samplingRate = 0.0;
    std::vector<std::string> components;
};

std::string KeyOf(std::string_view text) {
    std::string key;
    for (const char c : LowerAscii(text)) {
        if (c != ' ' && c != '.' && c != '\t') {
            key.push_back(c);
        }
    }
    return key;
}

std::string_view FirstField(std::string_view line) {
    return line.substr(0, line.find(','));
}

// The value of a "KEY= value" line (its first field), or nullopt when the key differs.
std::optional<std::string_view> KeyedValue(std::string_view line, const KeyRule& rule) {
    const std::string_view field = FirstField(line);
    const std::size_t equals = field.find('=');
    if (equals == std::string_view::npos || KeyOf(field.substr(0, equals)) != rule.key) {
        return std::nullopt;
    }
    return TrimSpaces(field.substr(equals + 1));
}

std::vector<std::string_view> SplitCommas(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

// "2000 10 06 13 30 10" as "2000/10/06 13:30:10"; other texts as read.
std::string InitialTimeText(std::string_view value) {
    std::array<std::string_view, 6> parts;
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos < value.size()) {
        while (pos < value.size() && value[pos] == ' ') {
            ++pos;
        }
        const std::size_t end = std::min(value.find(' ', pos), value.size());
        if (end > pos) {
            if (count == parts.size() || !ParseInteger(value.substr(pos, end - pos))) {
                return std::string(value);
            }
            parts[count++] = value.substr(pos, end - pos);
        }
        pos = end;
    }
    if (count != parts.size()) {
        return std::string(value);
    }
    std::string text;
    const std::array<std::string_view, 6> separators = {"", "/", "/", " ", ":", ":"};
    for (std::size_t k = 0; k < parts.size(); ++k) {
        text.append(separators[k]).append(parts[k]);
    }
    return text;
}

bool IsGal(std::string_view unit) {
    const std::string lower = LowerAscii(TrimSpaces(unit));
    return lower.starts_with("gal") || lower.starts_with("cm/s");
}

std::optional<Refusal> ReadComponents(const RecordLines& lines, std::string_view line, JmaHeader& header) {
    std::vector<std::string_view> fields = SplitCommas(line);
    while (!fields.empty() && TrimSpaces(fields.back()).empty()) {
        fields.pop_back();
    }
    if (fields.empty()) {
        return lines.Bad("成分名がありません");
    }
    if (fields.size() > static_cast<std::size_t>(kMaxFields)) {
        return lines.Named(Refusal{RefusalKind::TooManyFields, lines.LineNumber(), kMaxFields});
    }
    if (std::all_of(fields.begin(), fields.end(), [](std::string_view f) { return ParseDecimal(f).has_value(); })) {
        return lines.Bad("成分名の行がありません");
    }
    for (const std::string_view field : fields) {
        header.components.emplace_back(TrimSpaces(field));
    }
    return std::nullopt;
}

std::optional<Refusal> TakeValue(const RecordLines& lines, int number, std::string_view value, JmaHeader& header) {
    switch (number) {
    case kSite:
        header.site = value;
        break;
    case kRate:
        return TakeSamplingRate(lines, value, header.samplingRate);
    case kUnit:
        if (!IsGal(value)) {
            return lines.Bad("単位が gal ではありません");
        }
        break;
    case kInitialTime:
        header.initialTime = InitialTimeText(value);
        break;
    default:
        break;
    }
    return std::nullopt;
}

std::optional<Refusal> ReadJmaHeader(RecordLines& lines, JmaHeader& header) {
    std::string_view line;
    for (int number = kSite; number < kComponents; ++number) {
        if (auto refusal = lines.NextHeader(line)) {
            return refusal;
        }
        const KeyRule& rule = kKeys[static_cast<std::size_t>(number - 1)];
        const std::optional<std::string_view> value = KeyedValue(line, rule);
        if (!value) {
            return lines.Bad("ヘッダの「" + std::string(rule.shown) + "」の行がありません");
        }
        if (auto refusal = TakeValue(lines, number, *value, header)) {
            return refusal;
        }
    }
    if (auto refusal = lines.NextHeader(line)) {
        return refusal;
    }
    return ReadComponents(lines, line, header);
}

bool IsBlankRow(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ',' || c == ' ' || c == '\t'; });
}

// Reads one row of n values into `values`; trailing fields must be empty.
std::optional<Refusal> ParseRow(const RecordLines& lines, std::string_view line, std::size_t n,
                                std::vector<double>& values) {
    values.clear();
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t comma = std::min(line.find(',', start), line.size());
        const std::string_view field = line.substr(start, comma - start);
        if (values.size() < n) {
            const std::optional<double> value = ParseDecimal(field);
            if (!value) {
                return lines.Bad("数値ではない値があります");
            }
            values.push_back(*value);
        } else if (!TrimSpaces(field).empty()) {
            return lines.Bad("成分の数より多い値があります");
        }
        start = comma + 1;
    }
    if (values.size() < n) {
        return lines.Bad("値が足りません（" + std::to_string(n) + " 成分に " + std::to_string(values.size()) + " 個）");
    }
    return std::nullopt;
}

// Passes the values of every row to sink(values). Blank rows may only end the file.
template <class Sink>
std::optional<Refusal> ReadRows(RecordLines& lines, std::size_t n, Sink&& sink) {
    std::vector<double> values;
    values.reserve(n);
    int firstBlank = 0;
    std::int64_t rows = 0;
    std::string_view line;
    while (lines.Next(line)) {
        if (IsBlankRow(line)) {
            firstBlank = firstBlank ? firstBlank : lines.LineNumber();
            continue;
        }
        if (firstBlank) {
            return lines.BadAt(firstBlank, "値のない行があります");
        }
        if (auto refusal = ParseRow(lines, line, n, values)) {
            return refusal;
        }
        if (++rows > kMaxRecordSamples) {
            return lines.Bad(kTooManySamples);
        }
        sink(values);
    }
    return lines.Failure();
}

std::vector<RecordChannel> ChannelsOf(const JmaHeader& header, const std::filesystem::path& file) {
    std::vector<RecordChannel> channels;
    for (const std::string& component : header.components) {
        channels.push_back({component, header.site, header.initialTime, file});
    }
    return channels;
}

}  // namespace

bool IsJmaFirstLine(std::string_view line) {
    return KeyedValue(line, kKeys[0]).has_value();
}

ScanResult ScanJmaRecord(const std::filesystem::path& file) {
    RecordLines lines;
    if (auto refusal = lines.Open(file)) {
        return ScanRefusal(*refusal);
    }
    JmaHeader header;
    if (auto refusal = ReadJmaHeader(lines, header)) {
        return ScanRefusal(*refusal);
    }
    std::int64_t rows = 0;
    if (auto refusal = ReadRows(lines, header.components.size(), [&rows](const std::vector<double>&) { ++rows; })) {
        return ScanRefusal(*refusal);
    }
    return RecordScan(ChannelsOf(header, file), static_cast<int>(rows), header.samplingRate,
                      NetworkLayoutName(NetworkLayout::JmaCsv));
}

TransferRead ReadJmaChannels(const std::filesystem::path& file, const std::vector<int>& channels,
                             const std::function<void(int)>& progress) {
    RecordLines lines;
    if (auto refusal = lines.Open(file)) {
        return ReadRefusal(*refusal);
    }
    JmaHeader header;
    if (auto refusal = ReadJmaHeader(lines, header)) {
        return ReadRefusal(*refusal);
    }
    const std::vector<RecordChannel> record = ChannelsOf(header, file);
    TransferRead read;
    for (const int index : channels) {
        if (index < 0 || static_cast<std::size_t>(index) >= record.size()) {
            return ReadRefusal(MissingChannel(file));
        }
        read.columns.push_back(EmptyColumn(record[static_cast<std::size_t>(index)], index));
    }
    ReadProgress tracker(progress, 1);
    tracker.Add(0);
    int rows = 0;
    auto refusal = ReadRows(lines, record.size(), [&](const std::vector<double>& values) {
        for (TransferColumn& column : read.columns) {
            column.samples.push_back(ToSample(values[static_cast<std::size_t>(column.fileColumn)]));
        }
        ++rows;
        tracker.Add(1);
    });
    if (refusal) {
        return ReadRefusal(*refusal);
    }
    read.linesRead = rows;
    return read;
}

}  // namespace tremvix::formats
