#include "core/survey/StationPosition.h"

#include "core/formats/JmaCsvRecord.h"
#include "core/formats/KnetHeader.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace tremvix {
namespace {

constexpr std::size_t kKnetLabelColumns = 18;

std::vector<std::string_view> Lines(std::string_view text, std::size_t count) {
    std::vector<std::string_view> lines;
    while (!text.empty() && lines.size() < count) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::optional<double> Degrees(std::string_view text) {
    text = Trimmed(text);
    if (text.starts_with('+')) text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

// Labels compared as the header reader compares them: no case, spaces or dots.
std::string LabelKey(std::string_view label) {
    std::string key;
    for (const char c : label)
        if (c != ' ' && c != '.' && c != '\t') key += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return key;
}

struct Found {
    std::optional<double> latitude, longitude;
};

Found FromKnet(std::string_view head) {
    Found found;
    for (const std::string_view line : Lines(head, formats::kKnetHeaderLines)) {
        if (line.size() <= kKnetLabelColumns) continue;
        const std::string key = LabelKey(line.substr(0, kKnetLabelColumns));
        const std::string_view value = line.substr(kKnetLabelColumns);
        if (key == "stationlat") found.latitude = Degrees(value);
        if (key == "stationlong" || key == "stationlon") found.longitude = Degrees(value);
    }
    return found;
}

Found FromJma(std::string_view head) {
    Found found;
    for (const std::string_view line : Lines(head, 7)) {
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string key = LabelKey(line.substr(0, equals));
        std::string_view value = line.substr(equals + 1);
        value = value.substr(0, value.find(','));
        if (key == "lat") found.latitude = Degrees(value);
        if (key == "lon") found.longitude = Degrees(value);
    }
    return found;
}

}  // namespace

std::optional<StationPosition> ReadStationPosition(std::string_view head) {
    const std::vector<std::string_view> first = Lines(head, 1);
    if (first.empty()) return std::nullopt;
    Found found;
    if (formats::IsKnetFirstLine(first.front())) found = FromKnet(head);
    else if (formats::IsJmaFirstLine(first.front())) found = FromJma(head);
    if (!found.latitude || !found.longitude) return std::nullopt;
    const double latitude = *found.latitude, longitude = *found.longitude;
    if (std::abs(latitude) > 90.0 || std::abs(longitude) > 180.0) return std::nullopt;
    if (latitude == 0.0 && longitude == 0.0) return std::nullopt;
    return StationPosition{latitude, longitude};
}

}  // namespace tremvix
