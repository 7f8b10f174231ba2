#include "core/analysis/GroundMotionIndices.h"

#include "core/data/ChannelRecord.h"
#include "core/dsp/ChannelConversion.h"
#include "core/dsp/FilterSettings.h"
#include "core/dsp/Integrate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

using namespace tremvix;

namespace {

constexpr double kPi = std::numbers::pi;

ChannelRecord Record(const std::vector<float>& samples) {
    ChannelRecord r;
    r.Filled = 1;
    r.SampleCount = static_cast<std::int32_t>(samples.size());
    r.Samples = samples;
    return r;
}

// A sin(2 pi f (t - t0)) for t0 <= t < t0 + D (whole periods), zero elsewhere.
struct Burst {
    double amplitude = 200.0, frequency = 1.0, start = 3.0, duration = 4.0, dt = 0.01;
    std::size_t samples = 1000;
    std::vector<float> Samples() const {
        std::vector<float> a(samples, 0.0f);
        for (std::size_t i = 0; i < samples; ++i) {
            const double t = i * dt - start;
            if (t >= -1e-9 && t < duration - 1e-9) a[i] = static_cast<float>(amplitude * std::sin(2 * kPi * frequency * t));
        }
        return a;
    }
    // Time into the burst at which the closed-form integral of a^2,
    // A^2/2 (tau - sin(4 pi f tau) / (4 pi f)), reaches the fraction p of its whole.
    double TimeAt(double p) const {
        double lo = 0.0, hi = duration;
        for (int i = 0; i < 100; ++i) {
            const double mid = 0.5 * (lo + hi);
            const double reached = mid - std::sin(4 * kPi * frequency * mid) / (4 * kPi * frequency);
            (reached < p * duration ? lo : hi) = mid;
        }
        return lo;
    }
};

IntegrationSetup IntegrationFor(const FilterSettings& f, IntegrationFilter filter) {
    return {f.SamplingInterval, filter, f.BandPass.data(), f.LowPass.data()};
}

}  // namespace

// Arias = pi/(2g) A^2 D / 2, CAV = A D 2/pi, D5-95 from the closed-form build-up.
TEST(GroundMotionIndices, SineBurstMatchesClosedForms) {
    const Burst b;
    const std::vector<float> a = b.Samples();
    const double arias = kPi / (2 * 980.665) * b.amplitude * b.amplitude * b.duration / 2;
    EXPECT_NEAR(AriasIntensity(a, b.dt), arias, 1e-6 * arias);
    const double cav = b.amplitude * b.duration * 2 / kPi;
    EXPECT_NEAR(CumulativeAbsoluteVelocity(a, b.dt), cav, 1e-3 * cav);  // rectangle rule on |sin|
    const std::optional<double> d = SignificantDuration(a, b.dt);
    ASSERT_TRUE(d);
    EXPECT_NEAR(*d, b.TimeAt(0.95) - b.TimeAt(0.05), 1.5 * b.dt);

    FilterSettings f;
    f.StartUp();
    const GroundMotionIndices g = ComputeGroundMotionIndices(Record(a), b.dt, IntegrationFor(f, IntegrationFilter::None));
    ASSERT_FALSE(g.refusal);
    EXPECT_EQ(g.arias, AriasIntensity(a, b.dt));
    EXPECT_EQ(g.cav, CumulativeAbsoluteVelocity(a, b.dt));
    EXPECT_EQ(g.d5_95, d);
    EXPECT_NEAR(g.pga, b.amplitude, 1e-4);
    // The first crest, a quarter period into the burst.
    EXPECT_NEAR(g.pgaTime, b.start + 0.25, 1e-9);
}

TEST(GroundMotionIndices, PeakIsTheFirstLargestMagnitude) {
    const std::vector<float> a{1.0f, -7.5f, 3.0f, 7.5f, -7.5f, 0.0f};
    const SamplePeak p = PeakOf(a);
    EXPECT_EQ(p.magnitude, 7.5);
    EXPECT_EQ(p.index, 1u);
    FilterSettings f;
    f.StartUp();
    const GroundMotionIndices g = ComputeGroundMotionIndices(Record(a), 0.02, IntegrationFor(f, IntegrationFilter::None));
    EXPECT_EQ(g.pga, 7.5);
    EXPECT_DOUBLE_EQ(g.pgaTime, 0.02);
}

// PGV and PGD are the peaks of what the velocity and "cm" commands make.
TEST(GroundMotionIndices, VelocityAndDisplacementPeaksComeFromTheProgramsIntegration) {
    const Burst b{150.0, 2.5, 1.0, 6.0, 0.01, 1500};
    const ChannelRecord a = Record(b.Samples());
    FilterSettings f;
    f.StartUp();
    for (const IntegrationFilter filter : {IntegrationFilter::None, IntegrationFilter::BandPass, IntegrationFilter::LowPass}) {
        const IntegrationSetup setup = IntegrationFor(f, filter);
        ChannelRecord v, d;
        ASSERT_TRUE(Integrate(a, setup.dt, filter, setup.bandPass, setup.lowPass, v));
        ASSERT_TRUE(Integrate(v, setup.dt, filter, setup.bandPass, setup.lowPass, d));
        double pgv = 0.0, pgd = 0.0;
        for (int i = 0; i < v.SampleCount; ++i) pgv = std::max(pgv, std::abs(static_cast<double>(v.Samples[i])));
        for (int i = 0; i < d.SampleCount; ++i) pgd = std::max(pgd, std::abs(static_cast<double>(d.Samples[i])));
        const GroundMotionIndices g = ComputeGroundMotionIndices(a, 0.01, setup);
        ASSERT_FALSE(g.refusal);
        EXPECT_EQ(g.pgv, pgv) << static_cast<int>(filter);
        EXPECT_EQ(g.pgd, pgd) << static_cast<int>(filter);
        EXPECT_GT(g.pgd, 0.0);
    }
    // Unfiltered, the velocity of A sin(w t) over whole periods swings 2 A / w.
    const GroundMotionIndices plain = ComputeGroundMotionIndices(a, 0.01, IntegrationFor(f, IntegrationFilter::None));
    EXPECT_NEAR(plain.pgv, 2 * 150.0 / (2 * kPi * 2.5), 0.02 * plain.pgv);
}

TEST(GroundMotionIndices, SilenceHasNoSignificantDuration) {
    FilterSettings f;
    f.StartUp();
    const GroundMotionIndices g = ComputeGroundMotionIndices(Record(std::vector<float>(300, 0.0f)), 0.01,
                                                             IntegrationFor(f, IntegrationFilter::BandPass));
    ASSERT_FALSE(g.refusal);
    EXPECT_FALSE(g.d5_95);
    EXPECT_EQ(g.arias, 0.0);
    EXPECT_EQ(g.pga, 0.0);
}

TEST(GroundMotionIndices, BadRecordsAreRefused) {
    FilterSettings f;
    f.StartUp();
    const IntegrationSetup setup = IntegrationFor(f, IntegrationFilter::None);
    auto kind = [](const GroundMotionIndices& g) { return g.refusal ? g.refusal->kind : AnalysisRefusalKind{-1}; };
    EXPECT_EQ(kind(ComputeGroundMotionIndices(Record({1.0f}), 0.01, setup)), AnalysisRefusalKind::TooFewSamples);
    ChannelRecord claims = Record({1.0f, 2.0f, 3.0f});
    claims.SampleCount = 50;  // more than it holds: only the three are read
    EXPECT_FALSE(ComputeGroundMotionIndices(claims, 0.01, setup).refusal);
    EXPECT_EQ(kind(ComputeGroundMotionIndices(Record({1.0f, 2.0f}), 0.0, setup)), AnalysisRefusalKind::BadSamplingStep);
    IntegrationSetup zero = setup;
    zero.dt = 0.0f;
    EXPECT_EQ(kind(ComputeGroundMotionIndices(Record({1.0f, 2.0f}), 0.01, zero)), AnalysisRefusalKind::BadSamplingStep);
    EXPECT_EQ(kind(ComputeGroundMotionIndices(Record({1.0f, NAN, 2.0f}), 0.01, setup)), AnalysisRefusalKind::NonFiniteSample);
}
