// The magnitudes four at a time against std::abs, bit for bit: across the whole range
// of doubles, at the edges where the C library takes another way, and on the odd
// values (zeros, infinities, NaN, subnormals).
#include "core/analysis/ComplexMagnitude.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <complex>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

using namespace tremvix;

namespace {

void ExpectLikeStdAbs(const std::vector<std::complex<double>>& z, double scale) {
    std::vector<double> out(z.size(), -1.0);
    ScaledMagnitudes(z, scale, out);
    for (std::size_t k = 0; k < z.size(); ++k) {
        const double expected = scale * std::abs(z[k]);
        if (std::isnan(expected)) {
            EXPECT_TRUE(std::isnan(out[k])) << k;
            continue;
        }
        ASSERT_EQ(std::bit_cast<std::uint64_t>(out[k]), std::bit_cast<std::uint64_t>(expected))
            << k << ": |" << z[k].real() << " + " << z[k].imag() << "i| gave " << out[k] << ", not " << expected;
    }
}

TEST(ComplexMagnitude, EqualsStdAbsAcrossTheRangeOfDoubles) {
    std::mt19937_64 gen(17);
    std::uniform_real_distribution<double> mantissa(1.0, 2.0), exponent(-1074.0, 1023.0), near(-40.0, 40.0);
    std::bernoulli_distribution negative(0.5);
    std::vector<std::complex<double>> z;
    for (int i = 0; i < 400000; ++i) {
        // Half of the pairs far apart in size, half within a few binades: both ways of the correction.
        const double e = exponent(gen);
        const double f = i % 2 == 0 ? exponent(gen) : std::clamp(e + near(gen) / 8.0, -1074.0, 1023.0);
        const double re = mantissa(gen) * std::exp2(std::floor(e)) * (negative(gen) ? -1.0 : 1.0);
        const double im = mantissa(gen) * std::exp2(std::floor(f)) * (negative(gen) ? -1.0 : 1.0);
        z.emplace_back(re, im);
    }
    ExpectLikeStdAbs(z, 1.0);
    ExpectLikeStdAbs(z, 0.01);
}

TEST(ComplexMagnitude, EqualsStdAbsAtTheEdgesAndOnOddValues) {
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    const double tiny = std::numeric_limits<double>::denorm_min(), huge = std::numeric_limits<double>::max();
    std::vector<double> values{0.0, -0.0, 1.0, -1.0, 3.0, 4.0, tiny, -tiny, huge, -huge, inf, -inf, nan,
                               0x1p-1022, 0x1p+511, std::nextafter(0x1p+511, inf), 0x1p-459,
                               std::nextafter(0x1p-459, 0.0), 0x1p-54, std::nextafter(0x1p-54, 1.0), 0x1p+600};
    std::vector<std::complex<double>> z;
    for (const double a : values)
        for (const double b : values) z.emplace_back(a, b);
    // Every length of a tail after the groups of four.
    for (std::size_t n = 0; n < 9 && n <= z.size(); ++n) ExpectLikeStdAbs({z.begin(), z.begin() + n}, 0.5);
    ExpectLikeStdAbs(z, 1.0);
    ExpectLikeStdAbs(z, 0.005);
}

}  // namespace
