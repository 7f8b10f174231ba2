#include "core/dsp/FirDesign.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

using namespace tremvix;

namespace {

constexpr int kN = 300;
constexpr float kDt = 0.01f;  // 100 samples per second

// The ideal trapezoid low-pass in exact arithmetic, edges in cycles per sample.
double ClosedFormLowPass(int i, double a, double b) {
    if (i == 0) {
        return a + b;
    }
    const double pi = std::numbers::pi;
    return std::sin(pi * i * (a - b)) * std::sin(pi * i * (a + b)) / (pi * pi * i * i * (a - b));
}

}  // namespace

TEST(FirDesign, LowPassFollowsTheClosedFormResponse) {
    std::array<float, kN> h{};
    DesignLowPass(kN, h.data(), kDt, 18.75f, 12.5f);
    EXPECT_EQ(h[0], 0.3125f);
    for (int i = 1; i < kN; ++i) {
        EXPECT_NEAR(h[i], ClosedFormLowPass(i, 0.1875, 0.125), 2e-7) << "i = " << i;
    }
}

TEST(FirDesign, LowPassIsSymmetricInItsEdges) {
    std::array<float, kN> stopFirst{};
    std::array<float, kN> passFirst{};
    DesignLowPass(kN, stopFirst.data(), kDt, 18.75f, 12.5f);
    DesignLowPass(kN, passFirst.data(), kDt, 12.5f, 18.75f);
    EXPECT_EQ(stopFirst, passFirst);
}

TEST(FirDesign, BandPassIsHighLowPassMinusLowLowPass) {
    std::array<float, kN> band{};
    std::array<float, kN> high{};
    std::array<float, kN> low{};
    DesignBandPass(kN, band.data(), kDt, 18.75f, 12.5f, 0.5f, 0.75f);
    DesignLowPass(kN, high.data(), kDt, 18.75f, 12.5f);
    DesignLowPass(kN, low.data(), kDt, 0.5f, 0.75f);
    EXPECT_EQ(band[0], 0.30000001f);
    for (int i = 0; i < kN; ++i) {
        // Each set is rounded on its own, so allow a couple of units in the last place.
        EXPECT_NEAR(band[i], high[i] - low[i], 1e-7) << "i = " << i;
    }
}

TEST(FirDesign, WritesOnlyTheRequestedCoefficients) {
    std::array<float, 12> h;
    h.fill(-7.0f);
    DesignLowPass(10, h.data(), kDt, 18.75f, 12.5f);
    EXPECT_EQ(h[10], -7.0f);
    EXPECT_EQ(h[11], -7.0f);
    EXPECT_NE(h[9], -7.0f);

    h.fill(-7.0f);
    DesignBandPass(1, h.data(), kDt, 18.75f, 12.5f, 0.5f, 0.75f);
    EXPECT_EQ(h[0], 0.30000001f);
    EXPECT_EQ(h[1], -7.0f);

    h.fill(-7.0f);
    DesignLowPass(0, h.data(), kDt, 18.75f, 12.5f);
    EXPECT_EQ(h[0], -7.0f);
}
