#include "core/dsp/MovingAverage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <vector>

using namespace tremvix;

namespace {

// The running mean as described: a test for each neighbour, each step formed in
// extended precision and kept as single, the sum divided by 2k + 1.
std::vector<float> ReferenceAverage(std::int32_t k, const std::vector<float>& x) {
    const auto n = static_cast<std::int32_t>(x.size());
    std::vector<float> y(x.size());
    for (std::int32_t i = 0; i < n; ++i) {
        float s = x[i];
        for (std::int32_t j = 1; j <= k; ++j) {
            const bool left = i - j >= 0;
            const bool right = i + j <= n - 1;
            if (left && right) {
                s = static_cast<float>(static_cast<long double>(x[i - j]) + x[i + j] + s);
            } else if (left) {
                s = static_cast<float>(static_cast<long double>(x[i - j]) + s);
            } else if (right) {
                s = static_cast<float>(static_cast<long double>(x[i + j]) + s);
            }
        }
        y[i] = static_cast<float>(s / (2.0L * k + 1.0L));
    }
    return y;
}

std::vector<float> Averaged(std::int32_t k, std::vector<float> x) {
    EXPECT_TRUE(MovingAverage(k, static_cast<std::int32_t>(x.size()), x.data()));
    return x;
}

}  // namespace

TEST(MovingAverage, SmallRecords) {
    EXPECT_EQ(Averaged(0, {3.0f, -6.5f, 9.0f}), (std::vector<float>{3.0f, -6.5f, 9.0f}));
    EXPECT_EQ(Averaged(1, {3.0f, 6.0f, 9.0f}), (std::vector<float>{3.0f, 6.0f, 5.0f}));
    const float all = 18.0f / 11.0f;
    EXPECT_EQ(Averaged(5, {3.0f, 6.0f, 9.0f}), (std::vector<float>{all, all, all}));
    EXPECT_EQ(Averaged(2, {4.0f}), (std::vector<float>{0.8f}));
}

TEST(MovingAverage, MatchesTheReference) {
    std::mt19937 gen(3);
    std::normal_distribution<float> normal(0.0f, 1.0f);
    for (const std::int32_t n : {1, 2, 5, 20, 21, 22, 100, 1001}) {
        std::vector<float> x(static_cast<std::size_t>(n));
        for (float& v : x) {
            v = normal(gen) * 1e4f;
        }
        for (const std::int32_t k : {1, 2, 10, 11, 50, 600}) {
            EXPECT_EQ(ReferenceAverage(k, x), Averaged(k, x)) << "n " << n << " k " << k;
        }
    }
}

TEST(MovingAverage, HugeHalfWidthDividesByTheFullSpan) {
    const std::int32_t k = std::numeric_limits<std::int32_t>::max();
    const float expected = static_cast<float>(10.0L / (2.0L * k + 1.0L));
    EXPECT_EQ(Averaged(k, {1.0f, 2.0f, 3.0f, 4.0f}),
              (std::vector<float>{expected, expected, expected, expected}));
}

TEST(MovingAverage, NegativeHalfWidthIsRefusedAndChangesNothing) {
    std::vector<float> x = {1.0f, 2.0f, 3.0f};
    EXPECT_FALSE(MovingAverage(-1, 3, x.data()));
    EXPECT_EQ(x, (std::vector<float>{1.0f, 2.0f, 3.0f}));
    EXPECT_TRUE(MovingAverage(3, 0, x.data()));
    EXPECT_EQ(x, (std::vector<float>{1.0f, 2.0f, 3.0f}));
}
