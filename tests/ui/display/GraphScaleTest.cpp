#include "ui/display/GraphScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace tremvix;

namespace {
// The decade of 1 after ten float multiplications by ten from 1e-10.
float DriftedDecade(int tens) {
    float d = 1e-10f;
    for (int i = 0; i < tens; ++i) d = d * 10.0f;
    return d;
}
}  // namespace

TEST(ScaleStep, FirstStepStrictlyAboveTheValue) {
    const float one = DriftedDecade(10);
    EXPECT_EQ(one, 0.99999994f);
    EXPECT_EQ(DriftedDecade(11), 9.999999f);
    EXPECT_EQ(ScaleStep(2, 3.7f), one * 2.0f);
    EXPECT_EQ(ScaleStep(2, 4.0f), one * 2.5f);  // 2 x 2 is not above 4
    EXPECT_EQ(ScaleStep(2, 0.0f), 1e-10f);
    EXPECT_EQ(ScaleStep(2, 100.0f), DriftedDecade(12) * 1.0f);
    EXPECT_EQ(ScaleStep(2, 9.0f), one * 5.0f);
    // The comparison uses the drifted decade: 2 x 0.99999994 x 5 lies just below 10.
    EXPECT_EQ(ScaleStep(2, 9.999999f), one * 5.0f);
    EXPECT_EQ(ScaleStep(2, 10.0f), DriftedDecade(11));
}

TEST(ScaleStep, EndsForHugeAndNonFiniteValues) {
    const float largest = std::numeric_limits<float>::max();
    EXPECT_TRUE(std::isfinite(ScaleStep(2, largest)));
    EXPECT_GT(2.0L * ScaleStep(2, largest), static_cast<long double>(largest));
    EXPECT_EQ(ScaleStep(2, std::numeric_limits<float>::infinity()), largest);
    EXPECT_EQ(ScaleStep(2, std::nanf("")), largest);
}

TEST(LargestMagnitude, StrictlyLargerFiniteValuesOnly) {
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<float> x = {1.0f, -7.5f, std::nanf(""), 3.0f, inf, -inf, 7.5f};
    EXPECT_EQ(LargestMagnitude(x.data(), static_cast<int>(x.size())), 7.5f);
    EXPECT_EQ(LargestMagnitude(x.data(), 1), 1.0f);
    EXPECT_EQ(LargestMagnitude(x.data(), 0), 0.0f);
}

TEST(BandLayout, UnitLengthsOfTheMainCanvas) {
    const int expected[] = {39, 39, 26, 19, 31, 26, 22, 19};
    for (int bands = 1; bands <= 8; ++bands) EXPECT_EQ(BandUnitLenY(425, bands), expected[bands - 1]) << bands;
    EXPECT_EQ(OverlayUnitLenY(425), 39);
}

TEST(WindowSamples, TruncatedQuotientOfTheFloats) {
    EXPECT_EQ(WindowSamples(1.0f, 1.0f / 100), 100);
    EXPECT_EQ(WindowSamples(5.0f, 1.0f / 100), 500);
    EXPECT_EQ(WindowSamples(50.0f, 1.0f / 100), 5000);
    EXPECT_EQ(WindowSamples(50.0f, 1.0f / 10), 499);
    EXPECT_EQ(WindowSamples(1.0f, 1.0f / 500), 499);
    EXPECT_EQ(WindowSamples(1e30f, 1.0f / 100), std::numeric_limits<std::int32_t>::max());
}

TEST(ClampWindow, OneShortChannelShortensTheChannelsAfterIt) {
    // 3,000 samples listed before 6,000: both get 3,000.
    int window = ClampWindow(0, 5000, 3000);
    EXPECT_EQ(window, 3000);
    EXPECT_EQ(ClampWindow(0, window, 6000), 3000);
    // The reverse: the first keeps 5,000, the second gets 3,000.
    window = ClampWindow(0, 5000, 6000);
    EXPECT_EQ(window, 5000);
    EXPECT_EQ(ClampWindow(0, window, 3000), 3000);
    EXPECT_EQ(ClampWindow(2500, 5000, 6000), 3500);
    EXPECT_EQ(ClampWindow(1000, 5000, 6000), 5000);  // ends exactly on the last sample
}

TEST(Envelopes, RunningMaximumAndMinimum) {
    const std::vector<float> x = {0.0f, 2.0f, -1.0f, 3.0f, -4.0f, 1.0f};
    std::vector<float> e(x.size());
    PositiveEnvelope(x.data(), static_cast<int>(x.size()), e.data());
    EXPECT_EQ(e, (std::vector<float>{0.0f, 2.0f, 2.0f, 3.0f, 3.0f, 3.0f}));
    NegativeEnvelope(x.data(), static_cast<int>(x.size()), e.data());
    EXPECT_EQ(e, (std::vector<float>{0.0f, 0.0f, -1.0f, -1.0f, -4.0f, -4.0f}));
    const std::vector<float> late = {5.0f, 1.0f};
    PositiveEnvelope(late.data(), 2, e.data());
    EXPECT_EQ(e[1], 5.0f);  // starts from the first sample, not from zero
}
