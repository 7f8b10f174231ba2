#include "core/formats/At2Header.h"

#include "core/data/ChannelRecord.h"
#include "core/data/TextField.h"
#include "core/formats/RecordChannels.h"
#include "core/formats/RecordLines.h"
#include "core/formats/RecordText.h"

#include <cmath>
#include <vector>

namespace tremvix::formats {
namespace {

std::vector<std::string_view> TrimmedFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(TrimSpaces(line.substr(start, comma - start)));
        if (comma == std::string_view::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

std::string Joined(const std::vector<std::string_view>& fields, std::size_t count, std::string_view separator) {
    std::string text;
    for (std::size_t k = 0; k < count; ++k) {
        text.append(k ? separator : "").append(fields[k]);
    }
    return text;
}

// "event date" within a memo: the event is cut, not the date.
std::string EventText(std::string_view event, std::string_view date) {
    constexpr std::size_t kRoom = kMemoSize - 1;
    if (date.empty()) {
        return std::string(event.substr(0, CharacterBoundaryCut(event, kRoom)));
    }
    if (event.size() + 1 + date.size() > kRoom && date.size() + 1 < kRoom) {
        event = TrimSpaces(event.substr(0, CharacterBoundaryCut(event, kRoom - 1 - date.size())));
    }
    return event.empty() ? std::string(date) : std::string(event) + " " + std::string(date);
}

void ReadIdentity(std::string_view line, At2Header& header) {
    const std::vector<std::string_view> fields = TrimmedFields(line);
    const std::size_t n = fields.size();
    if (n == 1) {
        header.identity = fields[0];
        header.event = EventText(fields[0], "");
        return;
    }
    header.component = fields[n - 1];
    header.station = fields[n - 2];
    header.identity = Joined(fields, n - 1, ",");
    if (n >= 4) {
        header.event = EventText(Joined(fields, n - 3, ", "), fields[n - 3]);
    } else if (n == 3) {
        header.event = EventText(fields[0], "");
    }
}

// The text of the token after `pos`, blanks skipped, up to a blank or comma.
std::string_view TokenAt(std::string_view line, std::size_t pos) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) {
        ++pos;
    }
    std::size_t end = pos;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != ',') {
        ++end;
    }
    return line.substr(pos, end - pos);
}

// The value after "KEY=" (blanks allowed around "="), searched from `from`.
std::optional<std::string_view> KeyedToken(std::string_view line, std::string_view lowerKey, std::size_t from) {
    const std::string lower = LowerAscii(line);
    const std::size_t key = lower.find(lowerKey, from);
    if (key == std::string::npos) {
        return std::nullopt;
    }
    std::size_t pos = key + lowerKey.size();
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) {
        ++pos;
    }
    if (pos == line.size() || line[pos] != '=') {
        return std::nullopt;
    }
    return TokenAt(line, pos + 1);
}

bool ReadCountAndStep(std::string_view line, At2Header& header) {
    std::optional<std::int64_t> count;
    std::optional<double> step;
    const std::size_t npts = LowerAscii(line).find("npts");
    if (npts == std::string::npos) {
        return false;
    }
    if (const auto keyedCount = KeyedToken(line, "npts", 0)) {
        count = ParseInteger(*keyedCount);
        if (const auto stepText = KeyedToken(line, "dt", npts)) {
            step = ParseDecimal(*stepText);
        }
    } else {
        // "4096    0.0100    NPTS, DT": the two numbers come first.
        const std::string_view countText = TokenAt(line, 0);
        const std::size_t after = static_cast<std::size_t>(countText.data() - line.data()) + countText.size();
        count = ParseInteger(countText);
        step = ParseDecimal(TokenAt(line, after));
    }
    if (!count || !step || *count < 0 || *count > kMaxRecordSamples || !std::isfinite(*step) || *step <= 0.0 ||
        !std::isfinite(1.0 / *step)) {
        return false;
    }
    header.count = *count;
    header.step = *step;
    return true;
}

}  // namespace

bool IsPeerFirstLine(std::string_view line) {
    const std::string_view trimmed = TrimSpaces(line);
    return StartsWithNoCase(trimmed, "PEER") && ContainsNoCase(trimmed, "STRONG MOTION");
}

std::optional<Refusal> ReadAt2Header(RecordLines& lines, At2Header& header) {
    std::string_view line;
    if (auto refusal = lines.NextHeader(line)) {
        return refusal;
    }
    if (!IsPeerFirstLine(line)) {
        return lines.Bad("PEER形式のファイルではありません");
    }
    if (auto refusal = lines.NextHeader(line)) {
        return refusal;
    }
    ReadIdentity(line, header);
    if (auto refusal = lines.NextHeader(line)) {
        return refusal;
    }
    if (!ContainsNoCase(line, "UNITS OF G")) {
        return lines.Bad("加速度（単位 g）の記録ではありません");
    }
    if (auto refusal = lines.NextHeader(line)) {
        return refusal;
    }
    if (!ReadCountAndStep(line, header)) {
        return lines.Bad("NPTS と DT が読めません");
    }
    return std::nullopt;
}

}  // namespace tremvix::formats
