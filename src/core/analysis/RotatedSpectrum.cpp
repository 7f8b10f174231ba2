#include "core/analysis/RotatedSpectrum.h"

#include "core/analysis/OscillatorPair.h"
#include "core/analysis/ResponseSpectrum.h"
#include "core/analysis/RotatedPeaks.h"
#include "core/analysis/SdofRecursion.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <system_error>
#include <thread>

namespace tremvix {

namespace {

using Peaks = std::array<double, kRotationAngles>;

std::optional<AnalysisRefusal> CheckInput(std::span<const float> a, std::span<const float> b, double rate,
                                          const RotatedSpectrumOptions& options, const std::vector<double>& periods) {
    auto refuse = [](AnalysisRefusalKind kind) { return std::optional<AnalysisRefusal>(AnalysisRefusal{kind}); };
    if (a.size() != b.size()) return refuse(AnalysisRefusalKind::LengthsDiffer);
    if (a.size() < 2) return refuse(AnalysisRefusalKind::TooFewSamples);
    if (!std::isfinite(rate) || rate <= 0.0) return refuse(AnalysisRefusalKind::BadSamplingStep);
    const auto finite = [](float v) { return std::isfinite(v); };
    if (!std::all_of(a.begin(), a.end(), finite) || !std::all_of(b.begin(), b.end(), finite))
        return refuse(AnalysisRefusalKind::NonFiniteSample);
    if (!std::isfinite(options.damping) || options.damping < 0.0 || options.damping >= 1.0)
        return refuse(AnalysisRefusalKind::BadDamping);
    if (periods.empty() || !std::all_of(periods.begin(), periods.end(), [](double t) { return std::isfinite(t) && t > 0.0; }))
        return refuse(AnalysisRefusalKind::BadPeriod);
    for (const double t : periods)
        if (SubstepsPerSample(t, 1.0 / rate) > kMaxSubsteps) return refuse(AnalysisRefusalKind::PeriodTooShort);
    return std::nullopt;
}

std::vector<double> PeriodsOf(const RotatedSpectrumOptions& options) {
    std::vector<double> periods = options.periods.empty() ? DefaultSpectrumPeriods() : options.periods;
    std::sort(periods.begin(), periods.end());
    periods.erase(std::unique(periods.begin(), periods.end()), periods.end());
    return periods;
}

// The rotated peaks of the relative displacement, times omega^2.
Peaks OscillatorPeaks(const std::vector<double>& a, const std::vector<double>& b, double dt, double period,
                      double damping) {
    const double omega = 2.0 * std::numbers::pi / period;
    const int substeps = SubstepsPerSample(period, dt);
    std::vector<PlanePoint> points;
    points.reserve((a.size() - 1) * static_cast<std::size_t>(substeps) + 1);
    StepOscillatorPair(a, b, dt, omega, damping, substeps, PairState{},
                       [&](std::size_t, int, const PairState& p) { points.push_back({p.xa, p.xb}); });
    Peaks peaks = RotatedPeaks(points);
    for (double& peak : peaks) peak = omega * omega * peak;
    return peaks;
}

Peaks GroundPeaks(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<PlanePoint> points(a.size());
    for (std::size_t i = 0; i < a.size(); ++i) points[i] = {a[i], b[i]};
    return RotatedPeaks(points);
}

double MedianOfSorted(const double* sorted, std::size_t n) { return (sorted[n / 2 - 1] + sorted[n / 2]) / 2.0; }

RotatedSpectrumRow RowOf(double period, const Peaks& peaks) {
    RotatedSpectrumRow row;
    row.period = period;
    row.psaA = peaks[0];
    row.psaB = peaks[90];
    row.angle100 = static_cast<int>(std::max_element(peaks.begin(), peaks.end()) - peaks.begin());
    Peaks sorted = peaks;
    std::sort(sorted.begin(), sorted.end());
    row.rotd00 = sorted.front();
    row.rotd50 = MedianOfSorted(sorted.data(), sorted.size());
    row.rotd100 = sorted.back();
    return row;
}

double GeometricMean(const Peaks& peaks, int theta) {
    return std::sqrt(peaks[static_cast<std::size_t>(theta)] * peaks[static_cast<std::size_t>(theta + 90)]);
}

// The angle of 0° … 89° whose geometric means, each divided by the median over the
// angles at its period, have the smallest mean square distance from 1.
int GmrotiAngle(const std::vector<Peaks>& periodPeaks) {
    std::array<double, 90> penalty{};
    for (const Peaks& peaks : periodPeaks) {
        std::array<double, 90> means{};
        for (int t = 0; t < 90; ++t) means[static_cast<std::size_t>(t)] = GeometricMean(peaks, t);
        std::array<double, 90> sorted = means;
        std::sort(sorted.begin(), sorted.end());
        const double median = MedianOfSorted(sorted.data(), sorted.size());
        if (!(median > 0.0)) continue;
        for (int t = 0; t < 90; ++t) {
            const double d = means[static_cast<std::size_t>(t)] / median - 1.0;
            penalty[static_cast<std::size_t>(t)] += d * d;
        }
    }
    return static_cast<int>(std::min_element(penalty.begin(), penalty.end()) - penalty.begin());
}

void RunPeriods(const std::vector<double>& a, const std::vector<double>& b, double dt, double damping,
                const std::vector<double>& periods, int threads, std::vector<Peaks>& out) {
    const auto run = [&](std::size_t first, std::size_t step) {
        for (std::size_t p = first; p < periods.size(); p += step) out[p] = OscillatorPeaks(a, b, dt, periods[p], damping);
    };
    std::vector<std::thread> helpers;
    const std::size_t count = static_cast<std::size_t>(std::clamp(threads, 1, 64));
    std::size_t started = 1;
    for (std::size_t t = 1; t < count; ++t) {
        try {
            helpers.emplace_back(run, t, count);
            ++started;
        } catch (const std::system_error&) {
            break;
        }
    }
    run(0, count);
    // The shares of threads that could not start are done here.
    for (std::size_t t = started; t < count; ++t) run(t, count);
    for (std::thread& helper : helpers) helper.join();
}

}  // namespace

RotatedSpectrumResult ComputeRotatedSpectrum(std::span<const float> a, std::span<const float> b, double rate,
                                             const RotatedSpectrumOptions& options) {
    RotatedSpectrumResult result;
    const std::vector<double> periods = PeriodsOf(options);
    result.refusal = CheckInput(a, b, rate, options, periods);
    if (result.refusal) return result;
    const std::vector<double> ga(a.begin(), a.end()), gb(b.begin(), b.end());
    const double dt = 1.0 / rate;

    std::vector<Peaks> periodPeaks(periods.size());
    RunPeriods(ga, gb, dt, options.damping, periods, options.threads, periodPeaks);
    result.gmrotiAngle = GmrotiAngle(periodPeaks);

    const Peaks ground = GroundPeaks(ga, gb);
    result.rows.push_back(RowOf(0.0, ground));
    result.rows.back().gmroti50 = GeometricMean(ground, result.gmrotiAngle);
    for (std::size_t p = 0; p < periods.size(); ++p) {
        result.rows.push_back(RowOf(periods[p], periodPeaks[p]));
        result.rows.back().gmroti50 = GeometricMean(periodPeaks[p], result.gmrotiAngle);
    }
    return result;
}

}  // namespace tremvix
