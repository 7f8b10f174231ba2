#include "core/survey/SurveyMarks.h"

#include "core/survey/SurveyRow.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tremvix {
namespace {

constexpr std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b) << 16;
}

// The JMA's scale for the intensity classes 1 … 7; class 0 in a light grey.
constexpr std::array<std::uint32_t, 10> kScale = {Rgb(210, 210, 210), Rgb(242, 242, 255), Rgb(0, 170, 255),
                                                  Rgb(0, 65, 255),    Rgb(250, 230, 150), Rgb(255, 230, 0),
                                                  Rgb(255, 153, 0),   Rgb(255, 40, 0),    Rgb(165, 0, 33),
                                                  Rgb(180, 0, 104)};
constexpr std::array<double, 9> kPgaEdges = {2, 5, 10, 20, 50, 100, 200, 500, 1000};

std::vector<LegendEntry> Make(MarkScheme scheme) {
    std::vector<LegendEntry> legend;
    switch (scheme) {
        case MarkScheme::Intensity: {
            const char* names[] = {"震度0", "震度1", "震度2", "震度3", "震度4", "震度5弱", "震度5強", "震度6弱", "震度6強", "震度7"};
            for (std::size_t k = 0; k < kScale.size(); ++k) legend.push_back({names[k], kScale[k]});
            break;
        }
        case MarkScheme::LongPeriod: {
            const std::size_t hues[] = {0, 4, 6, 7, 9};
            for (std::size_t k = 0; k < 5; ++k) legend.push_back({"階級" + std::to_string(k), kScale[hues[k]]});
            break;
        }
        case MarkScheme::Pga: {
            const auto text = [](double v) { return std::to_string(static_cast<int>(v)); };
            legend.push_back({"< 2 gal", kScale[0]});
            for (std::size_t k = 0; k + 1 < kPgaEdges.size(); ++k)
                legend.push_back({text(kPgaEdges[k]) + "–" + text(kPgaEdges[k + 1]) + " gal", kScale[k + 1]});
            legend.push_back({"≥ 1000 gal", kScale[9]});
            break;
        }
    }
    return legend;
}

}  // namespace

const std::vector<LegendEntry>& Legend(MarkScheme scheme) {
    static const std::vector<LegendEntry> legends[] = {Make(MarkScheme::Intensity), Make(MarkScheme::LongPeriod),
                                                       Make(MarkScheme::Pga)};
    return legends[static_cast<int>(scheme)];
}

int PgaBand(double gal) {
    return static_cast<int>(std::upper_bound(kPgaEdges.begin(), kPgaEdges.end(), gal) - kPgaEdges.begin());
}

std::optional<int> MarkClass(const SurveyRow& row, MarkScheme scheme) {
    switch (scheme) {
        case MarkScheme::Intensity: {
            const std::vector<LegendEntry>& legend = Legend(scheme);
            for (std::size_t k = 0; k < legend.size(); ++k)
                if (legend[k].label == row.intensityClass) return static_cast<int>(k);
            return std::nullopt;
        }
        case MarkScheme::LongPeriod:
            if (!row.lpgmClass || *row.lpgmClass < 0 || *row.lpgmClass > 4) return std::nullopt;
            return *row.lpgmClass;
        case MarkScheme::Pga: {
            std::optional<double> peak;
            for (const std::optional<double>& value : {row.pgaNs, row.pgaEw})
                if (value && std::isfinite(*value)) peak = std::max(peak.value_or(0.0), std::fabs(*value));
            if (!peak) return std::nullopt;
            return PgaBand(*peak);
        }
    }
    return std::nullopt;
}

}  // namespace tremvix
