// Orientation-independent spectra, checked against the response spectrum of the
// record rotated before the oscillator (the oscillator is linear, so rotating its
// input or its output must agree) and against the statistics written out here.
#include "core/analysis/ResponseSpectrum.h"
#include "core/analysis/RotatedSpectrum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

using namespace tremvix;

namespace {

constexpr double kPi = std::numbers::pi;

struct Pair {
    std::vector<float> a, b;
};

// Two partly correlated horizontals, 20 s at 100 Hz.
Pair Horizontals(std::size_t n = 2000, unsigned seed = 5) {
    std::mt19937 gen(seed);
    std::normal_distribution<double> noise(0.0, 10.0);
    Pair p{std::vector<float>(n), std::vector<float>(n)};
    for (std::size_t i = 0; i < n; ++i) {
        const double t = i / 100.0;
        const double envelope = t * std::exp(1.0 - t / 3.0) / 3.0;
        const double common = 120.0 * std::sin(2 * kPi * 1.1 * t);
        p.a[i] = static_cast<float>(envelope * (common + 60.0 * std::sin(2 * kPi * 3.7 * t) + noise(gen)));
        p.b[i] = static_cast<float>(envelope * (0.6 * common + 80.0 * std::sin(2 * kPi * 0.6 * t + 1.0) + noise(gen)));
    }
    return p;
}

// psa of the record rotated by each whole degree, through the plain response spectrum.
std::vector<std::array<double, 180>> PsaOfRotatedRecords(const Pair& p, const std::vector<double>& periods) {
    std::vector<std::array<double, 180>> psa(periods.size());
    ResponseSpectrumOptions options;
    options.defaultPeriods = false;
    options.extraPeriods = periods;
    for (int theta = 0; theta < 180; ++theta) {
        const double c = std::cos(theta * kPi / 180.0), s = std::sin(theta * kPi / 180.0);
        std::vector<float> rotated(p.a.size());
        for (std::size_t i = 0; i < rotated.size(); ++i) rotated[i] = static_cast<float>(c * p.a[i] + s * p.b[i]);
        const ResponseSpectrumResult r = ComputeResponseSpectrum(rotated, 0.01, options);
        for (std::size_t k = 0; k < periods.size(); ++k) psa[k][static_cast<std::size_t>(theta)] = r.spectra[0].values[k].psa;
    }
    return psa;
}

TEST(RotatedSpectrum, PercentilesOfTheRotatedRecordsResponses) {
    const Pair p = Horizontals();
    const std::vector<double> periods = {0.1, 0.5, 1.0, 3.0};
    RotatedSpectrumOptions options;
    options.periods = periods;
    const RotatedSpectrumResult r = ComputeRotatedSpectrum(p.a, p.b, 100.0, options);
    ASSERT_FALSE(r.refusal);
    ASSERT_EQ(r.rows.size(), periods.size() + 1);
    const auto psa = PsaOfRotatedRecords(p, periods);
    // Rotating the single-precision input rounds it; the output rotation does not.
    constexpr double kTolerance = 2e-6;
    std::array<double, 90> penalty{};
    for (std::size_t k = 0; k < periods.size(); ++k) {
        const RotatedSpectrumRow& row = r.rows[k + 1];
        std::array<double, 180> sorted = psa[k];
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(row.period, periods[k]);
        EXPECT_NEAR(row.rotd00, sorted[0], kTolerance * sorted[179]);
        EXPECT_NEAR(row.rotd50, (sorted[89] + sorted[90]) / 2, kTolerance * sorted[179]);
        EXPECT_NEAR(row.rotd100, sorted[179], kTolerance * sorted[179]);
        EXPECT_NEAR(row.psaA, psa[k][0], kTolerance * sorted[179]);
        EXPECT_NEAR(row.psaB, psa[k][90], kTolerance * sorted[179]);
        EXPECT_LE(row.rotd00, row.rotd50);
        EXPECT_LE(row.rotd50, row.rotd100);
        const int angle = static_cast<int>(std::max_element(psa[k].begin(), psa[k].end()) - psa[k].begin());
        EXPECT_NEAR(psa[k][static_cast<std::size_t>(row.angle100)], sorted[179], kTolerance * sorted[179]) << angle;
        // GMRotI50 from its definition: geometric means at θ and θ + 90°, normalised by
        // their median, the angle of least mean square distance from 1 over the periods.
        std::array<double, 90> gm{};
        for (int t = 0; t < 90; ++t) gm[static_cast<std::size_t>(t)] = std::sqrt(psa[k][t] * psa[k][t + 90]);
        std::array<double, 90> gs = gm;
        std::sort(gs.begin(), gs.end());
        const double median = (gs[44] + gs[45]) / 2;
        for (int t = 0; t < 90; ++t) penalty[static_cast<std::size_t>(t)] += std::pow(gm[t] / median - 1.0, 2);
    }
    const int best = static_cast<int>(std::min_element(penalty.begin(), penalty.end()) - penalty.begin());
    EXPECT_NEAR(r.gmrotiAngle, best, 1) << "the penalty is flat near its least value";
    for (std::size_t k = 0; k < periods.size(); ++k) {
        const double expected = std::sqrt(psa[k][static_cast<std::size_t>(r.gmrotiAngle)] * psa[k][static_cast<std::size_t>(r.gmrotiAngle + 90)]);
        EXPECT_NEAR(r.rows[k + 1].gmroti50, expected, kTolerance * expected);
    }
}

TEST(RotatedSpectrum, TheGroundRowRotatesTheAccelerationItself) {
    const Pair p = Horizontals();
    RotatedSpectrumOptions options;
    options.periods = {1.0};
    const RotatedSpectrumRow row = ComputeRotatedSpectrum(p.a, p.b, 100.0, options).rows.front();
    std::array<double, 180> peaks{};
    for (int theta = 0; theta < 180; ++theta)
        for (std::size_t i = 0; i < p.a.size(); ++i)
            peaks[theta] = std::max(peaks[theta], std::abs(std::cos(theta * kPi / 180) * p.a[i] + std::sin(theta * kPi / 180) * p.b[i]));
    std::array<double, 180> sorted = peaks;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(row.period, 0.0);
    EXPECT_EQ(row.psaA, *std::max_element(p.a.begin(), p.a.end(), [](float x, float y) { return std::abs(x) < std::abs(y); }) < 0
                            ? -*std::min_element(p.a.begin(), p.a.end())
                            : *std::max_element(p.a.begin(), p.a.end()));
    EXPECT_NEAR(row.rotd00, sorted[0], 1e-12 * sorted[179]);
    EXPECT_NEAR(row.rotd50, (sorted[89] + sorted[90]) / 2, 1e-12 * sorted[179]);
    EXPECT_NEAR(row.rotd100, sorted[179], 1e-12 * sorted[179]);
}

TEST(RotatedSpectrum, OneComponentAloneAndTheComponentsSwapped) {
    const Pair p = Horizontals();
    const std::vector<float> zero(p.a.size(), 0.0f);
    RotatedSpectrumOptions options;
    options.periods = {0.2, 2.0};
    options.damping = 0.02;
    const RotatedSpectrumResult alone = ComputeRotatedSpectrum(p.a, zero, 100.0, options);
    ResponseSpectrumOptions plain;
    plain.defaultPeriods = false;
    plain.extraPeriods = options.periods;
    plain.dampings = {0.02};
    const ResponseSpectrumResult spectrum = ComputeResponseSpectrum(p.a, 0.01, plain);
    for (std::size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(alone.rows[k + 1].rotd100, spectrum.spectra[0].values[k].psa) << "the unrotated component is the largest";
        EXPECT_EQ(alone.rows[k + 1].angle100, 0);
        EXPECT_EQ(alone.rows[k + 1].psaB, 0.0);
    }
    const RotatedSpectrumResult ab = ComputeRotatedSpectrum(p.a, p.b, 100.0, options);
    const RotatedSpectrumResult ba = ComputeRotatedSpectrum(p.b, p.a, 100.0, options);
    for (std::size_t k = 0; k < ab.rows.size(); ++k) {
        const double scale = ab.rows[k].rotd100;
        EXPECT_NEAR(ba.rows[k].rotd00, ab.rows[k].rotd00, 1e-12 * scale);
        EXPECT_NEAR(ba.rows[k].rotd50, ab.rows[k].rotd50, 1e-12 * scale);
        EXPECT_NEAR(ba.rows[k].rotd100, ab.rows[k].rotd100, 1e-12 * scale);
        EXPECT_EQ(ba.rows[k].psaA, ab.rows[k].psaB);
    }
}

TEST(RotatedSpectrum, RefusesAsTheResponseSpectrumDoes) {
    const Pair p = Horizontals(500);
    const std::vector<float> shorter(499, 1.0f);
    RotatedSpectrumOptions bad;
    bad.damping = 1.0;
    EXPECT_EQ(ComputeRotatedSpectrum(p.a, shorter, 100.0).refusal->kind, AnalysisRefusalKind::LengthsDiffer);
    EXPECT_EQ(ComputeRotatedSpectrum(p.a, p.b, 100.0, bad).refusal->kind, AnalysisRefusalKind::BadDamping);
    bad.damping = 0.05;
    bad.periods = {1.0, -1.0};
    EXPECT_EQ(ComputeRotatedSpectrum(p.a, p.b, 100.0, bad).refusal->kind, AnalysisRefusalKind::BadPeriod);
    bad.periods = {1e-7};
    EXPECT_EQ(ComputeRotatedSpectrum(p.a, p.b, 100.0, bad).refusal->kind, AnalysisRefusalKind::PeriodTooShort);
    EXPECT_EQ(ComputeRotatedSpectrum(p.a, p.b, std::nan("")).refusal->kind, AnalysisRefusalKind::BadSamplingStep);
}

}  // namespace
