#include "core/analysis/ParzenSmoothing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

using namespace tremvix;

namespace {

// The window straight from its definition, weights normalised over the points
// that exist around each point.
std::vector<double> Reference(const std::vector<double>& a, double df, double b) {
    const double u = 280.0 / (151.0 * b);
    auto window = [&](double f) {
        if (std::abs(f) >= 2.0 / u) return 0.0;
        if (f == 0.0) return 0.75 * u;
        const double x = std::numbers::pi * u * f / 2.0;
        return 0.75 * u * std::pow(std::sin(x) / x, 4);
    };
    const long n = static_cast<long>(a.size());
    const long reach = static_cast<long>(2.0 / u / df) + 1;
    std::vector<double> out(a.size());
    for (long k = 0; k < n; ++k) {
        double sum = 0.0, weights = 0.0;
        for (long j = std::max(0L, k - reach); j <= std::min(n - 1, k + reach); ++j) {
            const double w = window((j - k) * df);
            sum += w * a[static_cast<std::size_t>(j)];
            weights += w;
        }
        out[static_cast<std::size_t>(k)] = sum / weights;
    }
    return out;
}

std::vector<double> RandomSpectrum(std::size_t n) {
    std::mt19937 gen(9);
    std::lognormal_distribution<double> dist(0.0, 1.0);
    std::vector<double> a(n);
    for (double& v : a) v = dist(gen);
    return a;
}

}  // namespace

// Small windows are applied directly, wide ones by FFT: both must keep a flat
// spectrum flat, the ends included.
TEST(ParzenSmoothing, FlatSpectrumStaysFlatEverywhere) {
    struct Case {
        std::size_t points;
        double df, bandwidth;
    };
    for (const Case c : {Case{200, 0.01, 0.4}, Case{500001, 1e-4, 0.4}, Case{50, 0.1, 100.0}, Case{300, 0.05, 0.01}}) {
        const std::vector<double> flat(c.points, 2.5);
        const SmoothedSpectrum s = SmoothParzen(flat, c.df, c.bandwidth);
        ASSERT_FALSE(s.refusal);
        ASSERT_EQ(s.amplitudes.size(), c.points);
        for (std::size_t k = 0; k < c.points; ++k) {
            ASSERT_NEAR(s.amplitudes[k], 2.5, 1e-12) << c.points << " at " << k;
        }
    }
}

TEST(ParzenSmoothing, MatchesTheWindowDefinition) {
    // 0.4 Hz over 0.01 Hz steps: 43 points each side, applied directly.
    const std::vector<double> small = RandomSpectrum(400);
    const SmoothedSpectrum d = SmoothParzen(small, 0.01, 0.4);
    const std::vector<double> want = Reference(small, 0.01, 0.4);
    for (std::size_t k = 0; k < small.size(); ++k) EXPECT_NEAR(d.amplitudes[k], want[k], 1e-12 * want[k]) << k;

    // 215 points each side over 20,000 points: by FFT.
    const std::vector<double> large = RandomSpectrum(20000);
    const SmoothedSpectrum f = SmoothParzen(large, 0.002, 0.4);
    const std::vector<double> ref = Reference(large, 0.002, 0.4);
    const double top = *std::max_element(ref.begin(), ref.end());
    for (std::size_t k = 0; k < large.size(); ++k) ASSERT_NEAR(f.amplitudes[k], ref[k], 1e-12 * top) << k;
}

// One line alone spreads into the window's shape and reaches exactly to its first zeros.
TEST(ParzenSmoothing, ALineSpreadsOverTheWindowWidth) {
    const double df = 0.01, b = 0.4, u = 280.0 / (151.0 * b);
    std::vector<double> a(1001, 0.0);
    a[500] = 1.0;
    const SmoothedSpectrum s = SmoothParzen(a, df, b);
    const long reach = static_cast<long>(2.0 / u / df);  // 43
    for (long j = -60; j <= 60; ++j) {
        const double v = s.amplitudes[static_cast<std::size_t>(500 + j)];
        if (std::abs(j) > reach) EXPECT_EQ(v, 0.0) << j;
        else EXPECT_GT(v, 0.0) << j;
    }
    EXPECT_NEAR(s.amplitudes[510] / s.amplitudes[500], std::pow(std::sin(std::numbers::pi * u * 0.05) / (std::numbers::pi * u * 0.05), 4), 1e-12);
}

TEST(ParzenSmoothing, BadInputIsRefused) {
    auto kind = [](const SmoothedSpectrum& s) { return s.refusal ? s.refusal->kind : AnalysisRefusalKind{-1}; };
    const std::vector<double> a(10, 1.0);
    EXPECT_EQ(kind(SmoothParzen(std::vector<double>{}, 0.1, 0.4)), AnalysisRefusalKind::TooFewSamples);
    EXPECT_EQ(kind(SmoothParzen(a, 0.0, 0.4)), AnalysisRefusalKind::BadSamplingStep);
    EXPECT_EQ(kind(SmoothParzen(a, 0.1, 0.0)), AnalysisRefusalKind::BadBandwidth);
    EXPECT_EQ(kind(SmoothParzen(a, 0.1, -1.0)), AnalysisRefusalKind::BadBandwidth);
    EXPECT_EQ(kind(SmoothParzen(a, 0.1, NAN)), AnalysisRefusalKind::BadBandwidth);
    std::vector<double> bad = a;
    bad[2] = INFINITY;
    EXPECT_EQ(kind(SmoothParzen(bad, 0.1, 0.4)), AnalysisRefusalKind::NonFiniteSample);
}
