#include "core/analysis/LongPeriodGroundMotion.h"

#include "core/analysis/LongPeriodHighPass.h"
#include "core/analysis/OscillatorPair.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <thread>
#include <vector>

namespace tremvix {

namespace {

std::optional<AnalysisRefusal> CheckInput(std::span<const float> ns, std::span<const float> ew, double rate) {
    auto refuse = [](AnalysisRefusalKind kind) { return std::optional<AnalysisRefusal>(AnalysisRefusal{kind}); };
    if (ns.size() != ew.size()) return refuse(AnalysisRefusalKind::LengthsDiffer);
    if (ns.size() < 2) return refuse(AnalysisRefusalKind::TooFewSamples);
    if (!std::isfinite(rate) || rate <= 0.0) return refuse(AnalysisRefusalKind::BadSamplingStep);
    const auto finite = [](float a) { return std::isfinite(a); };
    if (!std::all_of(ns.begin(), ns.end(), finite) || !std::all_of(ew.begin(), ew.end(), finite))
        return refuse(AnalysisRefusalKind::NonFiniteSample);
    if (!DesignLongPeriodHighPass(rate)) return refuse(AnalysisRefusalKind::HighPassNotDesignable);
    return std::nullopt;
}

// The ground velocity at the end of sub-step j of the step from sample i: the exact
// integral of the acceleration taken linear over the step, which at the samples is
// the trapezoid rule.
class GroundVelocity {
public:
    GroundVelocity(const std::vector<double>& a, double dt) : a_(a), dt_(dt), atSample_(a.size()) {
        for (std::size_t i = 1; i < a.size(); ++i) atSample_[i] = atSample_[i - 1] + (a[i - 1] + a[i]) * dt / 2.0;
    }
    double At(std::size_t i, int j, int substeps) const {
        if (j == 0) return atSample_[i];
        if (j == substeps) return atSample_[i + 1];
        const double tau = dt_ * j / substeps;
        return atSample_[i] + a_[i] * tau + (a_[i + 1] - a_[i]) * tau * tau / (2.0 * dt_);
    }

private:
    const std::vector<double>& a_;
    double dt_;
    std::vector<double> atSample_;
};

double LargestHorizontalVelocity(const std::vector<double>& ns, const std::vector<double>& ew, const GroundVelocity& gns,
                                 const GroundVelocity& gew, double dt, double period) {
    const int substeps = SubstepsPerSample(period, dt);
    const PairState start{0.0, -ns[0] * dt, 0.0, -ew[0] * dt};
    double largest = 0.0;
    StepOscillatorPair(ns, ew, dt, 2.0 * std::numbers::pi / period, kLongPeriodDamping, substeps, start,
                       [&](std::size_t i, int j, const PairState& p) {
                           const double vns = p.va + gns.At(i, j, substeps);
                           const double vew = p.vb + gew.At(i, j, substeps);
                           largest = std::max(largest, std::sqrt(vns * vns + vew * vew));
                       });
    return largest;
}

}  // namespace

double LongPeriod(int k) { return (16.0 + 2.0 * k) / 10.0; }

int LongPeriodLevel(double sva) {
    if (sva >= 100.0) return 4;
    if (sva >= 50.0) return 3;
    if (sva >= 15.0) return 2;
    if (sva >= 5.0) return 1;
    return 0;
}

LongPeriodResult ComputeLongPeriodClass(std::span<const float> ns, std::span<const float> ew, double rate) {
    LongPeriodResult result;
    result.refusal = CheckInput(ns, ew, rate);
    if (result.refusal) return result;
    const double dt = 1.0 / rate;
    const HighPassBiquad filter = *DesignLongPeriodHighPass(rate);
    const std::vector<double> fns = ApplyHighPass(ns, filter);
    const std::vector<double> few = ApplyHighPass(ew, filter);
    const GroundVelocity gns(fns, dt), gew(few, dt);

    // The periods are independent: half of them on a second thread.
    const auto run = [&](int first, int step) {
        for (int k = first; k < kLongPeriodCount; k += step)
            result.rows[static_cast<std::size_t>(k)].sva = LargestHorizontalVelocity(fns, few, gns, gew, dt, LongPeriod(k));
    };
    std::thread second;
    try {
        second = std::thread(run, 1, 2);
        run(0, 2);
    } catch (const std::system_error&) {
        run(0, 1);
    }
    if (second.joinable()) second.join();

    for (int k = 0; k < kLongPeriodCount; ++k) {
        LongPeriodRow& row = result.rows[static_cast<std::size_t>(k)];
        row.period = LongPeriod(k);
        row.level = LongPeriodLevel(row.sva);
        result.level = std::max(result.level, row.level);
        // 1.6 and 1.8 s make 1秒台; after them five periods to a band.
        const int band = static_cast<int>(std::floor(row.period + 1e-9)) - 1;
        int& bandLevel = result.bandLevels[static_cast<std::size_t>(std::clamp(band, 0, kLongPeriodBands - 1))];
        bandLevel = std::max(bandLevel, row.level);
    }
    return result;
}

}  // namespace tremvix
