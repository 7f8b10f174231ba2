#pragma once

#include "core/data/DataFileReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tremvix::testing {

inline std::string MessageEnd() {
    return "\u3000\u3000\u3000\u3000\u3000";
}

// An earthquake-like count series around a non-zero offset, so that removing the
// mean matters.
inline std::vector<std::int64_t> QuakeCounts(int n, int seed) {
    std::vector<std::int64_t> counts;
    for (int i = 0; i < n; ++i) {
        const double envelope = std::exp(-i / 400.0) * std::min(1.0, i / 50.0);
        const double wave = std::sin(0.37 * i + seed) + 0.5 * std::sin(1.3 * i * (1 + seed * 0.1));
        counts.push_back(1200 + seed + std::llround(250000.0 * envelope * wave));
    }
    return counts;
}

// The gal value of a count as the layout defines it: count x numerator / denominator.
inline double GalOf(std::int64_t count, double numerator, double denominator) {
    return static_cast<double>(count) * numerator / denominator;
}

// The peak after removing the record's mean.
inline double PeakOf(const std::vector<std::int64_t>& counts, double numerator, double denominator) {
    double sum = 0;
    for (const std::int64_t c : counts) sum += GalOf(c, numerator, denominator);
    const double mean = sum / static_cast<double>(counts.size());
    double peak = 0;
    for (const std::int64_t c : counts) peak = std::max(peak, std::fabs(GalOf(c, numerator, denominator) - mean));
    return peak;
}

inline std::string Decimals(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

inline std::string PeakText(const std::vector<std::int64_t>& counts, double numerator, double denominator) {
    return Decimals(PeakOf(counts, numerator, denominator), 3);
}

struct KnetSpec {
    std::vector<std::int64_t> counts;
    std::string direction = "N-S";
    std::string rate = "100Hz";
    std::string scale = "7845(gal)/8223790";
    std::string maxAcc;  // empty: the true peak
    std::string station = "MYG004";
    bool newerLabels = false;
    std::string eol = "\n";
};

inline std::vector<std::string> KnetHeaderLines(const KnetSpec& spec) {
    const std::string maxAcc = spec.maxAcc.empty() ? PeakText(spec.counts, 7845, 8223790) : spec.maxAcc;
    const std::vector<std::pair<std::string, std::string>> pairs = {
        {"Origin Time", "2011/03/11 14:46:00"}, {"Lat.", "38.103"}, {spec.newerLabels ? "Lon." : "Long.", "142.860"},
        {"Depth. (km)", "24"}, {"Mag.", "9.0"}, {"Station Code", spec.station}, {"Station Lat.", "38.7312"},
        {"Station Long.", "141.0211"}, {"Station Height(m)", "15"}, {"Record Time", "2011/03/11 14:46:34"},
        {"Sampling Freq(Hz)", spec.rate}, {"Duration Time(s)", "300"}, {"Dir.", spec.direction},
        {"Scale Factor", spec.scale}, {spec.newerLabels ? "Max Acc. (gal)" : "Max. Acc. (gal)", maxAcc},
        {"Last Correction", "2011/03/11 14:46:19"}, {"Memo.", ""}};
    std::vector<std::string> lines;
    for (const auto& [label, value] : pairs) {
        std::string line = label;
        line.resize(18, ' ');
        lines.push_back(line + value);
    }
    return lines;
}

inline std::string KnetData(const std::vector<std::int64_t>& counts, const std::string& eol) {
    std::string text;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        char field[32];
        std::snprintf(field, sizeof field, "%8lld", static_cast<long long>(counts[i]));
        text += field;
        if (i % 8 == 7 || i + 1 == counts.size()) text += eol;
    }
    return text;
}

inline std::string Joined(const std::vector<std::string>& lines, const std::string& eol) {
    std::string text;
    for (const std::string& line : lines) text += line + eol;
    return text;
}

inline std::string KnetText(const KnetSpec& spec) {
    return Joined(KnetHeaderLines(spec), spec.eol) + KnetData(spec.counts, spec.eol);
}

inline void ExpectBadRecord(const std::optional<Refusal>& refusal, const std::string& file, int line,
                            const std::string& detail) {
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->kind, RefusalKind::BadRecord);
    EXPECT_EQ(refusal->file, file);
    EXPECT_EQ(refusal->line, line);
    EXPECT_EQ(refusal->detail, detail);
}

}  // namespace tremvix::testing
