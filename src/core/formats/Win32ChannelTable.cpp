#include "core/formats/Win32ChannelTable.h"

#include "core/formats/RecordLines.h"
#include "core/formats/RecordText.h"

#include <cmath>
#include <vector>

namespace tremvix::formats {
namespace {

constexpr std::size_t kLeastFields = 13;

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (true) {
        while (at < line.size() && (IsBlank(line[at]) || line[at] == '\r')) ++at;
        if (at == line.size()) break;
        const std::size_t begin = at;
        while (at < line.size() && !IsBlank(line[at]) && line[at] != '\r') ++at;
        fields.push_back(line.substr(begin, at - begin));
    }
    return fields;
}

std::optional<std::uint16_t> HexId(std::string_view text) {
    if (text.empty() || text.size() > 4) return std::nullopt;
    unsigned value = 0;
    for (const char c : text) {
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return static_cast<std::uint16_t>(value);
}

bool IsComment(std::string_view line) {
    const std::string_view trimmed = TrimSpaces(line);
    return trimmed.empty() || trimmed == "\r" || trimmed.front() == '#';
}

// A row, or what is wrong with it.
std::optional<std::string> ParseRow(std::string_view line, Win32TableRow& row) {
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.size() < kLeastFields)
        return "チャンネル表の行の項目が " + std::to_string(fields.size()) + " 個しかありません（13 個以上）";
    const std::optional<std::uint16_t> id = HexId(fields[0]);
    if (!id) return "チャンネル番号が 16 進数の 4 桁ではありません";
    if (fields[1] != "0" && fields[1] != "1") return "記録の有無（2 番目の項目）が 0 か 1 ではありません";
    if (ParseDecimal(fields[8])) return "単位（9 番目の項目）が数になっています";
    const std::optional<double> sensitivity = ParseDecimal(fields[7]);
    const std::optional<double> gain = ParseDecimal(fields[11]);
    const std::optional<double> lsb = ParseDecimal(fields[12]);
    if (!sensitivity || !std::isfinite(*sensitivity) || *sensitivity == 0.0) return "感度が 0 ではない数ではありません";
    if (!gain || !std::isfinite(*gain)) return "増幅率（dB）が数ではありません";
    if (!lsb || !std::isfinite(*lsb)) return "LSB の値が数ではありません";
    row = {*id, std::string(fields[3]), std::string(fields[4]), std::string(fields[8]), *sensitivity, *gain, *lsb};
    return std::nullopt;
}

}  // namespace

bool LooksLikeChannelTable(std::string_view head) {
    while (!head.empty()) {
        const std::size_t end = head.find('\n');
        const std::string_view line = head.substr(0, end);
        if (end == std::string_view::npos) return false;  // the first row must be whole
        if (!IsComment(line)) {
            Win32TableRow row;
            return !ParseRow(line, row);
        }
        head.remove_prefix(end + 1);
    }
    return false;
}

std::optional<Refusal> ReadChannelTable(const std::filesystem::path& file, Win32Table& table) {
    RecordLines lines;
    if (auto refusal = lines.Open(file)) return refusal;
    std::string_view line;
    while (lines.Next(line)) {
        if (IsComment(line)) continue;
        Win32TableRow row;
        if (const std::optional<std::string> wrong = ParseRow(line, row)) return lines.Bad(*wrong);
        table[row.id] = row;
    }
    if (lines.Failure()) return lines.Failure();
    if (table.empty()) return lines.BadAt(0, "チャンネル表に行がありません");
    return std::nullopt;
}

Win32Scale ScaleOf(const Win32TableRow& row) {
    const double physical = row.lsb / (row.sensitivity * std::pow(10.0, row.gainDb / 20.0));
    const std::string unit = LowerAscii(row.unit);
    if (unit == "m/s/s" || unit == "m/s2" || unit == "m/s**2" || unit == "m/s^2") return {"gal", physical * 100.0};
    if (unit == "m/s") return {"kine", physical * 100.0};
    if (unit == "m") return {"mm", physical * 1000.0};
    return {row.unit, physical};
}

}  // namespace tremvix::formats
