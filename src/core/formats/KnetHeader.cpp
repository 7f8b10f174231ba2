#include "core/formats/KnetHeader.h"

#include "core/formats/RecordLines.h"
#include "core/formats/RecordText.h"

#include <array>
#include <cmath>

namespace tremvix::formats {
namespace {

constexpr std::size_t kLabelColumns = 18;

struct LabelRule {
    std::string_view shown;  // as the message names it
    std::string_view key;    // lower case, without spaces and dots
    std::string_view otherKey;
};

constexpr std::array<LabelRule, kKnetHeaderLines> kLabels = {{
    {"Origin Time", "origintime", ""},
    {"Lat.", "lat", ""},
    {"Long.", "long", "lon"},
    {"Depth. (km)", "depth(km)", ""},
    {"Mag.", "mag", ""},
    {"Station Code", "stationcode", ""},
    {"Station Lat.", "stationlat", ""},
    {"Station Long.", "stationlong", "stationlon"},
    {"Station Height(m)", "stationheight(m)", ""},
    {"Record Time", "recordtime", ""},
    {"Sampling Freq(Hz)", "samplingfreq(hz)", ""},
    {"Duration Time(s)", "durationtime(s)", ""},
    {"Dir.", "dir", ""},
    {"Scale Factor", "scalefactor", ""},
    {"Max. Acc. (gal)", "maxacc(gal)", ""},
    {"Last Correction", "lastcorrection", ""},
    {"Memo.", "memo", ""},
}};

enum Line { kOrigin = 1, kMagnitude = 5, kStation = 6, kRate = kKnetRateLine, kDirection = 13, kScale = 14, kMaxAcc = 15 };

std::string LabelKey(std::string_view label) {
    std::string key;
    for (const char c : LowerAscii(label)) {
        if (c != ' ' && c != '.' && c != '\t') {
            key.push_back(c);
        }
    }
    return key;
}

bool LabelMatches(std::string_view line, const LabelRule& rule) {
    const std::string key = LabelKey(line.substr(0, kLabelColumns));
    return key == rule.key || (!rule.otherKey.empty() && key == rule.otherKey);
}

std::string_view ValueOf(std::string_view line) {
    return line.size() > kLabelColumns ? TrimSpaces(line.substr(kLabelColumns)) : std::string_view();
}

// "7845(gal)/8223790": numerator, unit in brackets (gal; may be left out), denominator.
std::optional<Refusal> ReadScaleFactor(const RecordLines& lines, std::string_view value, KnetHeader& header) {
    std::string_view numerator = value;
    std::string_view rest = value;
    const std::size_t open = value.find('(');
    if (open != std::string_view::npos) {
        const std::size_t close = value.find(')', open);
        if (close == std::string_view::npos) {
            return lines.Bad("スケールファクターが読めません");
        }
        if (LowerAscii(TrimSpaces(value.substr(open + 1, close - open - 1))) != "gal") {
            return lines.Bad("スケールファクターの単位が gal ではありません");
        }
        numerator = value.substr(0, open);
        rest = TrimSpaces(value.substr(close + 1));
        if (!rest.starts_with('/')) {
            return lines.Bad("スケールファクターが読めません");
        }
    } else {
        numerator = value.substr(0, value.find('/'));
    }
    const std::size_t slash = rest.find('/');
    const std::optional<double> num = ParseDecimal(numerator);
    std::optional<double> den;
    if (slash != std::string_view::npos) {
        den = ParseDecimal(rest.substr(slash + 1));
    }
    if (!num || !den || !std::isfinite(*num) || !std::isfinite(*den)) {
        return lines.Bad("スケールファクターが読めません");
    }
    if (*num == 0.0 || *den == 0.0) {
        return lines.Bad("スケールファクターが 0 です");
    }
    header.scaleNumerator = *num;
    header.scaleDenominator = *den;
    return std::nullopt;
}

std::optional<Refusal> TakeValue(const RecordLines& lines, int number, std::string_view value, KnetHeader& header) {
    switch (number) {
    case kOrigin:
        header.originTime = value;
        break;
    case kMagnitude:
        header.magnitude = value;
        break;
    case kStation:
        header.stationCode = value;
        break;
    case kDirection:
        header.direction = value;
        break;
    case kRate:
        return TakeSamplingRate(lines, value, header.samplingRate);
    case kScale:
        return ReadScaleFactor(lines, value, header);
    case kMaxAcc:
        header.maxAcceleration = ParseDecimal(value);
        break;
    default:
        break;
    }
    return std::nullopt;
}

}  // namespace

bool IsKnetFirstLine(std::string_view line) {
    return LabelMatches(line, kLabels[0]) && StartsWithNoCase(line, "Origin Time");
}

std::optional<Refusal> ReadKnetHeader(RecordLines& lines, KnetHeader& header) {
    for (int number = 1; number <= kKnetHeaderLines; ++number) {
        std::string_view line;
        if (auto refusal = lines.NextHeader(line)) {
            return refusal;
        }
        const LabelRule& rule = kLabels[static_cast<std::size_t>(number - 1)];
        if (!LabelMatches(line, rule)) {
            return lines.Bad("ヘッダの「" + std::string(rule.shown) + "」の行がありません");
        }
        if (auto refusal = TakeValue(lines, number, ValueOf(line), header)) {
            return refusal;
        }
    }
    return std::nullopt;
}

std::string KnetEventText(const KnetHeader& header) {
    if (header.magnitude.empty()) {
        return header.originTime;
    }
    return header.originTime.empty() ? "M" + header.magnitude : header.originTime + " M" + header.magnitude;
}

}  // namespace tremvix::formats
