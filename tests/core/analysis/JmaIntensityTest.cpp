#include "core/analysis/JmaIntensity.h"

#include "core/analysis/FourierTransformer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <random>
#include <string>
#include <vector>

using namespace tremvix;

namespace {

constexpr double kPi = std::numbers::pi;

double Gain(double f) {
    const double y = f / 10.0;
    const double high = std::pow(1 + 0.694 * std::pow(y, 2) + 0.241 * std::pow(y, 4) + 0.0557 * std::pow(y, 6) +
                                     0.009664 * std::pow(y, 8) + 0.00134 * std::pow(y, 10) + 0.000155 * std::pow(y, 12),
                                 -0.5);
    const double low = std::sqrt(1 - std::exp(-std::pow(f / 0.5, 3)));
    return std::sqrt(1 / f) * high * low;
}

AnalysisRefusalKind Kind(const JmaIntensity& r) { return r.refusal ? r.refusal->kind : AnalysisRefusalKind{-1}; }

}  // namespace

TEST(JmaIntensity, FilterGainsFollowTheirFormulas) {
    EXPECT_EQ(JmaFilterGain(0.0), 0.0);
    for (const double f : {0.05, 0.3, 0.5, 1.0, 2.0, 5.0, 10.0, 25.0, 50.0}) {
        EXPECT_NEAR(JmaFilterGain(f), Gain(f), 1e-14 * Gain(f)) << f;
    }
    // At 10 Hz, y = 1: the high-cut polynomial sums to 2.001859 and the low cut is 1.
    EXPECT_NEAR(JmaFilterGain(10.0), std::sqrt(0.1) / std::sqrt(2.001859), 1e-15);
}

// Densely over the band where the low cut reaches 1 and beyond: within a few units in
// the last place of the formula everywhere.
TEST(JmaIntensity, FilterGainFollowsItsFormulaWhereTheLowCutSaturates) {
    for (double f = 1.0; f < 3.0; f += 0.001) {
        EXPECT_NEAR(JmaFilterGain(f), Gain(f), 1e-14 * Gain(f)) << f;
    }
    for (const double f : {60.0, 100.0, 500.0, 1e4}) EXPECT_NEAR(JmaFilterGain(f), Gain(f), 1e-14 * Gain(f)) << f;
}

TEST(JmaIntensity, A0IsTheSampleCountThLargestOfTheVectorSum) {
    EXPECT_EQ(JmaA0SampleCount(100.0), 30u);
    EXPECT_EQ(JmaA0SampleCount(200.0), 60u);
    EXPECT_EQ(JmaA0SampleCount(50.0), 15u);
    EXPECT_EQ(JmaA0SampleCount(1000.0 / 3.0), 100u);
    EXPECT_EQ(JmaA0SampleCount(1.0 / 0.01), 30u);
    EXPECT_EQ(JmaA0SampleCount(1.0 / 0.005), 60u);
    EXPECT_EQ(JmaA0SampleCount(101.0), 31u);  // 30.3 samples make the 0.3 s
    std::vector<double> sum(100);
    for (std::size_t i = 0; i < sum.size(); ++i) sum[i] = static_cast<double>(i + 1);
    std::shuffle(sum.begin(), sum.end(), std::mt19937(4));
    EXPECT_EQ(JmaA0(sum, 100.0), 71.0);  // 30 values are at least 71
    EXPECT_EQ(JmaA0(sum, 50.0), 86.0);
    EXPECT_EQ(JmaA0(std::vector<double>(29, 5.0), 100.0), 0.0);
    // Ties, and the largest values at either end.
    std::vector<double> ties(200, 1.0);
    for (std::size_t i = 0; i < 40; ++i) ties[i % 2 == 0 ? i : 199 - i] = 3.0;
    EXPECT_EQ(JmaA0(ties, 100.0), 3.0);
    EXPECT_EQ(JmaA0(ties, 200.0), 1.0);
    std::vector<double> rising(1000);
    for (std::size_t i = 0; i < rising.size(); ++i) rising[i] = static_cast<double>(i);
    EXPECT_EQ(JmaA0(rising, 100.0), 970.0);
    std::reverse(rising.begin(), rising.end());
    EXPECT_EQ(JmaA0(rising, 100.0), 970.0);
}

// A transformer kept across records of other lengths gives what a fresh one gives.
TEST(JmaIntensity, KeptTransformerGivesTheSameA0) {
    auto noise = [](std::size_t n, unsigned seed) {
        std::mt19937 gen(seed);
        std::normal_distribution<float> dist(0.0f, 40.0f);
        std::vector<float> x(n);
        for (float& v : x) v = dist(gen);
        return x;
    };
    const std::vector<float> ns = noise(3000, 1), ew = noise(3000, 2), ud = noise(3000, 3);
    const JmaIntensity fresh = ComputeJmaIntensity(ns, ew, ud, 100.0);
    ASSERT_FALSE(fresh.refusal);
    FourierTransformer kept;
    const std::vector<float> other = noise(2999, 4);
    ASSERT_FALSE(ComputeJmaIntensity(other, other, other, 100.0, kept).refusal);
    EXPECT_EQ(ComputeJmaIntensity(ns, ew, ud, 100.0, kept).a0, fresh.a0);
    EXPECT_EQ(ComputeJmaIntensity(ns, ew, ud, 100.0, kept).a0, fresh.a0);
}

TEST(JmaIntensity, PublishedValueRoundsThenCutsInDecimal) {
    EXPECT_EQ(PublishedIntensityTenths(5.195), 52);
    EXPECT_EQ(PublishedIntensityTenths(5.194), 51);
    EXPECT_EQ(PublishedIntensityTenths(std::nextafter(5.195, 0.0)), 52) << "a binary 5.19499999... is still 5.195";
    EXPECT_EQ(PublishedIntensityTenths(2 * std::log10(std::pow(10.0, (5.195 - 0.94) / 2)) + 0.94), 52);
    EXPECT_EQ(PublishedIntensityTenths(5.1949), 51);
    EXPECT_EQ(PublishedIntensityTenths(4.4999), 45);
    EXPECT_EQ(PublishedIntensityTenths(6.0), 60);
    EXPECT_EQ(PublishedIntensityTenths(0.0), 0);
    // Negative values: the same rule on the magnitude, the sign kept.
    EXPECT_EQ(PublishedIntensityTenths(-0.345), -3);
    EXPECT_EQ(PublishedIntensityTenths(-1.25), -12);
    EXPECT_EQ(PublishedIntensityTenths(-0.04), 0);
}

TEST(JmaIntensity, ClassesFollowThePublishedValue) {
    const std::vector<std::pair<int, const char*>> cases{
        {-12, "震度0"}, {4, "震度0"},    {5, "震度1"},    {14, "震度1"},   {15, "震度2"},   {24, "震度2"},
        {25, "震度3"},  {34, "震度3"},   {35, "震度4"},   {44, "震度4"},   {45, "震度5弱"}, {49, "震度5弱"},
        {50, "震度5強"}, {54, "震度5強"}, {55, "震度6弱"}, {59, "震度6弱"}, {60, "震度6強"}, {64, "震度6強"},
        {65, "震度7"},  {72, "震度7"}};
    for (const auto& [tenths, text] : cases) EXPECT_EQ(IntensityClassText(tenths), text) << tenths;
}

// Sines on a bin pass the filter as sines scaled by the gain: NS = A sin, EW = B cos
// at 2 Hz give the vector sum G sqrt(A^2 sin^2 + B^2 cos^2), whose 30th largest
// sample is a0.
TEST(JmaIntensity, SinesOnABinGiveTheFilteredOrderStatistic) {
    const std::size_t n = 2000;
    const double rate = 100.0, f = 2.0, a = 150.0, b = 90.0;
    std::vector<float> ns(n), ew(n), ud(n, 0.0f);
    std::vector<double> sum(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = i / rate;
        ns[i] = static_cast<float>(a * std::sin(2 * kPi * f * t));
        ew[i] = static_cast<float>(b * std::cos(2 * kPi * f * t));
        sum[i] = Gain(f) * std::hypot(static_cast<double>(ns[i]), static_cast<double>(ew[i]));
    }
    std::sort(sum.begin(), sum.end(), std::greater<>());
    const double a0 = sum[29];
    const JmaIntensity r = ComputeJmaIntensity(ns, ew, ud, rate);
    ASSERT_FALSE(r.refusal);
    // Float samples are sines only to about 1e-7; the rest passes the filter differently.
    EXPECT_NEAR(r.a0, a0, 1e-6 * a0);
    const double intensity = 2 * std::log10(a0) + 0.94;
    EXPECT_NEAR(r.intensity, intensity, 1e-6);
    EXPECT_EQ(r.reportedTenths, PublishedIntensityTenths(intensity));
    EXPECT_EQ(r.reported, std::to_string(r.reportedTenths / 10) + "." + std::to_string(r.reportedTenths % 10));
    EXPECT_EQ(r.intensityClass, IntensityClassText(r.reportedTenths));
    // The components' order does not matter.
    EXPECT_DOUBLE_EQ(ComputeJmaIntensity(ud, ns, ew, rate).a0, r.a0);
}

// A weak tremor has a negative intensity; its published text keeps the minus sign.
TEST(JmaIntensity, WeakMotionPublishesANegativeValue) {
    const std::size_t n = 2000;
    const double rate = 100.0, f = 2.0;
    std::vector<float> ns(n), ew(n), ud(n, 0.0f);
    std::vector<double> sum(n);
    for (std::size_t i = 0; i < n; ++i) {
        ns[i] = static_cast<float>(0.12 * std::sin(2 * kPi * f * i / rate));
        ew[i] = static_cast<float>(0.05 * std::cos(2 * kPi * f * i / rate));
        sum[i] = Gain(f) * std::hypot(static_cast<double>(ns[i]), static_cast<double>(ew[i]));
    }
    std::sort(sum.begin(), sum.end(), std::greater<>());
    const double intensity = 2 * std::log10(sum[29]) + 0.94;
    // Rounded at the second decimal, then cut to the first, on the magnitude.
    const long tenths = static_cast<long>(std::floor(std::floor(-intensity * 100 + 0.5) / 10));
    ASSERT_GE(tenths, 1);
    const std::string expected = "-" + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
    const JmaIntensity r = ComputeJmaIntensity(ns, ew, ud, rate);
    ASSERT_FALSE(r.refusal);
    EXPECT_NEAR(r.intensity, intensity, 1e-5);
    EXPECT_EQ(r.reportedTenths, -tenths);
    EXPECT_EQ(r.reported, expected);
    EXPECT_EQ(r.intensityClass, "震度0");
}

TEST(JmaIntensity, BadRecordsAreRefused) {
    const std::vector<float> x(100, 10.0f), shorter(99, 10.0f);
    EXPECT_EQ(Kind(ComputeJmaIntensity(x, x, shorter, 100.0)), AnalysisRefusalKind::LengthsDiffer);
    const std::vector<float> two(2, 1.0f);
    EXPECT_EQ(Kind(ComputeJmaIntensity(two, two, two, 100.0)), AnalysisRefusalKind::TooFewSamples);
    EXPECT_EQ(Kind(ComputeJmaIntensity(x, x, x, 0.0)), AnalysisRefusalKind::BadSamplingStep);
    EXPECT_EQ(Kind(ComputeJmaIntensity(x, x, x, -100.0)), AnalysisRefusalKind::BadSamplingStep);
    EXPECT_EQ(Kind(ComputeJmaIntensity(x, x, x, NAN)), AnalysisRefusalKind::BadSamplingStep);
    const std::vector<float> brief(29, 10.0f);
    EXPECT_EQ(Kind(ComputeJmaIntensity(brief, brief, brief, 100.0)), AnalysisRefusalKind::RecordTooShort);
    const std::vector<float> silent(500, 0.0f);
    const JmaIntensity none = ComputeJmaIntensity(silent, silent, silent, 100.0);
    EXPECT_EQ(Kind(none), AnalysisRefusalKind::NoMotion);
    EXPECT_TRUE(none.reported.empty());
    std::vector<float> bad = x;
    bad[7] = NAN;
    EXPECT_EQ(Kind(ComputeJmaIntensity(x, bad, x, 100.0)), AnalysisRefusalKind::NonFiniteSample);
}
