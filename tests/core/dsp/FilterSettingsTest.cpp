#include "core/dsp/FilterSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace tremvix;

namespace {

FilterSettings StartedUp() {
    FilterSettings s;
    s.StartUp();
    return s;
}

// Gain of a zero-phase set at x times the Nyquist frequency.
double Gain(const FilterSettings::CoefficientSet& h, double x) {
    double g = h[0];
    for (int j = 1; j < FilterSettings::kCoefficients; ++j) {
        g += 2.0 * h[j] * std::cos(std::numbers::pi * x * j);
    }
    return g;
}

// Trapezoid: 0 up to rise0, rising to 1 at rise1, 1 up to fall1, 0 from fall0.
// A negative rise1 means the set passes from zero frequency.
double IdealGain(double x, double rise0, double rise1, double fall1, double fall0) {
    if (rise1 >= 0.0 && x < rise1) {
        return x <= rise0 ? 0.0 : (x - rise0) / (rise1 - rise0);
    }
    if (x <= fall1) {
        return 1.0;
    }
    return x >= fall0 ? 0.0 : (fall0 - x) / (fall0 - fall1);
}

void ExpectTrapezoid(const FilterSettings::CoefficientSet& h, double from, double rise0,
                     double rise1, double fall1, double fall0, double tolerance) {
    for (int k = 0; k <= 500; ++k) {
        const double x = from + (1.0 - from) * k / 500.0;
        EXPECT_NEAR(Gain(h, x), IdealGain(x, rise0, rise1, fall1, fall0), tolerance)
            << "at " << x << " of Nyquist";
    }
}

}  // namespace

TEST(FilterSettings, StartUpCornersAndFirstCoefficients) {
    const FilterSettings s = StartedUp();
    EXPECT_EQ(s.SamplingRate, 100);
    EXPECT_EQ(s.SamplingInterval, 0.01f);
    EXPECT_EQ(s.NyquistFrequency, 50.0f);
    EXPECT_EQ(s.LowPassRatio, 0.25f);
    EXPECT_EQ(s.LowCutStop, 0.5f);
    EXPECT_EQ(s.LowCutPass, 0.75f);
    EXPECT_EQ(s.HighCutPass, 12.5f);
    EXPECT_EQ(s.HighCutStop, 18.75f);
    EXPECT_EQ(s.LowPass[0], 0.3125f);
    EXPECT_EQ(s.BandPass[0], 0.30000001f);
    EXPECT_EQ(s.TransferLowPass[0], 0.104166664f);
}

TEST(FilterSettings, StartUpGainsAtZeroFrequency) {
    const FilterSettings s = StartedUp();
    EXPECT_NEAR(Gain(s.LowPass, 0.0), 0.999996, 1e-6);
    EXPECT_NEAR(Gain(s.TransferLowPass, 0.0), 1.0, 5e-4);
    // The narrow lower transition band is cut short by the 300 coefficients.
    EXPECT_NEAR(Gain(s.BandPass, 0.0), 0.006, 1e-3);
    EXPECT_NEAR(Gain(s.BandPass, 0.1), 1.0, 1e-3);
}

TEST(FilterSettings, StartUpSetsFollowTheirTrapezoids) {
    const FilterSettings s = StartedUp();
    ExpectTrapezoid(s.LowPass, 0.0, 0.0, -1.0, 0.25, 0.375, 5e-3);
    ExpectTrapezoid(s.TransferLowPass, 0.0, 0.0, -1.0, 1.0 / 12.0, 1.0 / 8.0, 1e-2);
    // Above the lower transition band, which 300 coefficients only resolve roughly.
    ExpectTrapezoid(s.BandPass, 0.03, 0.01, 0.015, 0.25, 0.375, 1e-2);
    EXPECT_NEAR(Gain(s.BandPass, 0.0125), 0.5, 0.02);
}

TEST(FilterSettings, NyquistRatioSetsTheLowPassAtAnyRate) {
    FilterSettings s = StartedUp();
    for (const int rate : {1, 10, 50, 100, 200, 500, 1000, 2000}) {
        s.SamplingRate = rate;
        s.LowPassRatio = 0.5f;
        s.Recompute();
        EXPECT_EQ(s.LowPass[0], 0.625f) << rate;
        ExpectTrapezoid(s.LowPass, 0.0, 0.0, -1.0, 0.5, 0.75, 5e-3);
        s.LowPassRatio = 0.125f;
        s.Recompute();
        EXPECT_EQ(s.LowPass[0], 0.15625f) << rate;
        EXPECT_EQ(s.HighCutStop, s.HighCutPass * 1.5f) << rate;
    }
}

TEST(FilterSettings, RecomputeLeavesTheTransferSetAlone) {
    FilterSettings s = StartedUp();
    const FilterSettings::CoefficientSet transfer = s.TransferLowPass;
    s.LowPassRatio = 0.5f;
    s.Recompute();
    EXPECT_EQ(s.TransferLowPass, transfer);
    EXPECT_EQ(s.TransferLowPass[0], 0.104166664f);
    s.SamplingRate = 2000;
    s.Recompute();
    EXPECT_EQ(s.TransferLowPass, transfer);
    EXPECT_EQ(s.LowPassRatio, 0.5f);  // kept across a rate change
}

TEST(FilterSettings, RateChangeKeepsCoefficientsUpToRounding) {
    const FilterSettings at100 = StartedUp();
    FilterSettings at1000 = StartedUp();
    at1000.SamplingRate = 1000;
    at1000.Recompute();
    EXPECT_EQ(at1000.SamplingInterval, 0.001f);
    EXPECT_EQ(at1000.NyquistFrequency, 499.99997f);
    EXPECT_NEAR(at1000.HighCutPass, 125.0f, 1e-4);
    for (int j = 0; j < FilterSettings::kCoefficients; ++j) {
        EXPECT_NEAR(at1000.LowPass[j], at100.LowPass[j], 1e-6) << j;
        EXPECT_NEAR(at1000.BandPass[j], at100.BandPass[j], 1e-6) << j;
    }
}

TEST(FilterSettings, RecomputeRefusesARateThatIsNotPositive) {
    FilterSettings s = StartedUp();
    const FilterSettings::CoefficientSet lowPass = s.LowPass;
    s.SamplingRate = 0;
    s.Recompute();
    EXPECT_EQ(s.SamplingInterval, 0.01f);
    EXPECT_EQ(s.LowPass, lowPass);
}

TEST(FilterSettings, RecordRatesInWholeHertz) {
    EXPECT_EQ(WholeHertz(100.0), 100);
    EXPECT_EQ(WholeHertz(1.0 / 0.004), 250);
    EXPECT_EQ(WholeHertz(303.03), 303);
    EXPECT_EQ(WholeHertz(0.6), 1);
    EXPECT_FALSE(WholeHertz(0.4));
    EXPECT_FALSE(WholeHertz(1000000.6));
    EXPECT_FALSE(WholeHertz(std::nan("")));
    // The settings at a rate are those of the start-up, designed again for it.
    FilterSettings moved;
    moved.StartUp();
    moved.SamplingRate = 250;
    moved.Recompute();
    const FilterSettings at250 = FilterSettings::AtRate(250);
    EXPECT_EQ(at250.SamplingInterval, moved.SamplingInterval);
    EXPECT_EQ(at250.LowPass, moved.LowPass);
    EXPECT_EQ(at250.TransferLowPass, moved.TransferLowPass);
}
