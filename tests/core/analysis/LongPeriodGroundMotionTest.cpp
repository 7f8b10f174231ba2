// The JMA long-period ground-motion class, checked against the published filter
// constants and an oscillator integrated here by fine Runge-Kutta steps.
#include "core/analysis/LongPeriodGroundMotion.h"
#include "core/analysis/LongPeriodHighPass.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

using namespace tremvix;

namespace {

constexpr double kPi = std::numbers::pi;
// Published for 100 Hz.
constexpr double kB1 = -1.995438545842, kB2 = 0.995448925627, kG0 = 0.997721867867;

// Two horizontals of a long, slowly decaying motion with an offset: 80 s at 100 Hz.
struct Horizontals {
    std::vector<float> ns, ew;
};
Horizontals Motion(std::size_t n, double rate) {
    Horizontals h{std::vector<float>(n), std::vector<float>(n)};
    for (std::size_t i = 0; i < n; ++i) {
        const double t = i / rate;
        const double envelope = std::exp(-t / 25.0) * std::min(1.0, t / 5.0);
        h.ns[i] = static_cast<float>(3.0 + envelope * (40.0 * std::sin(2 * kPi * t / 3.1) + 25.0 * std::sin(2 * kPi * t / 6.7 + 1.0) +
                                                       30.0 * std::sin(2 * kPi * 1.7 * t)));
        h.ew[i] = static_cast<float>(-2.0 + envelope * (35.0 * std::cos(2 * kPi * t / 3.1 + 0.4) +
                                                        20.0 * std::sin(2 * kPi * t / 2.2) + 10.0 * std::sin(2 * kPi * 3.3 * t)));
    }
    return h;
}

// The definition written out: the published recursion, the trapezoid ground
// velocity, and x'' + 2 h w x' + w^2 x = -a(t) integrated by RK4 with `fine` steps per
// sample (a linear between samples) from x = 0, x' = -a[0] dt; the vector looked at on
// `points` equal divisions of each sample step (the ground velocity there the exact
// integral of the linear acceleration). The published constants hold at 100 Hz only;
// other rates pass their own.
double ReferenceSva(const std::vector<float>& ns, const std::vector<float>& ew, double dt, double period, int fine,
                    int points = 1, double b1 = kB1, double b2 = kB2, double g0 = kG0) {
    auto filter = [&](const std::vector<float>& a) {
        std::vector<double> out(a.size());
        std::vector<double> y(a.size());
        for (std::size_t t = 0; t < a.size(); ++t) {
            const double a1 = t >= 1 ? a[t - 1] : 0.0, a2 = t >= 2 ? a[t - 2] : 0.0;
            const double y1 = t >= 1 ? y[t - 1] : 0.0, y2 = t >= 2 ? y[t - 2] : 0.0;
            y[t] = a[t] - 2.0 * a1 + a2 - b1 * y1 - b2 * y2;
            out[t] = g0 * y[t];
        }
        return out;
    };
    const std::vector<double> a[2] = {filter(ns), filter(ew)};
    const double w = 2.0 * kPi / period, zeta = 0.05, h = dt / fine;
    auto accel = [&](double x, double v, double g) { return -2.0 * zeta * w * v - w * w * x - g; };
    double x[2] = {0.0, 0.0}, v[2] = {-a[0][0] * dt, -a[1][0] * dt}, ground[2] = {0.0, 0.0};
    double largest = std::hypot(v[0], v[1]);
    for (std::size_t i = 0; i + 1 < ns.size(); ++i) {
        double seen[2][64] = {};
        for (int c = 0; c < 2; ++c) {
            const double g0 = a[c][i], g1 = a[c][i + 1];
            for (int k = 0; k < fine; ++k) {
                const double ga = g0 + (g1 - g0) * k / fine, gm = g0 + (g1 - g0) * (k + 0.5) / fine,
                             gb = g0 + (g1 - g0) * (k + 1.0) / fine;
                const double k1x = v[c], k1v = accel(x[c], v[c], ga);
                const double k2x = v[c] + 0.5 * h * k1v, k2v = accel(x[c] + 0.5 * h * k1x, v[c] + 0.5 * h * k1v, gm);
                const double k3x = v[c] + 0.5 * h * k2v, k3v = accel(x[c] + 0.5 * h * k2x, v[c] + 0.5 * h * k2v, gm);
                const double k4x = v[c] + h * k3v, k4v = accel(x[c] + h * k3x, v[c] + h * k3v, gb);
                x[c] += h / 6.0 * (k1x + 2.0 * k2x + 2.0 * k3x + k4x);
                v[c] += h / 6.0 * (k1v + 2.0 * k2v + 2.0 * k3v + k4v);
                if ((k + 1) % (fine / points) == 0) {
                    const double tau = dt * (k + 1) / fine;
                    seen[c][(k + 1) / (fine / points) - 1] = v[c] + ground[c] + g0 * tau + (g1 - g0) * tau * tau / (2.0 * dt);
                }
            }
            ground[c] += (g0 + g1) * dt / 2.0;
        }
        for (int j = 0; j < points; ++j) largest = std::max(largest, std::hypot(seen[0][j], seen[1][j]));
    }
    return largest;
}

TEST(LongPeriodHighPass, ReproducesThePublishedConstantsAndItsGains) {
    const auto f = DesignLongPeriodHighPass(100.0);
    ASSERT_TRUE(f);
    EXPECT_NEAR(f->b1, kB1, 1e-11);
    EXPECT_NEAR(f->b2, kB2, 1e-11);
    EXPECT_NEAR(f->g0, kG0, 1e-11);

    // Gain from the published transfer function: 0 at 0 Hz, 0.98739 at 1/7.8 Hz.
    auto gain = [](double f) {
        const std::complex<double> z1 = std::polar(1.0, -2.0 * kPi * f / 100.0);
        return std::abs(kG0 * (1.0 - 2.0 * z1 + z1 * z1) / (1.0 + kB1 * z1 + kB2 * z1 * z1));
    };
    EXPECT_EQ(gain(0.0), 0.0);
    EXPECT_NEAR(gain(1.0 / 7.8), 0.98739, 1e-4);

    // The filter as applied: a sine of 7.8 s comes out at that gain, a constant dies away.
    std::vector<float> sine(200000), constant(200000, 50.0f);
    for (std::size_t i = 0; i < sine.size(); ++i) sine[i] = static_cast<float>(100.0 * std::sin(2 * kPi * i / 780.0));
    const std::vector<double> out = ApplyHighPass(sine, *f);
    double peak = 0.0;
    for (std::size_t i = out.size() - 1560; i < out.size(); ++i) peak = std::max(peak, std::abs(out[i]));
    EXPECT_NEAR(peak / 100.0, gain(1.0 / 7.8), 2e-5);
    EXPECT_LT(std::abs(ApplyHighPass(constant, *f).back()), 1e-6);
}

TEST(LongPeriodHighPass, OtherRatesUseTheSameCornerAndTooLowARateIsNone) {
    const auto f = DesignLongPeriodHighPass(200.0);
    ASSERT_TRUE(f);
    const double k = std::tan(kPi * 0.0513344838 / 200.0);
    EXPECT_NEAR(f->g0, 1.0 / (1.0 + std::sqrt(2.0) * k + k * k), 1e-15);
    EXPECT_FALSE(DesignLongPeriodHighPass(0.1));  // below twice the corner
    EXPECT_FALSE(DesignLongPeriodHighPass(0.0));
    EXPECT_FALSE(DesignLongPeriodHighPass(std::nan("")));
}

TEST(LongPeriodGroundMotion, ClassBoundariesIncludeTheirLowerEnd) {
    EXPECT_EQ(LongPeriodLevel(0.0), 0);
    EXPECT_EQ(LongPeriodLevel(4.999999), 0);
    EXPECT_EQ(LongPeriodLevel(5.0), 1);
    EXPECT_EQ(LongPeriodLevel(14.67), 1);
    EXPECT_EQ(LongPeriodLevel(15.12), 2);
    EXPECT_EQ(LongPeriodLevel(50.0), 3);
    EXPECT_EQ(LongPeriodLevel(99.99), 3);
    EXPECT_EQ(LongPeriodLevel(100.0), 4);
}

TEST(LongPeriodGroundMotion, SvaFollowsTheDefinitionAtEveryPeriod) {
    const Horizontals h = Motion(8000, 100.0);
    const LongPeriodResult r = ComputeLongPeriodClass(h.ns, h.ew, 100.0);
    ASSERT_FALSE(r.refusal);
    for (int k = 0; k < kLongPeriodCount; ++k) {
        const LongPeriodRow& row = r.rows[static_cast<std::size_t>(k)];
        EXPECT_DOUBLE_EQ(row.period, 1.6 + 0.2 * k);
        EXPECT_EQ(row.level, LongPeriodLevel(row.sva));
        if (k % 5 == 0 || k == kLongPeriodCount - 1) {
            const double reference = ReferenceSva(h.ns, h.ew, 0.01, row.period, 8);
            EXPECT_NEAR(row.sva, reference, 1e-6 * reference) << row.period;
        }
    }
    // Bands: 1.6–1.8 s, then five periods to a second; each the largest class in it.
    for (int band = 0; band < kLongPeriodBands; ++band) {
        int expected = 0;
        for (const LongPeriodRow& row : r.rows)
            if (static_cast<int>(std::floor(row.period + 1e-9)) == band + 1) expected = std::max(expected, row.level);
        EXPECT_EQ(r.bandLevels[static_cast<std::size_t>(band)], expected) << band;
    }
    int largest = 0;
    for (const LongPeriodRow& row : r.rows) largest = std::max(largest, row.level);
    EXPECT_EQ(r.level, largest);
    EXPECT_GT(r.level, 0) << "the motion is strong enough to be classed";
}

// At 5 Hz the shortest periods need two sub-steps a sample, and the vector is looked at
// between the samples too.
TEST(LongPeriodGroundMotion, AtALowRateTheVectorIsSeenBetweenTheSamples) {
    const Horizontals h = Motion(400, 5.0);
    const LongPeriodResult r = ComputeLongPeriodClass(h.ns, h.ew, 5.0);
    ASSERT_FALSE(r.refusal);
    const HighPassBiquad f = *DesignLongPeriodHighPass(5.0);
    for (const int k : {0, 1, 2, 31}) {
        const double period = LongPeriod(k);
        const int points = period < 2.0 ? 2 : 1;
        const double reference = ReferenceSva(h.ns, h.ew, 0.2, period, 64, points, f.b1, f.b2, f.g0);
        EXPECT_NEAR(r.rows[static_cast<std::size_t>(k)].sva, reference, 1e-6 * reference) << period;
    }
}

TEST(LongPeriodGroundMotion, TheHorizontalVectorDoesNotDependOnTheSensorsOrientation) {
    const Horizontals h = Motion(6000, 100.0);
    const LongPeriodResult base = ComputeLongPeriodClass(h.ns, h.ew, 100.0);
    const double c = std::cos(0.7), s = std::sin(0.7);
    std::vector<float> rn(h.ns.size()), re(h.ns.size()), nn(h.ns.size());
    for (std::size_t i = 0; i < h.ns.size(); ++i) {
        // Rotated exactly in single precision is not possible; a quarter turn and a sign are.
        rn[i] = h.ew[i];
        re[i] = -h.ns[i];
        nn[i] = -h.ns[i];
    }
    const LongPeriodResult swapped = ComputeLongPeriodClass(h.ew, h.ns, 100.0);
    const LongPeriodResult quarter = ComputeLongPeriodClass(rn, re, 100.0);
    const LongPeriodResult negated = ComputeLongPeriodClass(nn, h.ew, 100.0);
    // A general rotation, computed in double and rounded: equal within the rounding.
    std::vector<float> gn(h.ns.size()), ge(h.ns.size());
    for (std::size_t i = 0; i < h.ns.size(); ++i) {
        gn[i] = static_cast<float>(c * h.ns[i] - s * h.ew[i]);
        ge[i] = static_cast<float>(s * h.ns[i] + c * h.ew[i]);
    }
    const LongPeriodResult turned = ComputeLongPeriodClass(gn, ge, 100.0);
    for (int k = 0; k < kLongPeriodCount; ++k) {
        const double sva = base.rows[static_cast<std::size_t>(k)].sva;
        EXPECT_NEAR(swapped.rows[static_cast<std::size_t>(k)].sva, sva, 1e-9 * sva);
        EXPECT_NEAR(quarter.rows[static_cast<std::size_t>(k)].sva, sva, 1e-9 * sva);
        EXPECT_NEAR(negated.rows[static_cast<std::size_t>(k)].sva, sva, 1e-9 * sva);
        EXPECT_NEAR(turned.rows[static_cast<std::size_t>(k)].sva, sva, 1e-6 * sva);
    }
}

TEST(LongPeriodGroundMotion, RefusesWhatItCannotClass) {
    const std::vector<float> a(1000, 1.0f), shorter(999, 1.0f), one(1, 1.0f);
    std::vector<float> bad = a;
    bad[10] = std::nanf("");
    EXPECT_EQ(ComputeLongPeriodClass(a, shorter, 100.0).refusal->kind, AnalysisRefusalKind::LengthsDiffer);
    EXPECT_EQ(ComputeLongPeriodClass(one, one, 100.0).refusal->kind, AnalysisRefusalKind::TooFewSamples);
    EXPECT_EQ(ComputeLongPeriodClass(a, bad, 100.0).refusal->kind, AnalysisRefusalKind::NonFiniteSample);
    EXPECT_EQ(ComputeLongPeriodClass(a, a, 0.0).refusal->kind, AnalysisRefusalKind::BadSamplingStep);
    EXPECT_EQ(ComputeLongPeriodClass(a, a, 0.05).refusal->kind, AnalysisRefusalKind::HighPassNotDesignable);
    EXPECT_FALSE(ComputeLongPeriodClass(a, a, 100.0).refusal);
}

}  // namespace
