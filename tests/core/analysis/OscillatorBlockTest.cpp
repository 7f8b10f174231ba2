// The vector kernels against each other: every peak the same to the last bit,
// whichever kernel, block size, lane or set of peaks.
#include "core/analysis/OscillatorBlock.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

using namespace tremvix;

namespace {

std::vector<double> Ground(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::normal_distribution<double> noise(0.0, 150.0);
    std::vector<double> g(n);
    for (std::size_t i = 0; i < n; ++i) {
        // Bursts, quiet stretches of exact zeros and a slow swell: every sign and -0 comes by.
        const double burst = (i / 500) % 3 == 1 ? 0.0 : noise(gen);
        g[i] = burst + 40.0 * std::sin(0.002 * static_cast<double>(i)) * ((i / 700) % 2 == 0 ? 1.0 : -1.0);
    }
    return g;
}

std::vector<OscillatorSpec> Block(std::size_t size, int substeps, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> period(0.02, 8.0), zeta(0.0, 0.6);
    std::vector<OscillatorSpec> block;
    for (std::size_t i = 0; i < size; ++i) block.push_back({2.0 * std::numbers::pi / period(gen), i == 0 ? 0.0 : zeta(gen), substeps});
    return block;
}

std::vector<OscillatorPeaks> PeaksOf(const std::vector<double>& g, const std::vector<OscillatorSpec>& block, PeakSet set,
                                 OscillatorKernel kernel) {
    std::vector<OscillatorPeaks> peaks(block.size());
    RunOscillatorBlock(g, 0.01, block, peaks, set, kernel);
    return peaks;
}

void ExpectSameBits(const OscillatorPeaks& a, const OscillatorPeaks& b, const std::string& where) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(a.sd), std::bit_cast<std::uint64_t>(b.sd)) << where << " sd " << a.sd << " " << b.sd;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(a.sv), std::bit_cast<std::uint64_t>(b.sv)) << where << " sv " << a.sv << " " << b.sv;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(a.sa), std::bit_cast<std::uint64_t>(b.sa)) << where << " sa " << a.sa << " " << b.sa;
}

TEST(OscillatorBlock, WideAndPortableKernelsGiveTheSameBits) {
    if (!WideKernelAvailable()) GTEST_SKIP() << "no AVX2 on this processor: only the portable kernel runs";
    const std::vector<double> g = Ground(4000, 11);
    for (const int substeps : {1, 2, 7}) {
        for (std::size_t size = 1; size <= static_cast<std::size_t>(kOscillatorsPerBlock); ++size) {
            const std::vector<OscillatorSpec> block = Block(size, substeps, static_cast<unsigned>(size * 31 + substeps));
            for (const PeakSet set : {PeakSet::All, PeakSet::VelocityOnly}) {
                const auto portable = PeaksOf(g, block, set, OscillatorKernel::Portable);
                const auto wide = PeaksOf(g, block, set, OscillatorKernel::Wide);
                const auto automatic = PeaksOf(g, block, set, OscillatorKernel::Automatic);
                for (std::size_t i = 0; i < size; ++i) {
                    const std::string where = "substeps " + std::to_string(substeps) + " block " + std::to_string(size) +
                                              " lane " + std::to_string(i);
                    ExpectSameBits(portable[i], wide[i], where);
                    ExpectSameBits(portable[i], automatic[i], where);
                }
            }
        }
    }
}

TEST(OscillatorBlock, PeaksDoNotDependOnTheBlockOrTheSetAskedFor) {
    const std::vector<double> g = Ground(3000, 5);
    const std::vector<OscillatorSpec> block = Block(static_cast<std::size_t>(kOscillatorsPerBlock), 3, 9);
    for (const OscillatorKernel kernel : {OscillatorKernel::Portable, OscillatorKernel::Automatic}) {
        const auto all = PeaksOf(g, block, PeakSet::All, kernel);
        const auto velocity = PeaksOf(g, block, PeakSet::VelocityOnly, kernel);
        for (std::size_t i = 0; i < block.size(); ++i) {
            const auto alone = PeaksOf(g, {block[i]}, PeakSet::All, kernel);
            ExpectSameBits(alone[0], all[i], "alone, lane " + std::to_string(i));
            EXPECT_EQ(std::bit_cast<std::uint64_t>(velocity[i].sv), std::bit_cast<std::uint64_t>(all[i].sv)) << i;
            EXPECT_EQ(velocity[i].sd, 0.0);
            EXPECT_EQ(velocity[i].sa, 0.0);
            EXPECT_GT(all[i].sd, 0.0);
            EXPECT_GT(all[i].sa, 0.0);
        }
    }
}

// A ground at rest throughout leaves every oscillator at +0: no -0 or NaN creeps into the peaks.
TEST(OscillatorBlock, GroundAtRestGivesZeroPeaks) {
    const std::vector<double> g(500, 0.0);
    const std::vector<OscillatorSpec> block = Block(5, 2, 3);
    for (const OscillatorKernel kernel : {OscillatorKernel::Portable, OscillatorKernel::Wide}) {
        for (const OscillatorPeaks& p : PeaksOf(g, block, PeakSet::All, kernel)) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(p.sd), 0u);
            EXPECT_EQ(std::bit_cast<std::uint64_t>(p.sv), 0u);
            EXPECT_EQ(std::bit_cast<std::uint64_t>(p.sa), 0u);
        }
    }
}

}  // namespace
