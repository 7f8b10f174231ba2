#include "core/analysis/FourierSpectrum.h"
#include "core/analysis/FourierTransformer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

using namespace tremvix;

namespace {

constexpr double kPi = std::numbers::pi;

// dt |sum x[n] e^(-2 pi i k n / N)| straight from the definition.
std::vector<double> DirectAmplitudes(const std::vector<double>& x, double dt) {
    const std::size_t n = x.size();
    std::vector<double> out(n / 2 + 1);
    for (std::size_t k = 0; k < out.size(); ++k) {
        std::complex<double> sum = 0.0;
        for (std::size_t j = 0; j < n; ++j) {
            sum += x[j] * std::polar(1.0, -2.0 * kPi * static_cast<double>((k * j) % n) / static_cast<double>(n));
        }
        out[k] = dt * std::abs(sum);
    }
    return out;
}

std::vector<float> Noise(std::size_t n, unsigned seed = 1) {
    std::mt19937 gen(seed);
    std::normal_distribution<float> dist(3.0f, 20.0f);
    std::vector<float> x(n);
    for (float& v : x) v = dist(gen);
    return x;
}

void ExpectAmplitudes(const FourierSpectrum& got, const std::vector<double>& want, double dt) {
    ASSERT_FALSE(got.refusal);
    ASSERT_EQ(got.amplitudes.size(), want.size());
    const std::size_t n = got.amplitudes.size();
    double largest = 0.0;
    for (const double a : want) largest = std::max(largest, a);
    for (std::size_t k = 0; k < n; ++k) {
        EXPECT_NEAR(got.amplitudes[k], want[k], 1e-11 * largest) << k;
    }
    const double step = got.frequencyStep;
    EXPECT_EQ(got.frequencies[0], 0.0);
    EXPECT_NEAR(got.frequencies[n - 1], static_cast<double>(n - 1) * step, 1e-12);
    EXPECT_GT(step, 0.0);
    (void)dt;
}

}  // namespace

// A sine of amplitude A on bin k0 puts A N dt / 2 into that bin and nothing elsewhere.
TEST(FourierSpectrum, SineOnABinHasHalfItsAmplitudeTimesDuration) {
    const std::size_t n = 1000;
    const double dt = 0.01, a = 37.5;
    std::vector<float> x(n);
    for (std::size_t i = 0; i < n; ++i) x[i] = static_cast<float>(a * std::sin(2 * kPi * 40.0 * i / n));
    const FourierSpectrum s = ComputeFourierSpectrum(x, dt);
    ASSERT_FALSE(s.refusal);
    ASSERT_EQ(s.amplitudes.size(), 501u);
    EXPECT_DOUBLE_EQ(s.frequencyStep, 1.0 / (n * dt));
    EXPECT_NEAR(s.frequencies[40], 4.0, 1e-12);
    EXPECT_NEAR(s.frequencies[500], 50.0, 1e-12);
    EXPECT_NEAR(s.amplitudes[40], a * n * dt / 2, 1e-5 * a);  // the samples are floats
    for (std::size_t k = 0; k < s.amplitudes.size(); ++k) {
        if (k != 40) {
            EXPECT_LT(s.amplitudes[k], 1e-4 * a) << k;
        }
    }
}

TEST(FourierSpectrum, MatchesTheDefinitionForOddAndEvenLengths) {
    const double dt = 0.005;
    for (const std::size_t n : {257u, 256u, 30u}) {
        const std::vector<float> x = Noise(n, static_cast<unsigned>(n));
        const FourierSpectrum s = ComputeFourierSpectrum(x, dt);
        ExpectAmplitudes(s, DirectAmplitudes(std::vector<double>(x.begin(), x.end()), dt), dt);
        EXPECT_EQ(s.amplitudes.size(), n / 2 + 1);
        EXPECT_DOUBLE_EQ(s.frequencyStep, 1.0 / (static_cast<double>(n) * dt));
    }
}

TEST(FourierSpectrum, OptionsChangeTheSamplesBeforeTheTransform) {
    const double dt = 0.01;
    const std::vector<float> x = Noise(300);
    const std::vector<double> raw(x.begin(), x.end());

    FourierOptions mean;
    mean.removeMean = true;
    const FourierSpectrum m = ComputeFourierSpectrum(x, dt, mean);
    double average = 0.0;
    for (const double v : raw) average += v / 300.0;
    std::vector<double> centred = raw;
    for (double& v : centred) v -= average;
    ExpectAmplitudes(m, DirectAmplitudes(centred, dt), dt);
    EXPECT_LT(m.amplitudes[0], 1e-10);

    FourierOptions padded;
    padded.padToPowerOfTwo = true;
    const FourierSpectrum p = ComputeFourierSpectrum(x, dt, padded);
    std::vector<double> zeros = raw;
    zeros.resize(512, 0.0);
    ExpectAmplitudes(p, DirectAmplitudes(zeros, dt), dt);
    EXPECT_DOUBLE_EQ(p.frequencyStep, 1.0 / (512 * dt));

    // 5 % at each end: 15 samples rising as 0.5 (1 - cos(pi i / 15)).
    FourierOptions tapered;
    tapered.taperFraction = 0.05;
    std::vector<double> t = raw;
    for (std::size_t i = 0; i < 15; ++i) {
        const double w = 0.5 * (1.0 - std::cos(kPi * i / 15.0));
        t[i] *= w;
        t[299 - i] *= w;
    }
    ExpectAmplitudes(ComputeFourierSpectrum(x, dt, tapered), DirectAmplitudes(t, dt), dt);
    EXPECT_EQ(CosineTaperWeight(0, 300, 0.05), 0.0);
    EXPECT_EQ(CosineTaperWeight(299, 300, 0.05), 0.0);
    EXPECT_EQ(CosineTaperWeight(15, 300, 0.05), 1.0);

    // Both: the mean of the record is removed first, then the ends are tapered, so
    // the tapered offset leaves a zero-frequency part a taper-first order would not.
    FourierOptions both = mean;
    both.taperFraction = 0.05;
    std::vector<double> ct = centred;
    for (std::size_t i = 0; i < 15; ++i) {
        const double w = 0.5 * (1.0 - std::cos(kPi * i / 15.0));
        ct[i] *= w;
        ct[299 - i] *= w;
    }
    const std::vector<double> bothWanted = DirectAmplitudes(ct, dt);
    ExpectAmplitudes(ComputeFourierSpectrum(x, dt, both), bothWanted, dt);
    EXPECT_GT(bothWanted[0], 1e-3);
}

// Plans kept per length must never be used for another length.
TEST(FourierSpectrum, OneTransformerServesManyLengths) {
    FourierTransformer transformer;
    for (int round = 0; round < 2; ++round) {
        for (const std::size_t n : {7u, 64u, 1000u, 7u, 999u}) {
            const std::vector<float> f = Noise(n, static_cast<unsigned>(n + round));
            const std::vector<double> x(f.begin(), f.end());
            std::vector<std::complex<double>> spectrum;
            transformer.Forward(x, spectrum);
            ASSERT_EQ(spectrum.size(), n / 2 + 1);
            std::vector<double> back;
            transformer.Inverse(spectrum, n, back);
            ASSERT_EQ(back.size(), n);
            for (std::size_t i = 0; i < n; ++i) ASSERT_NEAR(back[i] / static_cast<double>(n), x[i], 1e-9) << n;
        }
    }
    std::vector<double> out;
    EXPECT_THROW(transformer.Inverse(std::vector<std::complex<double>>(3), 10, out), std::invalid_argument);
}

// The plan's own buffers hold the same transforms as the copying calls, bit for bit.
TEST(FourierSpectrum, KeptPlanBuffersTransformLikeTheCopyingCalls) {
    FourierTransformer transformer;
    for (const std::size_t n : {30u, 257u}) {
        const std::vector<float> f = Noise(n, static_cast<unsigned>(n));
        const std::vector<double> x(f.begin(), f.end());
        std::vector<std::complex<double>> want;
        transformer.Forward(x, want);
        const FourierPlan plan = transformer.PlanFor(n);
        ASSERT_EQ(plan.Length(), n);
        ASSERT_EQ(plan.Real().size(), n);
        ASSERT_EQ(plan.Spectrum().size(), n / 2 + 1);
        std::copy(x.begin(), x.end(), plan.Real().begin());
        plan.Forward();
        for (std::size_t k = 0; k <= n / 2; ++k) ASSERT_EQ(plan.Spectrum()[k], want[k]) << n << " " << k;

        std::vector<double> back;
        transformer.Inverse(want, n, back);
        std::copy(want.begin(), want.end(), plan.Spectrum().begin());
        plan.Inverse();
        for (std::size_t i = 0; i < n; ++i) ASSERT_EQ(plan.Real()[i], back[i]) << n << " " << i;
    }
    EXPECT_THROW(transformer.PlanFor(0), std::invalid_argument);
}

// A transformer that last held other samples of the padded length must give the same
// spectrum as a fresh one: the zeros after the record are written every time.
TEST(FourierSpectrum, KeptTransformerForgetsTheSamplesBefore) {
    const double dt = 0.01;
    FourierOptions padded;
    padded.padToPowerOfTwo = true;
    padded.removeMean = true;
    padded.taperFraction = 0.05;
    const std::vector<float> x = Noise(300, 3);
    const FourierSpectrum fresh = ComputeFourierSpectrum(x, dt, padded);

    FourierTransformer kept;
    ASSERT_FALSE(ComputeFourierSpectrum(Noise(512, 9), dt, {}, kept).refusal);
    const FourierSpectrum again = ComputeFourierSpectrum(x, dt, padded, kept);
    ASSERT_FALSE(again.refusal);
    EXPECT_EQ(again.amplitudes, fresh.amplitudes);
    EXPECT_EQ(again.frequencies, fresh.frequencies);
    EXPECT_EQ(again.frequencyStep, fresh.frequencyStep);
}

TEST(FourierSpectrum, BadInputIsRefused) {
    auto kind = [](const FourierSpectrum& s) { return s.refusal ? s.refusal->kind : AnalysisRefusalKind{-1}; };
    const std::vector<float> x(100, 1.0f);
    EXPECT_EQ(kind(ComputeFourierSpectrum(std::vector<float>(1, 1.0f), 0.01)), AnalysisRefusalKind::TooFewSamples);
    EXPECT_EQ(kind(ComputeFourierSpectrum(x, 0.0)), AnalysisRefusalKind::BadSamplingStep);
    EXPECT_EQ(kind(ComputeFourierSpectrum(x, INFINITY)), AnalysisRefusalKind::BadSamplingStep);
    std::vector<float> bad = x;
    bad[3] = NAN;
    EXPECT_EQ(kind(ComputeFourierSpectrum(bad, 0.01)), AnalysisRefusalKind::NonFiniteSample);
    for (const double f : {-0.01, 0.51, static_cast<double>(NAN)}) {
        FourierOptions o;
        o.taperFraction = f;
        EXPECT_EQ(kind(ComputeFourierSpectrum(x, 0.01, o)), AnalysisRefusalKind::BadTaper) << f;
    }
    const FourierSpectrum s = ComputeFourierSpectrum(bad, 0.01);
    EXPECT_TRUE(s.amplitudes.empty());
    EXPECT_NE(AnalysisRefusalText(*s.refusal).find("\u3000\u3000\u3000\u3000\u3000"), std::string::npos);
    EXPECT_EQ(AnalysisRefusalCaption(*s.refusal), "ファイル形式エラー");
}
