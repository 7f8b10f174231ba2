#include "core/analysis/FourierSpectra.h"

#include "core/analysis/FourierTransformer.h"
#include "core/analysis/ParzenSmoothing.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <span>
#include <vector>

using namespace tremvix;

namespace {

std::vector<float> Noise(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::normal_distribution<float> dist(1.0f, 30.0f);
    std::vector<float> x(n);
    for (float& v : x) v = dist(gen);
    return x;
}

// One channel alone, through a transformer of its own.
FourierSpectrum Alone(std::span<const float> x, double dt, const FourierOptions& options, double smoothing) {
    FourierTransformer transformer;
    FourierSpectrum spectrum = ComputeFourierSpectrum(x, dt, options, transformer);
    if (spectrum.refusal || smoothing <= 0.0) return spectrum;
    SmoothedSpectrum smoothed = SmoothParzen(spectrum.amplitudes, spectrum.frequencyStep, smoothing, transformer);
    if (smoothed.refusal) spectrum.refusal = smoothed.refusal;
    else spectrum.amplitudes = smoothed.amplitudes;
    return spectrum;
}

}  // namespace

// Side by side or one after another, each channel's spectrum is its own, bit for bit,
// and a transformer kept between calls gives the same again.
TEST(FourierSpectra, EachChannelIsWhatItGivesAloneWhateverTheThreads) {
    const std::vector<std::vector<float>> records{Noise(4096, 1), Noise(4096, 2), Noise(4096, 3)};
    const std::vector<std::span<const float>> channels(records.begin(), records.end());
    FourierOptions options;
    options.taperFraction = 0.05;
    for (const double smoothing : {0.0, 0.4}) {
        std::array<FourierTransformer, 2> two;
        std::array<FourierTransformer, 1> one;
        for (int round = 0; round < 2; ++round) {
            const std::vector<FourierSpectrum> parallel = ComputeFourierSpectra(channels, 0.01, options, smoothing, two);
            const std::vector<FourierSpectrum> serial = ComputeFourierSpectra(channels, 0.01, options, smoothing, one);
            ASSERT_EQ(parallel.size(), 3u);
            for (std::size_t k = 0; k < channels.size(); ++k) {
                const FourierSpectrum alone = Alone(channels[k], 0.01, options, smoothing);
                ASSERT_FALSE(parallel[k].refusal);
                EXPECT_EQ(parallel[k].amplitudes, alone.amplitudes) << k << " " << smoothing;
                EXPECT_EQ(serial[k].amplitudes, alone.amplitudes) << k << " " << smoothing;
                EXPECT_EQ(parallel[k].frequencies, alone.frequencies);
            }
        }
    }
}

// A refusal stays with its channel; the others are computed.
TEST(FourierSpectra, ARefusalBelongsToItsChannel) {
    std::vector<float> bad = Noise(512, 4);
    bad[100] = NAN;
    const std::vector<float> good = Noise(512, 5), single{1.0f};
    const std::vector<std::span<const float>> channels{good, bad, good, single};
    std::array<FourierTransformer, 2> transformers;
    const std::vector<FourierSpectrum> spectra = ComputeFourierSpectra(channels, 0.01, {}, 0.0, transformers);
    ASSERT_EQ(spectra.size(), 4u);
    EXPECT_FALSE(spectra[0].refusal);
    ASSERT_TRUE(spectra[1].refusal);
    EXPECT_EQ(spectra[1].refusal->kind, AnalysisRefusalKind::NonFiniteSample);
    EXPECT_EQ(spectra[2].amplitudes, spectra[0].amplitudes);
    ASSERT_TRUE(spectra[3].refusal);
    EXPECT_EQ(spectra[3].refusal->kind, AnalysisRefusalKind::TooFewSamples);
    // A smoothing that cannot be done is the channel's refusal too.
    const std::vector<FourierSpectrum> smoothed = ComputeFourierSpectra(channels, 0.01, {}, INFINITY, transformers);
    ASSERT_TRUE(smoothed[0].refusal);
    EXPECT_EQ(smoothed[0].refusal->kind, AnalysisRefusalKind::BadBandwidth);
    EXPECT_TRUE(ComputeFourierSpectra({}, 0.01, {}, 0.0, transformers).empty());
}
