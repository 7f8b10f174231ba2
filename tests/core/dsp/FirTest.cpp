#include "core/dsp/FilterSettings.h"
#include "core/dsp/Fir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

using namespace tremvix;

namespace {

// The filter exactly as the arithmetic is described: a test at every step for
// the record's ends, each step formed in extended precision and kept as single.
std::vector<float> ReferenceFir(const std::vector<float>& h, const std::vector<float>& x) {
    const auto m = static_cast<std::int32_t>(h.size());
    const auto n = static_cast<std::int32_t>(x.size());
    std::vector<float> y(x.size());
    for (std::int32_t i = 0; i < n; ++i) {
        float acc = static_cast<float>(static_cast<long double>(x[i]) * h[0]);
        for (std::int32_t j = 1; j < m; ++j) {
            const float left = i - j >= 0 ? x[i - j] : 0.0f;
            const float right = i + j < n ? x[i + j] : 0.0f;
            acc = static_cast<float>((static_cast<long double>(left) + right) * h[j] + acc);
        }
        y[i] = acc;
    }
    return y;
}

std::vector<float> Filtered(const std::vector<float>& h, std::vector<float> x) {
    EXPECT_TRUE(ApplyFir(static_cast<std::int32_t>(h.size()), h.data(), x.data(),
                         static_cast<std::int32_t>(x.size())));
    return x;
}

std::vector<float> StartUpLowPass() {
    FilterSettings s;
    s.StartUp();
    return {s.LowPass.begin(), s.LowPass.end()};
}

// Bit patterns, so that NaNs and signed zeros compare too.
void ExpectBitIdentical(const std::vector<float>& expected, const std::vector<float>& actual) {
    ASSERT_EQ(expected.size(), actual.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        std::uint32_t e = 0;
        std::uint32_t a = 0;
        std::memcpy(&e, &expected[i], sizeof e);
        std::memcpy(&a, &actual[i], sizeof a);
        ASSERT_EQ(e, a) << "sample " << i << " of " << expected.size() << ": expected "
                        << expected[i] << ", got " << actual[i];
    }
}

// Values over the whole float range: ordinary ones, huge and tiny magnitudes,
// subnormals and zeros, so that the extended intermediate results really matter.
std::vector<float> WildValues(std::size_t count, std::mt19937& gen) {
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_real_distribution<float> mantissa(-2.0f, 2.0f);
    std::uniform_int_distribution<int> exponent(-140, 120);
    std::vector<float> v(count);
    for (float& value : v) {
        switch (kind(gen)) {
        case 0:
            value = 0.0f;
            break;
        case 1:
            value = std::ldexp(mantissa(gen), exponent(gen));
            break;
        case 2:
            value = std::ldexp(mantissa(gen), -130);  // subnormal
            break;
        case 3:
            value = mantissa(gen) * 1e30f;
            break;
        default:
            value = mantissa(gen) * 100.0f;
            break;
        }
    }
    return v;
}

}  // namespace

TEST(ApplyFir, MatchesTheReferenceBitForBit) {
    std::mt19937 gen(20240611);
    const std::vector<float> lowPass = StartUpLowPass();
    for (const std::int32_t n : {1, 2, 3, 7, 8, 9, 17, 150, 299, 300, 301, 598, 599, 600, 601, 1000,
                                 30000}) {
        const std::vector<float> x = WildValues(static_cast<std::size_t>(n), gen);
        ExpectBitIdentical(ReferenceFir(lowPass, x), Filtered(lowPass, x));
        if (n <= 1000) {
            const std::vector<float> wildSet = WildValues(300, gen);
            ExpectBitIdentical(ReferenceFir(wildSet, x), Filtered(wildSet, x));
        }
    }
}

TEST(ApplyFir, MatchesTheReferenceForOtherSetLengths) {
    std::mt19937 gen(99);
    std::normal_distribution<float> normal(0.0f, 1.0f);
    for (const std::int32_t m : {1, 2, 5, 8, 9, 64}) {
        std::vector<float> h(static_cast<std::size_t>(m));
        for (float& c : h) {
            c = normal(gen);
        }
        for (const std::int32_t n : {1, 4, 11, 63, 64, 65, 200}) {
            std::vector<float> x(static_cast<std::size_t>(n));
            for (float& v : x) {
                v = normal(gen) * 1000.0f;
            }
            ExpectBitIdentical(ReferenceFir(h, x), Filtered(h, x));
        }
    }
}

TEST(ApplyFir, MatchesTheReferenceWithInfinitiesAndNaNs) {
    std::mt19937 gen(5);
    std::vector<float> x = WildValues(700, gen);
    x[10] = std::numeric_limits<float>::infinity();
    x[400] = -std::numeric_limits<float>::infinity();
    x[650] = std::numeric_limits<float>::quiet_NaN();
    const std::vector<float> lowPass = StartUpLowPass();
    ExpectBitIdentical(ReferenceFir(lowPass, x), Filtered(lowPass, x));
}

// 1 + 2^-24 + 2^-60 lies just above the midpoint between 1 and the next float.
// In extended precision the step keeps the 2^-60 and rounds up; a double sum
// would lose it, land on the midpoint and round to even, giving 1.
TEST(ApplyFir, StepIsFormedInExtendedPrecision) {
    const std::vector<float> h = {1.0f, 1.0f};
    const std::vector<float> x = {std::ldexp(1.0f, -24), 1.0f, std::ldexp(1.0f, -60)};
    const std::vector<float> y = Filtered(h, x);
    EXPECT_EQ(y[1], std::nextafter(1.0f, 2.0f));
    ExpectBitIdentical(ReferenceFir(h, x), y);
}

TEST(ApplyFir, ImpulseGivesTheCoefficients) {
    const std::vector<float> lowPass = StartUpLowPass();
    std::vector<float> x(2000, 0.0f);
    const int at = 1000;
    x[at] = 1.0f;
    const std::vector<float> y = Filtered(lowPass, x);
    for (int j = 0; j < 2000; ++j) {
        const int distance = std::abs(j - at);
        EXPECT_EQ(y[j], distance < 300 ? lowPass[distance] : 0.0f) << j;
    }
}

TEST(ApplyFir, ConstantRecordIsKeptInTheMiddleAndHalvedAtTheEnds) {
    const std::vector<float> lowPass = StartUpLowPass();
    const std::vector<float> y = Filtered(lowPass, std::vector<float>(1000, 1.0f));
    for (int i = 299; i <= 700; ++i) {
        EXPECT_NEAR(y[i], 1.0f, 1e-5) << i;
    }
    double oneSided = lowPass[0];
    for (int j = 1; j < 300; ++j) {
        oneSided += lowPass[j];
    }
    EXPECT_NEAR(oneSided, 0.656, 1e-3);
    EXPECT_NEAR(y.front(), oneSided, 1e-6);
    EXPECT_NEAR(y.back(), oneSided, 1e-6);
    EXPECT_EQ(y.front(), y.back());
}

TEST(ApplyFir, ShortRecordUsesOnlyTheNeighboursThatExist) {
    const std::vector<float> h = {0.5f, 0.25f, 0.125f, 1.0f, 1.0f};
    const std::vector<float> y = Filtered(h, {1.0f, 2.0f, 4.0f});
    EXPECT_EQ(y[0], 0.5f + 0.25f * 2.0f + 0.125f * 4.0f);
    EXPECT_EQ(y[1], 1.0f + 0.25f * 5.0f);
    EXPECT_EQ(y[2], 2.0f + 0.25f * 2.0f + 0.125f * 1.0f);
}

TEST(ApplyFir, EmptyRecordOrSetTouchesNothing) {
    std::vector<float> x = {3.0f, -1.0f};
    const float h[] = {2.0f};
    EXPECT_TRUE(ApplyFir(1, h, x.data(), 0));
    EXPECT_TRUE(ApplyFir(0, h, x.data(), 2));
    EXPECT_EQ(x, (std::vector<float>{3.0f, -1.0f}));
    EXPECT_TRUE(ApplyFir(1, h, x.data(), 2));
    EXPECT_EQ(x, (std::vector<float>{6.0f, -2.0f}));
}
