// The SI value against Sv integrated here by fine Runge-Kutta steps and a plain
// trapezoid over a fine period grid.
#include "core/analysis/SpectrumIntensity.h"
#include "core/analysis/SdofRecursion.h"
#include "core/formats/RecordLoader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

using namespace tremvix;

namespace {

constexpr double kPi = std::numbers::pi;

std::vector<float> Record(std::size_t n) {
    std::vector<float> a(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = i / 100.0;
        const double envelope = t * std::exp(1.0 - t / 2.0) / 2.0;
        a[i] = static_cast<float>(envelope * (200.0 * std::sin(2 * kPi * 1.3 * t) + 120.0 * std::sin(2 * kPi * 2.9 * t + 1.0) +
                                              70.0 * std::sin(2 * kPi * 7.0 * t + 2.0)));
    }
    return a;
}

// Largest |x'| of x'' + 0.4 w x' + w^2 x = -a(t), RK4, `fine` steps a sample, peaks at samples.
double ReferenceSv(const std::vector<float>& a, double dt, double period, int fine) {
    const double w = 2 * kPi / period, h = dt / fine;
    auto accel = [&](double x, double v, double g) { return -0.4 * w * v - w * w * x - g; };
    double x = 0.0, v = 0.0, largest = 0.0;
    for (std::size_t i = 0; i + 1 < a.size(); ++i) {
        for (int k = 0; k < fine; ++k) {
            const double g0 = a[i] + (a[i + 1] - a[i]) * k / fine, gm = a[i] + (a[i + 1] - a[i]) * (k + 0.5) / fine,
                         g1 = a[i] + (a[i + 1] - a[i]) * (k + 1.0) / fine;
            const double k1x = v, k1v = accel(x, v, g0);
            const double k2x = v + 0.5 * h * k1v, k2v = accel(x + 0.5 * h * k1x, v + 0.5 * h * k1v, gm);
            const double k3x = v + 0.5 * h * k2v, k3v = accel(x + 0.5 * h * k2x, v + 0.5 * h * k2v, gm);
            const double k4x = v + h * k3v, k4v = accel(x + h * k3x, v + h * k3v, g1);
            x += h / 6 * (k1x + 2 * k2x + 2 * k3x + k4x);
            v += h / 6 * (k1v + 2 * k2v + 2 * k3v + k4v);
        }
        largest = std::max(largest, std::abs(v));
    }
    return largest;
}

TEST(SpectrumIntensity, IsTheMeanRelativeVelocityResponseOverPointOneToTwoPointFiveSeconds) {
    const std::vector<float> a = Record(1500);
    const SiResult si = ComputeSpectrumIntensity(a, 100.0);
    ASSERT_FALSE(si.refusal);
    // Trapezoid over 0.1 … 2.5 s in steps of 0.005 s.
    double integral = 0.0, previous = ReferenceSv(a, 0.01, 0.1, 4);
    for (int i = 1; i <= 480; ++i) {
        const double sv = ReferenceSv(a, 0.01, 0.1 + 0.005 * i, 4);
        integral += (previous + sv) / 2 * 0.005;
        previous = sv;
    }
    EXPECT_NEAR(si.si, integral / 2.4, 2e-4 * si.si);
}

// Sv of a real record is rough in T; the integral must still have converged.
TEST(SpectrumIntensity, ConvergesOnRealRecordsAndScalesWithTheRecord) {
    for (const char* name : {"SMPH010001011200.NS2", "RSN9001_SAMPLEV_SMP000.AT2"}) {
        const LoadedRecord record =
            LoadRecordFile(std::string(TREMVIX_EXAMPLES_DIR "/network/") + name, FileLayout::Standard, 100.0);
        ASSERT_FALSE(record.refusal) << name;
        for (const TransferColumn& channel : record.channels) {
            const double si = ComputeSpectrumIntensity(channel.samples, record.rate).si;
            const double finer = ComputeSpectrumIntensity(channel.samples, record.rate, 2 * kSiIntervals).si;
            EXPECT_LT(std::abs(finer - si), 1e-5 * si) << name << " " << channel.id << ": halving the period step changes nothing that shows";
        }
    }
    const std::vector<float> a = Record(3000);
    const double si = ComputeSpectrumIntensity(a, 100.0).si;
    std::vector<float> doubled = a;
    for (float& v : doubled) v *= 2.0f;
    EXPECT_NEAR(ComputeSpectrumIntensity(doubled, 100.0).si, 2.0 * si, 1e-12 * si);
    EXPECT_EQ(ComputeSpectrumIntensity(std::vector<float>(10, std::nanf("")), 100.0).refusal->kind,
              AnalysisRefusalKind::NonFiniteSample);
}

// Every trapezoid of the integral lies where Sv is smooth: its two ends share a sub-step
// count (a jump of Sv is met by a pair of nodes a hair apart, one on each side), and the
// nodes integrate smooth functions of T as they should.
TEST(SpectrumIntensity, NodesIntegrateSmoothlyAndMeetEachJumpFromBothSides) {
    for (const double rate : {100.0, 200.0, 50.0, 20.0, 33.0}) {
        const std::vector<SiNode> nodes = SiNodes(rate);
        const double dt = 1.0 / rate;
        ASSERT_GE(nodes.size(), 2u);
        EXPECT_EQ(nodes.front().period, 0.1);
        EXPECT_EQ(nodes.back().period, 2.5);
        double length = 0.0, square = 0.0;
        int jumps = 0;
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            length += nodes[i].weight;
            square += nodes[i].weight * nodes[i].period * nodes[i].period;
            if (i == 0) continue;
            ASSERT_GT(nodes[i].period, nodes[i - 1].period) << rate;
            if (nodes[i].period - nodes[i - 1].period < 1e-6 * nodes[i].period) {
                ++jumps;
                EXPECT_EQ(SubstepsPerSample(nodes[i - 1].period, dt), SubstepsPerSample(nodes[i].period, dt) + 1) << rate;
            } else {
                EXPECT_EQ(SubstepsPerSample(nodes[i - 1].period, dt), SubstepsPerSample(nodes[i].period, dt))
                    << rate << " " << nodes[i - 1].period << " " << nodes[i].period;
            }
        }
        // Sub-step counts change at 10 dt / k.
        int expected = 0;
        for (int k = 1; 10.0 * dt / k > 0.1; ++k) expected += 10.0 * dt / k < 2.5 ? 1 : 0;
        EXPECT_EQ(jumps, expected) << rate;
        EXPECT_NEAR(length, 2.4, 1e-12) << rate;
        EXPECT_NEAR(square, (2.5 * 2.5 * 2.5 - 0.1 * 0.1 * 0.1) / 3.0, 5e-4) << rate;
    }
}

// At low rates Sv jumps where the sub-step count changes; the integral must converge all the same.
TEST(SpectrumIntensity, ConvergesAtRatesWhereSvJumps) {
    const LoadedRecord record =
        LoadRecordFile(std::string(TREMVIX_EXAMPLES_DIR "/network/SMP0010001011200.NS"), FileLayout::Standard, 100.0);
    ASSERT_FALSE(record.refusal);
    for (const int every : {2, 5}) {
        std::vector<float> thinned;
        for (std::size_t i = 0; i < record.channels.front().samples.size(); i += static_cast<std::size_t>(every))
            thinned.push_back(record.channels.front().samples[i]);
        const double rate = record.rate / every;
        const double si = ComputeSpectrumIntensity(thinned, rate).si;
        const double finer = ComputeSpectrumIntensity(thinned, rate, 2 * kSiIntervals).si;
        EXPECT_LT(std::abs(finer - si), 1e-5 * si) << rate << " Hz";
    }
}

TEST(SpectrumIntensity, TheGasIndustrysGuideToTheIntensity) {
    const struct {
        double si;
        const char* guide;
    } cases[] = {{0.0, "2以下"}, {0.99, "2以下"}, {1.0, "3"},   {3.99, "3"},    {4.0, "4"},   {10.0, "5弱"},
                 {19.99, "5弱"}, {20.0, "5強"}, {40.0, "6弱"}, {70.0, "6強"}, {119.9, "6強"}, {120.0, "7"}};
    for (const auto& c : cases) EXPECT_EQ(SiIntensityGuide(c.si), c.guide) << c.si;
}

}  // namespace
