#include "core/display/PointerToSample.h"

#include <gtest/gtest.h>

using namespace tremvix;

namespace {

// Three bands of 141 pixels at 100 samples per second, 50 s across 500 pixels.
PointerMapping ThreeBands(const std::int32_t* channels, int start = 0) {
    PointerMapping m;
    m.OriginX = 60;
    m.UnitLenX = 100;
    m.VValueX = 10.0f;
    m.StartIndex = start;
    m.SamplingInterval = 0.01f;
    m.TraceHeight = 141;
    m.HalfTraceHeight = 70;
    m.BandCount = 3;
    m.SelectedChannels = channels;
    return m;
}

}  // namespace

TEST(PointerToSample, TimeAxisMapsToSampleNumbers) {
    const std::int32_t channels[8] = {0, 2, 5};
    const PointerMapping m = ThreeBands(channels);
    EXPECT_EQ(PointerToSample(m, 60, 50).sample, 0) << "the origin is before sample 1";
    EXPECT_EQ(PointerToSample(m, 61, 50).sample, 10);
    EXPECT_EQ(PointerToSample(m, 560, 50).sample, 5000);
    EXPECT_EQ(PointerToSample(ThreeBands(channels, 250), 60, 50).sample, 250);
    EXPECT_EQ(PointerToSample(ThreeBands(channels, 250), 160, 50).sample, 1250);
}

TEST(PointerToSample, BandsFollowTheLayoutOfTheLastDrawing) {
    const std::int32_t channels[8] = {0, 2, 5};
    const PointerMapping m = ThreeBands(channels);
    EXPECT_EQ(PointerToSample(m, 100, 0).band, 0);
    EXPECT_EQ(PointerToSample(m, 100, 140).channel, 0);
    EXPECT_EQ(PointerToSample(m, 100, 141).channel, 2);
    EXPECT_EQ(PointerToSample(m, 100, 282).channel, 5);
    EXPECT_TRUE(PointerToSample(m, 100, 422).inBand);
    const PointedSample below = PointerToSample(m, 100, 423);
    EXPECT_EQ(below.band, 3);
    EXPECT_FALSE(below.inBand) << "beyond the bands drawn";
    EXPECT_EQ(below.channel, -1);
}

TEST(PointerToSample, EightBandsLeaveRowsBelowTheLastBand) {
    const std::int32_t channels[8] = {0, 1, 2, 3, 4, 5, 6, 7};
    PointerMapping m = ThreeBands(channels);
    m.TraceHeight = 53;
    m.HalfTraceHeight = 26;
    m.BandCount = 8;
    EXPECT_EQ(PointerToSample(m, 100, 423).channel, 7);
    EXPECT_EQ(PointerToSample(m, 100, 424).band, 8);
    EXPECT_FALSE(PointerToSample(m, 100, 424).inBand);
}

TEST(PointerToSample, NoDrawingMeansNoBand) {
    PointerMapping m;
    m.OriginX = 60;
    m.UnitLenX = 100;
    m.VValueX = 10.0f;
    m.SamplingInterval = 0.01f;
    const PointedSample pointed = PointerToSample(m, 200, 100);
    EXPECT_FALSE(pointed.inBand);
    EXPECT_EQ(pointed.band, -1);
}

TEST(PointerToSample, SampleNumbersAreTruncated) {
    const std::int32_t channels[8] = {0};
    PointerMapping m = ThreeBands(channels);
    m.BandCount = 1;
    m.VValueX = 0.2f;  // 1 s across 500 pixels
    // 0.014 s is sample 1.4, truncated to 1.
    EXPECT_EQ(PointerToSample(m, 67, 10).sample, 1);
    m.VValueX = 100.0f;
    EXPECT_EQ(PointerToSample(m, 61, 10).sample, 100);
}
