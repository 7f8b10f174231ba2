#include "core/analysis/SpectralRatio.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

using namespace tremvix;

namespace {

std::vector<float> Noise(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::normal_distribution<float> dist(0.0f, 30.0f);
    std::vector<float> x(n);
    for (float& v : x) v = dist(gen);
    return x;
}

AnalysisRefusalKind Kind(const SpectralRatio& r) { return r.refusal ? r.refusal->kind : AnalysisRefusalKind{-1}; }

}  // namespace

TEST(SpectralRatio, AChannelOverItselfIsOne) {
    const std::vector<float> a = Noise(4000, 1);
    SpectralRatioOptions o;
    o.bandLow = 1.0;
    o.bandHigh = 20.0;
    const SpectralRatio r = ComputeSpectralRatio(a, a, 0.01, o);
    ASSERT_FALSE(r.refusal);
    ASSERT_EQ(r.ratios.size(), 2001u);
    for (const double v : r.ratios) ASSERT_DOUBLE_EQ(v, 1.0);
    EXPECT_DOUBLE_EQ(r.peakRatio, 1.0);
    EXPECT_DOUBLE_EQ(r.peakFrequency, 1.0) << "the lowest frequency wins a tie";
}

// b(t) = a(t) + a(t - 0.1 s): |1 + e^(-2 pi i f 0.1)| = 2 |cos(0.1 pi f)|, largest
// at 10 Hz, zero at 5 and 15 Hz.
TEST(SpectralRatio, FindsTheLargestRatioInsideTheBand) {
    const std::vector<float> a = Noise(20000, 2);
    std::vector<float> b(a.size());
    for (std::size_t i = 0; i < a.size(); ++i) b[i] = a[i] + (i >= 10 ? a[i - 10] : 0.0f);
    SpectralRatioOptions o;
    o.bandwidth = 0.3;
    o.bandLow = 6.0;
    o.bandHigh = 14.0;
    const SpectralRatio r = ComputeSpectralRatio(a, b, 0.01, o);
    ASSERT_FALSE(r.refusal);
    EXPECT_NEAR(r.peakFrequency, 10.0, 0.3);
    EXPECT_NEAR(r.peakRatio, 2.0, 0.05);
    const std::size_t at5 = 5 * 200;  // 0.005 Hz steps
    EXPECT_LT(r.ratios[at5], 0.2);
    for (std::size_t k = 0; k < r.frequencies.size(); ++k) {
        if (r.frequencies[k] >= 6.0 && r.frequencies[k] <= 14.0) {
            ASSERT_LE(r.ratios[k], r.peakRatio);
        }
    }
}

// The band's ends are inside it: a band ending on the largest ratio finds it there,
// and a band of one frequency finds that one.
TEST(SpectralRatio, BandEndsAreIncluded) {
    const std::vector<float> a = Noise(4000, 6);
    std::vector<float> b(a.size());
    for (std::size_t i = 0; i < a.size(); ++i) b[i] = a[i] + (i >= 10 ? a[i - 10] : 0.0f);
    SpectralRatioOptions o;
    o.bandLow = 6.0;
    o.bandHigh = 14.0;
    const SpectralRatio whole = ComputeSpectralRatio(a, b, 0.01, o);
    ASSERT_FALSE(whole.refusal);
    std::size_t top = 0;
    double largest = -1.0;
    for (std::size_t k = 0; k < whole.frequencies.size(); ++k)
        if (whole.frequencies[k] >= 6.0 && whole.frequencies[k] <= 14.0 && whole.ratios[k] > largest)
            top = k, largest = whole.ratios[k];
    ASSERT_GT(whole.frequencies[top], 6.0);
    o.bandHigh = whole.frequencies[top];
    const SpectralRatio upTo = ComputeSpectralRatio(a, b, 0.01, o);
    ASSERT_FALSE(upTo.refusal);
    EXPECT_EQ(upTo.peakFrequency, whole.frequencies[top]);
    EXPECT_EQ(upTo.peakRatio, whole.ratios[top]);
    o.bandLow = o.bandHigh = whole.frequencies[top + 3];
    const SpectralRatio single = ComputeSpectralRatio(a, b, 0.01, o);
    ASSERT_FALSE(single.refusal);
    EXPECT_EQ(single.peakFrequency, whole.frequencies[top + 3]);
    EXPECT_EQ(single.peakRatio, whole.ratios[top + 3]);
}

TEST(SpectralRatio, ZeroDenominatorGivesZero) {
    const std::vector<float> silent(500, 0.0f);
    const SpectralRatio r = ComputeSpectralRatio(silent, Noise(500, 3), 0.01);
    ASSERT_FALSE(r.refusal);
    for (const double v : r.ratios) ASSERT_EQ(v, 0.0);
}

TEST(SpectralRatio, BadChoicesAreRefused) {
    const std::vector<float> a = Noise(500, 4);
    EXPECT_EQ(Kind(ComputeSpectralRatio(a, Noise(499, 5), 0.01)), AnalysisRefusalKind::LengthsDiffer);
    SpectralRatioOptions o;
    o.bandLow = 5.0;
    o.bandHigh = 2.0;
    EXPECT_EQ(Kind(ComputeSpectralRatio(a, a, 0.01, o)), AnalysisRefusalKind::BadBand);
    o.bandLow = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(Kind(ComputeSpectralRatio(a, a, 0.01, o)), AnalysisRefusalKind::BadBand);
    o.bandLow = 60.0;  // past the Nyquist frequency
    o.bandHigh = 70.0;
    const SpectralRatio empty = ComputeSpectralRatio(a, a, 0.01, o);
    EXPECT_EQ(Kind(empty), AnalysisRefusalKind::BadBand);
    EXPECT_TRUE(empty.ratios.empty());
    SpectralRatioOptions narrow;
    narrow.bandwidth = 0.0;
    EXPECT_EQ(Kind(ComputeSpectralRatio(a, a, 0.01, narrow)), AnalysisRefusalKind::BadBandwidth);
    EXPECT_EQ(Kind(ComputeSpectralRatio(a, a, -1.0)), AnalysisRefusalKind::BadSamplingStep);
}
