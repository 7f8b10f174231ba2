#include "core/analysis/LongPeriodGroundMotion.h"

#include "core/analysis/LongPeriodHighPass.h"
#include "core/analysis/OscillatorPair.h"

#include <algorithm>
#include <cmath>
#include <numbers>
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
    const std::vector<double>& AtSamples() const { return atSample_; }
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

// Four periods as one value; the compiler splits it where registers are narrower,
// with the same results.
typedef double Vec4 __attribute__((vector_size(4 * sizeof(double))));
constexpr int kVectors = kLongPeriodCount / 4;

struct PeriodLanes {
    Vec4 a11[kVectors], a12[kVectors], a21[kVectors], a22[kVectors];
    Vec4 b11[kVectors], b12[kVectors], b21[kVectors], b22[kVectors];
};

// Every period steps once a sample (no period is shorter than ten sample steps):
// all 32 oscillators under both components go together, and the largest squared
// vector is kept, its root taken once at the end.
__attribute__((target_clones("avx", "default")))
void StepAllPeriods(const double* ns, const double* ew, const double* gns, const double* gew, std::size_t n, double dt,
                    const PeriodLanes& c, Vec4* largest) {
    Vec4 xa[kVectors], va[kVectors], xb[kVectors], vb[kVectors];
    for (int k = 0; k < kVectors; ++k) {
        xa[k] = Vec4{} + 0.0;
        xb[k] = Vec4{} + 0.0;
        va[k] = Vec4{} - ns[0] * dt;
        vb[k] = Vec4{} - ew[0] * dt;
        largest[k] = va[k] * va[k] + vb[k] * vb[k];
    }
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const double ga = ns[i], gae = ns[i + 1], gb = ew[i], gbe = ew[i + 1];
        const double vgns = gns[i + 1], vgew = gew[i + 1];
        for (int k = 0; k < kVectors; ++k) {
            const Vec4 nxa = c.a11[k] * xa[k] + c.a12[k] * va[k] + (c.b11[k] * ga + c.b12[k] * gae);
            const Vec4 nva = c.a21[k] * xa[k] + c.a22[k] * va[k] + (c.b21[k] * ga + c.b22[k] * gae);
            const Vec4 nxb = c.a11[k] * xb[k] + c.a12[k] * vb[k] + (c.b11[k] * gb + c.b12[k] * gbe);
            const Vec4 nvb = c.a21[k] * xb[k] + c.a22[k] * vb[k] + (c.b21[k] * gb + c.b22[k] * gbe);
            xa[k] = nxa;
            va[k] = nva;
            xb[k] = nxb;
            vb[k] = nvb;
            const Vec4 ans = nva + vgns, aew = nvb + vgew;
            const Vec4 squared = ans * ans + aew * aew;
            largest[k] = largest[k] > squared ? largest[k] : squared;
        }
    }
}

bool OneStepASample(double dt) {
    for (int k = 0; k < kLongPeriodCount; ++k)
        if (SubstepsPerSample(LongPeriod(k), dt) != 1) return false;
    return true;
}

void AllPeriodsTogether(const std::vector<double>& ns, const std::vector<double>& ew, const std::vector<double>& gns,
                        const std::vector<double>& gew, double dt, std::array<LongPeriodRow, kLongPeriodCount>& rows) {
    PeriodLanes c{};
    for (int p = 0; p < kLongPeriodCount; ++p) {
        const SdofStep s = MakeSdofStep(2.0 * std::numbers::pi / LongPeriod(p), kLongPeriodDamping, dt);
        const int k = p / 4, l = p % 4;
        c.a11[k][l] = s.a11;
        c.a12[k][l] = s.a12;
        c.a21[k][l] = s.a21;
        c.a22[k][l] = s.a22;
        c.b11[k][l] = s.b11;
        c.b12[k][l] = s.b12;
        c.b21[k][l] = s.b21;
        c.b22[k][l] = s.b22;
    }
    Vec4 largest[kVectors];
    StepAllPeriods(ns.data(), ew.data(), gns.data(), gew.data(), ns.size(), dt, c, largest);
    for (int p = 0; p < kLongPeriodCount; ++p) rows[static_cast<std::size_t>(p)].sva = std::sqrt(largest[p / 4][p % 4]);
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

    if (OneStepASample(dt)) {
        AllPeriodsTogether(fns, few, gns.AtSamples(), gew.AtSamples(), dt, result.rows);
    } else {
        for (int k = 0; k < kLongPeriodCount; ++k)
            result.rows[static_cast<std::size_t>(k)].sva = LargestHorizontalVelocity(fns, few, gns, gew, dt, LongPeriod(k));
    }

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
