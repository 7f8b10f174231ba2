#include "core/analysis/ResponseSpectrum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

using namespace tremvix;

namespace {

constexpr double kPi = std::numbers::pi;

struct Peaks {
    double sd = 0.0, sv = 0.0, sa = 0.0;
};

// Classical RK4 on x'' = -2 zeta w x' - w^2 x - ag(t), ag linear between samples,
// with `fine` steps per sample step. Peaks are gathered three ways: at every fine
// point (the continuous peak), at every fine point that falls on one of the
// `points` equal divisions of a sample step, and at the samples only.
struct ReferencePeaks {
    Peaks continuous, atPoints, atSamples;
};

void Keep(Peaks& p, double x, double v, double a) {
    p.sd = std::max(p.sd, std::abs(x));
    p.sv = std::max(p.sv, std::abs(v));
    p.sa = std::max(p.sa, std::abs(a));
}

ReferencePeaks Rk4(const std::vector<float>& ag, double dt, double period, double zeta, int points, int fine) {
    const double w = 2.0 * kPi / period;
    const double h = dt / fine;
    auto accel = [&](double x, double v, double g) { return -2.0 * zeta * w * v - w * w * x - g; };
    ReferencePeaks r;
    double x = 0.0, v = 0.0;
    for (std::size_t i = 0; i + 1 < ag.size(); ++i) {
        const double g0 = ag[i], g1 = ag[i + 1];
        for (int k = 0; k < fine; ++k) {
            const double ga = g0 + (g1 - g0) * k / fine;
            const double gm = g0 + (g1 - g0) * (k + 0.5) / fine;
            const double gb = g0 + (g1 - g0) * (k + 1.0) / fine;
            const double k1x = v, k1v = accel(x, v, ga);
            const double k2x = v + 0.5 * h * k1v, k2v = accel(x + 0.5 * h * k1x, v + 0.5 * h * k1v, gm);
            const double k3x = v + 0.5 * h * k2v, k3v = accel(x + 0.5 * h * k2x, v + 0.5 * h * k2v, gm);
            const double k4x = v + h * k3v, k4v = accel(x + h * k3x, v + h * k3v, gb);
            x += h / 6.0 * (k1x + 2.0 * k2x + 2.0 * k3x + k4x);
            v += h / 6.0 * (k1v + 2.0 * k2v + 2.0 * k3v + k4v);
            const double absolute = 2.0 * zeta * w * v + w * w * x;
            Keep(r.continuous, x, v, absolute);
            if ((k + 1) % (fine / points) == 0) Keep(r.atPoints, x, v, absolute);
            if (k + 1 == fine) Keep(r.atSamples, x, v, absolute);
        }
    }
    return r;
}

// A decaying mix of sines with some noise, like a short strong-motion record.
std::vector<float> Quake(std::size_t n, double dt, unsigned seed = 3) {
    std::mt19937 gen(seed);
    std::normal_distribution<double> noise(0.0, 15.0);
    std::vector<float> a(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = i * dt;
        const double envelope = t * std::exp(1.0 - t / 2.0) / 2.0;
        a[i] = static_cast<float>(envelope * (180.0 * std::sin(2 * kPi * 1.3 * t) + 90.0 * std::sin(2 * kPi * 4.1 * t + 1.0) +
                                              60.0 * std::sin(2 * kPi * 11.0 * t + 2.0) + noise(gen)));
    }
    return a;
}

ResponseSpectrumOptions Only(std::vector<double> periods, std::vector<double> dampings = {0.05}) {
    ResponseSpectrumOptions o;
    o.defaultPeriods = false;
    o.extraPeriods = std::move(periods);
    o.dampings = std::move(dampings);
    return o;
}

void ExpectClose(const SpectrumValues& got, const Peaks& want, double rel) {
    EXPECT_NEAR(got.sd, want.sd, rel * want.sd) << "T = " << got.period;
    EXPECT_NEAR(got.sv, want.sv, rel * want.sv) << "T = " << got.period;
    EXPECT_NEAR(got.sa, want.sa, rel * want.sa) << "T = " << got.period;
}

}  // namespace

// The recursion is exact for ground motion linear between samples, so a fine RK4
// solution of the same motion, read at the same points, agrees to its own error.
TEST(ResponseSpectrum, AgreesWithAFineTimeSteppingSolution) {
    const double dt = 0.01;
    const std::vector<float> ag = Quake(1500, dt);
    const std::vector<double> periods{0.05, 0.13, 0.5, 1.7, 6.0};
    const std::vector<double> dampings{0.0, 0.05, 0.2};
    const ResponseSpectrumResult r = ComputeResponseSpectrum(ag, dt, Only(periods, dampings));
    ASSERT_FALSE(r.refusal);
    ASSERT_EQ(r.spectra.size(), 3u);
    for (std::size_t d = 0; d < dampings.size(); ++d) {
        EXPECT_EQ(r.spectra[d].damping, dampings[d]);
        for (std::size_t p = 0; p < periods.size(); ++p) {
            const int points = periods[p] < 0.1 ? 2 : 1;  // ceil(10 dt / T)
            const ReferencePeaks ref = Rk4(ag, dt, periods[p], dampings[d], points, 400);
            const SpectrumValues& got = r.spectra[d].values[p];
            ExpectClose(got, ref.atPoints, 1e-7);
            const double w = 2 * kPi / periods[p];
            EXPECT_DOUBLE_EQ(got.psv, w * got.sd);
            EXPECT_DOUBLE_EQ(got.psa, w * w * got.sd);
        }
    }
}

// At T = 0.02 s and dt = 0.01 s the samples are half a period apart: peaks read
// there miss badly, peaks on tenth-period sub-steps come close to the continuous
// ones, and equal the reference read at the same sub-steps.
TEST(ResponseSpectrum, ShortPeriodsArePeakedOnSubsteps) {
    const double dt = 0.01;
    const std::vector<float> ag = Quake(1200, dt, 11);
    const ResponseSpectrumResult r = ComputeResponseSpectrum(ag, dt, Only({0.02}));
    ASSERT_FALSE(r.refusal);
    const SpectrumValues& got = r.spectra[0].values[0];
    const ReferencePeaks ref = Rk4(ag, dt, 0.02, 0.05, 5, 1000);
    ExpectClose(got, ref.atPoints, 1e-7);
    EXPECT_GT(std::abs(got.sd - ref.atSamples.sd), 0.01 * got.sd) << "samples alone would be close enough";
    EXPECT_LE(got.sd, ref.continuous.sd * (1 + 1e-9));
    EXPECT_GT(got.sd, ref.continuous.sd * 0.95);  // 1 - cos(pi/10) at worst
    EXPECT_GT(got.sa, ref.continuous.sa * 0.95);
}

// 10 dt / T = 3.33 and 1.43: 4 and 2 sub-steps, the next whole number up, so that
// none is longer than a tenth of the period; 3 and 1 would peak elsewhere.
TEST(ResponseSpectrum, SubstepsRoundUpWhenTheRatioIsNotWhole) {
    const double dt = 0.01;
    const std::vector<float> ag = Quake(800, dt, 5);
    const ResponseSpectrumResult r = ComputeResponseSpectrum(ag, dt, Only({0.03, 0.07}));
    ASSERT_FALSE(r.refusal);
    const struct {
        double period;
        int up, down;
    } cases[] = {{0.03, 4, 3}, {0.07, 2, 1}};
    for (std::size_t p = 0; p < 2; ++p) {
        const ReferencePeaks up = Rk4(ag, dt, cases[p].period, 0.05, cases[p].up, 1200);
        const ReferencePeaks down = Rk4(ag, dt, cases[p].period, 0.05, cases[p].down, 1200);
        ExpectClose(r.spectra[0].values[p], up.atPoints, 1e-7);
        EXPECT_GT(std::abs(up.atPoints.sd - down.atPoints.sd) + std::abs(up.atPoints.sa - down.atPoints.sa),
                  1e-5 * up.atPoints.sd)
            << "T = " << cases[p].period;
    }
}

// A constant ground acceleration applied at rest: the undamped oscillator swings
// to twice the static displacement, 2 A / w^2, at half a period.
TEST(ResponseSpectrum, SuddenConstantLoadDoublesTheStaticDisplacement) {
    const std::vector<float> ag(400, 100.0f);
    const ResponseSpectrumResult r = ComputeResponseSpectrum(ag, 0.01, Only({1.0}, {0.0}));
    ASSERT_FALSE(r.refusal);
    const double w = 2 * kPi;
    const SpectrumValues& s = r.spectra[0].values[0];
    EXPECT_NEAR(s.sd, 2 * 100.0 / (w * w), 1e-9);
    EXPECT_NEAR(s.sv, 100.0 / w, 1e-9);
    EXPECT_NEAR(s.sa, 200.0, 1e-7);
}

// A harmonic motion ramped in slowly leaves no transient: the peaks are the
// steady-state amplitudes |X| = A / sqrt((w^2 - W^2)^2 + (2 z w W)^2), W |X| and
// the absolute acceleration A sqrt(w^4 + (2 z w W)^2) / (same root).
// Tolerance 0.5 %: what is left of the transient and the peak read between steps.
TEST(ResponseSpectrum, HarmonicMotionReachesTheSteadyStateAmplitude) {
    const double dt = 0.01, amplitude = 50.0, big = 2 * kPi * 1.37;
    std::vector<float> ag(12000);
    for (std::size_t i = 0; i < ag.size(); ++i) {
        const double t = i * dt;
        const double ramp = t < 40.0 ? 0.5 * (1 - std::cos(kPi * t / 40.0)) : 1.0;
        ag[i] = static_cast<float>(amplitude * ramp * std::sin(big * t));
    }
    const std::vector<double> periods{0.3, 0.8, 2.5};
    const ResponseSpectrumResult r = ComputeResponseSpectrum(ag, dt, Only(periods, {0.02, 0.1}));
    ASSERT_FALSE(r.refusal);
    for (const DampingSpectrum& spectrum : r.spectra) {
        const double z = spectrum.damping;
        for (const SpectrumValues& s : spectrum.values) {
            const double w = 2 * kPi / s.period;
            const double root = std::sqrt(std::pow(w * w - big * big, 2) + std::pow(2 * z * w * big, 2));
            const double x = amplitude / root;
            EXPECT_NEAR(s.sd, x, 0.005 * x) << s.period << " " << z;
            EXPECT_NEAR(s.sv, big * x, 0.005 * big * x) << s.period << " " << z;
            const double sa = amplitude * std::sqrt(std::pow(w, 4) + std::pow(2 * z * w * big, 2)) / root;
            EXPECT_NEAR(s.sa, sa, 0.005 * sa) << s.period << " " << z;
        }
    }
}

TEST(ResponseSpectrum, ResultsDoNotDependOnGroupingOrThreads) {
    const double dt = 0.01;
    const std::vector<float> ag = Quake(3000, dt);
    ResponseSpectrumOptions all;
    all.dampings = {0.02, 0.05};
    all.extraPeriods = {0.0137, 0.5, 3.7};
    all.threads = 2;
    ResponseSpectrumOptions one = all;
    one.threads = 1;
    const ResponseSpectrumResult a = ComputeResponseSpectrum(ag, dt, all);
    const ResponseSpectrumResult b = ComputeResponseSpectrum(ag, dt, one);
    ASSERT_FALSE(a.refusal);
    ASSERT_EQ(a.periods, b.periods);
    for (std::size_t d = 0; d < 2; ++d) {
        for (std::size_t p = 0; p < a.periods.size(); ++p) {
            ASSERT_EQ(a.spectra[d].values[p].sd, b.spectra[d].values[p].sd);
            ASSERT_EQ(a.spectra[d].values[p].sa, b.spectra[d].values[p].sa);
        }
    }
    // Each of the extra periods alone, in a block of its own.
    for (const double t : all.extraPeriods) {
        const ResponseSpectrumResult alone = ComputeResponseSpectrum(ag, dt, Only({t}, {0.05}));
        const auto at = std::find(a.periods.begin(), a.periods.end(), t) - a.periods.begin();
        const SpectrumValues& x = alone.spectra[0].values[0];
        const SpectrumValues& y = a.spectra[1].values[static_cast<std::size_t>(at)];
        EXPECT_EQ(x.sd, y.sd);
        EXPECT_EQ(x.sv, y.sv);
        EXPECT_EQ(x.sa, y.sa);
    }
}

TEST(ResponseSpectrum, PeriodsAreTheDefaultsPlusExtrasSortedOnce) {
    const std::vector<double> defaults = DefaultSpectrumPeriods();
    ASSERT_EQ(defaults.size(), 200u);
    EXPECT_EQ(defaults.front(), 0.02);
    EXPECT_EQ(defaults.back(), 10.0);
    for (std::size_t i = 1; i < defaults.size(); ++i) {
        EXPECT_NEAR(defaults[i] / defaults[i - 1], std::pow(500.0, 1.0 / 199), 1e-12);
    }
    ResponseSpectrumOptions o;
    o.extraPeriods = {12.0, 0.3, 0.02, 0.3};
    const ResponseSpectrumResult r = ComputeResponseSpectrum(std::vector<float>(50, 1.0f), 0.01, o);
    ASSERT_FALSE(r.refusal);
    ASSERT_EQ(r.periods.size(), 202u);
    EXPECT_TRUE(std::is_sorted(r.periods.begin(), r.periods.end()));
    EXPECT_EQ(r.periods.back(), 12.0);
    EXPECT_EQ(std::count(r.periods.begin(), r.periods.end(), 0.3), 1);
    EXPECT_EQ(r.spectra[0].damping, 0.05);
}

TEST(ResponseSpectrum, BadInputIsRefused) {
    const std::vector<float> ag(100, 1.0f);
    auto kind = [](const ResponseSpectrumResult& r) { return r.refusal ? r.refusal->kind : AnalysisRefusalKind{-1}; };
    EXPECT_EQ(kind(ComputeResponseSpectrum(std::vector<float>(1, 1.0f), 0.01)), AnalysisRefusalKind::TooFewSamples);
    EXPECT_EQ(kind(ComputeResponseSpectrum(ag, 0.0)), AnalysisRefusalKind::BadSamplingStep);
    EXPECT_EQ(kind(ComputeResponseSpectrum(ag, -0.01)), AnalysisRefusalKind::BadSamplingStep);
    EXPECT_EQ(kind(ComputeResponseSpectrum(ag, NAN)), AnalysisRefusalKind::BadSamplingStep);
    std::vector<float> bad = ag;
    bad[40] = INFINITY;
    EXPECT_EQ(kind(ComputeResponseSpectrum(bad, 0.01)), AnalysisRefusalKind::NonFiniteSample);
    bad[40] = NAN;
    EXPECT_EQ(kind(ComputeResponseSpectrum(bad, 0.01)), AnalysisRefusalKind::NonFiniteSample);
    for (const double z : {-0.01, 1.0, 1.5, static_cast<double>(NAN)}) {
        EXPECT_EQ(kind(ComputeResponseSpectrum(ag, 0.01, Only({1.0}, {z}))), AnalysisRefusalKind::BadDamping) << z;
    }
    EXPECT_EQ(kind(ComputeResponseSpectrum(ag, 0.01, Only({1.0}, {}))), AnalysisRefusalKind::BadDamping);
    for (const double t : {0.0, -1.0, static_cast<double>(INFINITY), static_cast<double>(NAN)}) {
        EXPECT_EQ(kind(ComputeResponseSpectrum(ag, 0.01, Only({1.0, t}))), AnalysisRefusalKind::BadPeriod) << t;
    }
    EXPECT_EQ(kind(ComputeResponseSpectrum(ag, 0.01, Only({}))), AnalysisRefusalKind::BadPeriod);
    EXPECT_EQ(kind(ComputeResponseSpectrum(ag, 0.01, Only({1e-6}))), AnalysisRefusalKind::PeriodTooShort);
    EXPECT_FALSE(ComputeResponseSpectrum(ag, 0.01, Only({1e-5})).refusal) << "dt / 1000 is still allowed";
}
