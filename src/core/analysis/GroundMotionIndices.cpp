#include "core/analysis/GroundMotionIndices.h"

#include "core/data/ChannelRecord.h"
#include "core/dsp/ChannelConversion.h"
#include "core/dsp/Integrate.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <numbers>
#include <vector>

namespace tremvix {

namespace {

std::optional<AnalysisRefusal> CheckInput(std::span<const float> a, double rate, const IntegrationSetup& setup) {
    auto refuse = [](AnalysisRefusalKind kind) { return std::optional<AnalysisRefusal>(AnalysisRefusal{kind}); };
    if (a.size() < 2) {
        return refuse(AnalysisRefusalKind::TooFewSamples);
    }
    const bool goodRate = std::isfinite(rate) && rate > 0.0 && std::isfinite(1.0 / rate);
    if (!goodRate || !std::isfinite(setup.dt) || setup.dt <= 0.0f) {
        return refuse(AnalysisRefusalKind::BadSamplingStep);
    }
    if (!std::all_of(a.begin(), a.end(), [](float v) { return std::isfinite(v); })) {
        return refuse(AnalysisRefusalKind::NonFiniteSample);
    }
    return std::nullopt;
}

std::span<const float> StoredSamples(const ChannelRecord& r) {
    return {r.Samples.data(), static_cast<std::size_t>(r.StoredCount())};
}

// The first k at which the running sum reaches `level`.
std::ptrdiff_t IndexReaching(const std::vector<double>& running, double level) {
    return std::lower_bound(running.begin(), running.end(), level) - running.begin();
}

// The record less the mean of its stored samples, everything else kept.
ChannelRecord WithoutMean(const ChannelRecord& record) {
    ChannelRecord result = record;
    const std::span<const float> a = StoredSamples(record);
    double sum = 0.0;
    for (const float v : a) sum += v;
    const double mean = sum / static_cast<double>(a.size());
    result.Samples.resize(a.size());
    result.SampleCount = static_cast<std::int32_t>(a.size());
    for (std::size_t i = 0; i < a.size(); ++i) result.Samples[i] = static_cast<float>(a[i] - mean);
    return result;
}

// The record less its mean, or why it cannot be integrated.
std::optional<AnalysisRefusal> Centre(const ChannelRecord& acceleration, const IntegrationSetup& setup, double rate,
                                      ChannelRecord& centred) {
    if (auto refusal = CheckInput(StoredSamples(acceleration), rate, setup)) return refusal;
    try {
        centred = WithoutMean(acceleration);
    } catch (const std::bad_alloc&) {
        return AnalysisRefusal{AnalysisRefusalKind::IntegrationFailed};
    }
    return std::nullopt;
}

}  // namespace

PeakMotion ComputePeakMotion(const ChannelRecord& acceleration, const IntegrationSetup& setup, double rate,
                             bool withVelocity) {
    PeakMotion result;
    ChannelRecord centred, velocity;
    result.refusal = Centre(acceleration, setup, rate, centred);
    if (result.refusal) return result;
    result.pga = PeakOf(StoredSamples(centred)).magnitude;
    if (!withVelocity) return result;
    if (!IntegrateWith(centred, setup, velocity)) {
        result.refusal = AnalysisRefusal{AnalysisRefusalKind::IntegrationFailed};
        return result;
    }
    result.pgv = PeakOf(StoredSamples(velocity)).magnitude;
    return result;
}

SamplePeak PeakOf(std::span<const float> x) {
    SamplePeak peak;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double magnitude = std::abs(static_cast<double>(x[i]));
        if (magnitude > peak.magnitude) {
            peak = {magnitude, i};
        }
    }
    return peak;
}

double AriasIntensity(std::span<const float> a, double dt) {
    double sum = 0.0;
    for (const float v : a) sum += static_cast<double>(v) * v;
    return std::numbers::pi / (2.0 * kStandardGravity) * sum * dt;
}

double CumulativeAbsoluteVelocity(std::span<const float> a, double dt) {
    double sum = 0.0;
    for (const float v : a) sum += std::abs(static_cast<double>(v));
    return sum * dt;
}

std::optional<double> SignificantDuration(std::span<const float> a, double rate, double from, double to) {
    // running[k] = sum of a[i]^2 for i < k, k = 0 .. n: never decreasing.
    std::vector<double> running(a.size() + 1, 0.0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        running[i + 1] = running[i] + static_cast<double>(a[i]) * a[i];
    }
    const double total = running.back();
    if (!(total > 0.0)) {
        return std::nullopt;
    }
    // A whole number of samples over the rate, so that it prints as it reads.
    return static_cast<double>(IndexReaching(running, to * total) - IndexReaching(running, from * total)) / rate;
}

GroundMotionIndices ComputeGroundMotionIndices(const ChannelRecord& acceleration, const IntegrationSetup& setup,
                                               double rate) {
    GroundMotionIndices result;
    ChannelRecord centred, velocity, displacement;
    result.refusal = Centre(acceleration, setup, rate, centred);
    if (result.refusal) {
        return result;
    }
    if (!IntegrateWith(centred, setup, velocity) || !IntegrateWith(velocity, setup, displacement)) {
        result.refusal = AnalysisRefusal{AnalysisRefusalKind::IntegrationFailed};
        return result;
    }
    const std::span<const float> a = StoredSamples(centred);
    const double dt = 1.0 / rate;
    const SamplePeak pga = PeakOf(a);
    result.pga = pga.magnitude;
    result.pgaTime = static_cast<double>(pga.index) / rate;
    result.pgv = PeakOf(StoredSamples(velocity)).magnitude;
    result.pgd = PeakOf(StoredSamples(displacement)).magnitude;
    result.arias = AriasIntensity(a, dt);
    result.d5_95 = SignificantDuration(a, rate);
    result.cav = CumulativeAbsoluteVelocity(a, dt);
    return result;
}

}  // namespace tremvix
