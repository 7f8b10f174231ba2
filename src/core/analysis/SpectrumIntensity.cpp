#include "core/analysis/SpectrumIntensity.h"

#include "core/analysis/ResponseSpectrum.h"
#include "core/analysis/SdofRecursion.h"

#include <algorithm>
#include <cmath>

namespace tremvix {

namespace {

// Just below a period where the sub-step count changes: the count of the shorter periods.
constexpr double kBelowBreak = 1.0 - 1e-8;

// Periods where the sub-step count changes (10 dt / k), strictly inside the range,
// ascending. Sv jumps there, so each is an end of a piece of the integral.
std::vector<double> SubstepBreaks(double dt) {
    std::vector<double> breaks;
    if (!(10.0 * dt / kSiFirstPeriod <= kMaxSubsteps)) return breaks;  // refused by the spectrum anyway
    for (int k = 1;; ++k) {
        const double period = 10.0 * dt / k;
        if (period <= kSiFirstPeriod) break;
        if (period < kSiLastPeriod) breaks.push_back(period);
    }
    std::reverse(breaks.begin(), breaks.end());
    return breaks;
}

}  // namespace

std::vector<SiNode> SiNodes(double rate, int intervals) {
    std::vector<double> edges{kSiFirstPeriod};
    const std::vector<double> breaks = SubstepBreaks(1.0 / rate);
    edges.insert(edges.end(), breaks.begin(), breaks.end());
    edges.push_back(kSiLastPeriod);
    const double wholeSpan = std::log(kSiLastPeriod / kSiFirstPeriod);
    std::vector<SiNode> nodes;
    for (std::size_t p = 0; p + 1 < edges.size(); ++p) {
        const double a = edges[p], b = edges[p + 1], span = std::log(b / a);
        const int n = std::max(1, static_cast<int>(std::lround(intervals * span / wholeSpan)));
        const std::size_t first = nodes.size();
        for (int j = 0; j <= n; ++j) nodes.push_back({j == 0 ? a : j == n ? b : a * std::exp(span * j / n), 0.0});
        // The trapezoid rule in T itself on these nodes: no Jacobian whose curvature would bias the sum.
        for (std::size_t j = first; j + 1 < nodes.size(); ++j) {
            const double half = (nodes[j + 1].period - nodes[j].period) / 2.0;
            nodes[j].weight += half;
            nodes[j + 1].weight += half;
        }
        if (p + 2 < edges.size()) nodes.back().period *= kBelowBreak;
    }
    return nodes;
}

SiResult ComputeSpectrumIntensity(std::span<const float> acceleration, double rate, int intervals, int threads) {
    SiResult result;
    if (intervals < 1) {
        result.refusal = AnalysisRefusal{AnalysisRefusalKind::BadPeriod};
        return result;
    }
    if (!std::isfinite(rate) || rate <= 0.0) {
        result.refusal = AnalysisRefusal{AnalysisRefusalKind::BadSamplingStep};
        return result;
    }
    const std::vector<SiNode> nodes = SiNodes(rate, intervals);
    ResponseSpectrumOptions options;
    options.dampings = {kSiDamping};
    options.defaultPeriods = false;
    options.velocityOnly = true;
    options.threads = threads;
    for (const SiNode& node : nodes) options.extraPeriods.push_back(node.period);
    const ResponseSpectrumResult spectrum = ComputeResponseSpectrum(acceleration, 1.0 / rate, options);
    if (spectrum.refusal) {
        result.refusal = spectrum.refusal;
        return result;
    }
    const std::vector<SpectrumValues>& values = spectrum.spectra.front().values;
    double sum = 0.0;
    for (const SiNode& node : nodes) {
        const auto at = std::lower_bound(spectrum.periods.begin(), spectrum.periods.end(), node.period);
        sum += node.weight * values[static_cast<std::size_t>(at - spectrum.periods.begin())].sv;
    }
    result.si = sum / 2.4;
    return result;
}

std::string SiIntensityGuide(double si) {
    struct Step {
        double from;
        const char* intensity;
    };
    static constexpr Step kSteps[] = {{120.0, "7"}, {70.0, "6強"}, {40.0, "6弱"}, {20.0, "5強"},
                                      {10.0, "5弱"}, {4.0, "4"},    {1.0, "3"}};
    for (const Step& step : kSteps)
        if (si >= step.from) return step.intensity;
    return "2以下";
}

}  // namespace tremvix
