// The four-at-a-time bounds and extremes against one point after another, on values
// with ties, zeros of both signs, infinities and NaN, at every length and offset.
#include "core/display/CurveExtremes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

using namespace tremvix;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Few distinct values, so that ties are common; now and then an odd one.
std::vector<double> Values(std::size_t n, unsigned seed, double oddShare) {
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> level(-3, 3);
    std::bernoulli_distribution odd(oddShare);
    const double odds[] = {kNaN, kInf, -kInf, 0.0, -0.0, 1e-300, std::numeric_limits<double>::denorm_min()};
    std::uniform_int_distribution<int> pick(0, 6);
    std::vector<double> v(n);
    for (double& x : v) x = odd(gen) ? odds[pick(gen)] : level(gen) * 0.5;
    return v;
}

std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

TEST(CurveExtremes, BoundsEqualThoseTakenOnePointAfterAnother) {
    for (const double oddShare : {0.0, 0.05, 0.5}) {
        for (std::size_t n = 0; n < 40; ++n) {
            const std::vector<double> x = Values(n, static_cast<unsigned>(n) + 1, oddShare);
            const std::vector<double> y = Values(n, static_cast<unsigned>(n) + 100, oddShare);
            double lowX = kInf, highX = -kInf, lowY = kInf, highY = -kInf;
            for (std::size_t i = 0; i < n; ++i) {
                if (!(x[i] > 0.0) || !std::isfinite(x[i])) continue;
                lowX = std::min(lowX, x[i]);
                highX = std::max(highX, x[i]);
                if (!(y[i] > 0.0) || !std::isfinite(y[i])) continue;
                lowY = std::min(lowY, y[i]);
                highY = std::max(highY, y[i]);
            }
            const PositiveBounds b = PositiveBoundsOf(x, y);
            EXPECT_EQ(Bits(b.lowX), Bits(lowX)) << n;
            EXPECT_EQ(Bits(b.highX), Bits(highX)) << n;
            EXPECT_EQ(Bits(b.lowY), Bits(lowY)) << n;
            EXPECT_EQ(Bits(b.highY), Bits(highY)) << n;
        }
    }
}

TEST(CurveExtremes, ExtremesAreThoseAWalkFinds) {
    for (const double oddShare : {0.0, 0.01, 0.2}) {
        const std::vector<double> y = Values(300, 7, oddShare);
        for (std::size_t first = 0; first < 40; ++first) {
            for (std::size_t last = first; last < y.size(); last += 1 + last % 7) {
                std::size_t low = first, high = first;
                for (std::size_t i = first + 1; i <= last; ++i) {
                    if (!(y[i] >= y[low])) low = i;
                    if (!(y[i] <= y[high])) high = i;
                }
                const ExtremeIndices e = ExtremesOf(y, first, last);
                ASSERT_EQ(e.low, low) << oddShare << " " << first << ".." << last;
                ASSERT_EQ(e.high, high) << oddShare << " " << first << ".." << last;
            }
        }
    }
}

// The first of equal values, whatever the sign of a zero: -0 is not below +0.
TEST(CurveExtremes, ZerosOfEitherSignAreEqual) {
    std::vector<double> y(40, 1.0);
    y[9] = 0.0;
    y[17] = -0.0;
    y[23] = 2.0;
    y[31] = 2.0;
    const ExtremeIndices e = ExtremesOf(y, 0, y.size() - 1);
    EXPECT_EQ(e.low, 9u);
    EXPECT_EQ(e.high, 23u);
}

}  // namespace
