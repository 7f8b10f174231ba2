#include "core/analysis/GroundMotionIndices.h"

#include "core/data/ChannelRecord.h"
#include "core/dsp/ChannelConversion.h"
#include "core/dsp/FilterSettings.h"
#include "core/dsp/Integrate.h"
#include "core/formats/NetworkRecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <numbers>
#include <vector>

using namespace tremvix;

namespace {

constexpr double kPi = std::numbers::pi;

ChannelRecord Record(const std::vector<float>& samples) {
    ChannelRecord r;
    r.Filled = 1;
    r.SampleCount = static_cast<std::int32_t>(samples.size());
    r.Samples = samples;
    return r;
}

// A sin(2 pi f (t - t0)) for t0 <= t < t0 + D (whole periods), zero elsewhere.
struct Burst {
    double amplitude = 200.0, frequency = 1.0, start = 3.0, duration = 4.0, dt = 0.01;
    std::size_t samples = 1000;
    std::vector<float> Samples() const {
        std::vector<float> a(samples, 0.0f);
        for (std::size_t i = 0; i < samples; ++i) {
            const double t = i * dt - start;
            if (t >= -1e-9 && t < duration - 1e-9) a[i] = static_cast<float>(amplitude * std::sin(2 * kPi * frequency * t));
        }
        return a;
    }
    // Time into the burst at which the closed-form integral of a^2,
    // A^2/2 (tau - sin(4 pi f tau) / (4 pi f)), reaches the fraction p of its whole.
    double TimeAt(double p) const {
        double lo = 0.0, hi = duration;
        for (int i = 0; i < 100; ++i) {
            const double mid = 0.5 * (lo + hi);
            const double reached = mid - std::sin(4 * kPi * frequency * mid) / (4 * kPi * frequency);
            (reached < p * duration ? lo : hi) = mid;
        }
        return lo;
    }
};

IntegrationSetup IntegrationFor(const FilterSettings& f, IntegrationFilter filter) {
    return {f.SamplingInterval, filter, f.BandPass.data(), f.LowPass.data()};
}

}  // namespace

// Arias = pi/(2g) A^2 D / 2, CAV = A D 2/pi, D5-95 from the closed-form build-up.
TEST(GroundMotionIndices, SineBurstMatchesClosedForms) {
    const Burst b;
    const std::vector<float> a = b.Samples();
    const double arias = kPi / (2 * 980.665) * b.amplitude * b.amplitude * b.duration / 2;
    EXPECT_NEAR(AriasIntensity(a, b.dt), arias, 1e-6 * arias);
    const double cav = b.amplitude * b.duration * 2 / kPi;
    EXPECT_NEAR(CumulativeAbsoluteVelocity(a, b.dt), cav, 1e-3 * cav);  // rectangle rule on |sin|
    const std::optional<double> d = SignificantDuration(a, 1.0 / b.dt);
    ASSERT_TRUE(d);
    EXPECT_NEAR(*d, b.TimeAt(0.95) - b.TimeAt(0.05), 1.5 * b.dt);

    FilterSettings f;
    f.StartUp();
    const GroundMotionIndices g = ComputeGroundMotionIndices(Record(a), IntegrationFor(f, IntegrationFilter::None), 1.0 / b.dt);
    ASSERT_FALSE(g.refusal);
    EXPECT_EQ(g.arias, AriasIntensity(a, b.dt));
    EXPECT_EQ(g.cav, CumulativeAbsoluteVelocity(a, b.dt));
    EXPECT_EQ(g.d5_95, d);
    EXPECT_NEAR(g.pga, b.amplitude, 1e-4);
    // The first crest, a quarter period into the burst.
    EXPECT_NEAR(g.pgaTime, b.start + 0.25, 1e-9);
}

TEST(GroundMotionIndices, PeakIsTheFirstLargestMagnitude) {
    const std::vector<float> a{1.0f, -7.5f, 3.0f, 7.5f, -7.5f, 0.0f};
    const SamplePeak p = PeakOf(a);
    EXPECT_EQ(p.magnitude, 7.5);
    EXPECT_EQ(p.index, 1u);
    FilterSettings f;
    f.StartUp();
    // Summing to 0, the record is its own centred record.
    std::vector<float> centred = a;
    centred.push_back(3.5f);
    const GroundMotionIndices g = ComputeGroundMotionIndices(Record(centred), IntegrationFor(f, IntegrationFilter::None), 50.0);
    EXPECT_EQ(g.pga, 7.5);
    EXPECT_DOUBLE_EQ(g.pgaTime, 0.02);
}

// PGV and PGD are the peaks of what the velocity and "cm" commands make.
TEST(GroundMotionIndices, VelocityAndDisplacementPeaksComeFromTheProgramsIntegration) {
    const Burst b{150.0, 2.5, 1.0, 6.0, 0.01, 1500};
    const ChannelRecord a = Record(b.Samples());
    FilterSettings f;
    f.StartUp();
    for (const IntegrationFilter filter : {IntegrationFilter::None, IntegrationFilter::BandPass, IntegrationFilter::LowPass}) {
        const IntegrationSetup setup = IntegrationFor(f, filter);
        ChannelRecord v, d;
        ASSERT_TRUE(Integrate(a, setup.dt, filter, setup.bandPass, setup.lowPass, v));
        ASSERT_TRUE(Integrate(v, setup.dt, filter, setup.bandPass, setup.lowPass, d));
        double pgv = 0.0, pgd = 0.0;
        for (int i = 0; i < v.SampleCount; ++i) pgv = std::max(pgv, std::abs(static_cast<double>(v.Samples[i])));
        for (int i = 0; i < d.SampleCount; ++i) pgd = std::max(pgd, std::abs(static_cast<double>(d.Samples[i])));
        const GroundMotionIndices g = ComputeGroundMotionIndices(a, setup, 100.0);
        ASSERT_FALSE(g.refusal);
        EXPECT_EQ(g.pgv, pgv) << static_cast<int>(filter);
        EXPECT_EQ(g.pgd, pgd) << static_cast<int>(filter);
        EXPECT_GT(g.pgd, 0.0);
    }
    // Unfiltered, the velocity of A sin(w t) over whole periods swings 2 A / w.
    const GroundMotionIndices plain = ComputeGroundMotionIndices(a, IntegrationFor(f, IntegrationFilter::None), 100.0);
    EXPECT_NEAR(plain.pgv, 2 * 150.0 / (2 * kPi * 2.5), 0.02 * plain.pgv);
}

// The peaks alone are the full computation's, for a record with an offset too.
TEST(GroundMotionIndices, PeaksAloneEqualTheFullIndices) {
    std::vector<float> samples = Burst{120.0, 1.5, 2.0, 5.0, 0.01, 1200}.Samples();
    for (float& s : samples) s += 3.25f;
    const ChannelRecord a = Record(samples);
    FilterSettings f;
    f.StartUp();
    for (const IntegrationFilter filter : {IntegrationFilter::None, IntegrationFilter::BandPass, IntegrationFilter::LowPass}) {
        const IntegrationSetup setup = IntegrationFor(f, filter);
        const GroundMotionIndices full = ComputeGroundMotionIndices(a, setup, 100.0);
        const PeakMotion both = ComputePeakMotion(a, setup, 100.0, true);
        const PeakMotion pgaOnly = ComputePeakMotion(a, setup, 100.0, false);
        ASSERT_FALSE(both.refusal);
        EXPECT_EQ(both.pga, full.pga);
        ASSERT_TRUE(both.pgv);
        EXPECT_EQ(*both.pgv, full.pgv) << static_cast<int>(filter);
        EXPECT_EQ(pgaOnly.pga, full.pga);
        EXPECT_FALSE(pgaOnly.pgv);
    }
    const IntegrationSetup setup = IntegrationFor(f, IntegrationFilter::None);
    EXPECT_TRUE(ComputePeakMotion(Record({1.0f}), setup, 100.0, false).refusal);
    EXPECT_TRUE(ComputePeakMotion(Record({1.0f, NAN}), setup, 100.0, true).refusal);
}

TEST(GroundMotionIndices, SilenceHasNoSignificantDuration) {
    FilterSettings f;
    f.StartUp();
    const GroundMotionIndices g = ComputeGroundMotionIndices(Record(std::vector<float>(300, 0.0f)),
                                                             IntegrationFor(f, IntegrationFilter::BandPass), 100.0);
    ASSERT_FALSE(g.refusal);
    EXPECT_FALSE(g.d5_95);
    EXPECT_EQ(g.arias, 0.0);
    EXPECT_EQ(g.pga, 0.0);
}

TEST(GroundMotionIndices, BadRecordsAreRefused) {
    FilterSettings f;
    f.StartUp();
    const IntegrationSetup setup = IntegrationFor(f, IntegrationFilter::None);
    auto kind = [](const GroundMotionIndices& g) { return g.refusal ? g.refusal->kind : AnalysisRefusalKind{-1}; };
    EXPECT_EQ(kind(ComputeGroundMotionIndices(Record({1.0f}), setup, 100.0)), AnalysisRefusalKind::TooFewSamples);
    ChannelRecord claims = Record({1.0f, 2.0f, 3.0f});
    claims.SampleCount = 50;  // more than it holds: only the three are read
    EXPECT_FALSE(ComputeGroundMotionIndices(claims, setup, 100.0).refusal);
    for (const double rate : {0.0, -100.0, std::numeric_limits<double>::infinity(), std::nan(""), 1e-310})
        EXPECT_EQ(kind(ComputeGroundMotionIndices(Record({1.0f, 2.0f}), setup, rate)), AnalysisRefusalKind::BadSamplingStep) << rate;
    IntegrationSetup zero = setup;
    zero.dt = 0.0f;
    EXPECT_EQ(kind(ComputeGroundMotionIndices(Record({1.0f, 2.0f}), zero, 100.0)), AnalysisRefusalKind::BadSamplingStep);
    EXPECT_EQ(kind(ComputeGroundMotionIndices(Record({1.0f, NAN, 2.0f}), setup, 100.0)), AnalysisRefusalKind::NonFiniteSample);
}

namespace {

// The indices from their published definitions, of the record less its mean, in
// double precision: a plain loop per index.
struct Definitions {
    double pga = 0.0, arias = 0.0, cav = 0.0, d5_95 = 0.0;
    std::size_t pgaIndex = 0;

    Definitions(const std::vector<float>& samples, double rate) {
        double mean = 0.0;
        for (const float v : samples) mean += v;
        mean /= static_cast<double>(samples.size());
        std::vector<double> c;
        for (const float v : samples) c.push_back(v - mean);
        double squares = 0.0;
        for (std::size_t i = 0; i < c.size(); ++i) {
            if (std::abs(c[i]) > pga) pga = std::abs(c[i]), pgaIndex = i;
            squares += c[i] * c[i];
            cav += std::abs(c[i]) / rate;
        }
        arias = kPi / (2 * 980.665) * squares / rate;
        // t_p: the first k / rate whose sum of c^2 over the samples before k reaches p of the whole.
        // The duration is a whole number of samples over the rate.
        double running = 0.0;
        long k5 = -1, k95 = -1;
        for (std::size_t k = 0; k <= c.size(); ++k) {
            if (k5 < 0 && running >= 0.05 * squares) k5 = static_cast<long>(k);
            if (k95 < 0 && running >= 0.95 * squares) k95 = static_cast<long>(k);
            if (k < c.size()) running += c[k] * c[k];
        }
        d5_95 = static_cast<double>(k95 - k5) / rate;
    }
};

// Max. Acc. of a K-NET / KiK-net header ("Max. Acc. (gal)" or "Max Acc. (gal)"):
// the value after its 18-character title.
double HeaderMaxAcc(const std::filesystem::path& file) {
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("Max", 0) == 0 && line.find("Acc.") < 18) return std::stod(line.substr(18));
    return -1.0;
}

}  // namespace

// An offset of 10 gal: the raw record's largest |a| is a sample at 12 s, the
// centred record's one at 26.15 s.
TEST(GroundMotionIndices, IndicesAreOfTheRecordLessItsMean) {
    const double rate = 100.0;
    std::vector<float> a(4000);
    for (std::size_t i = 0; i < a.size(); ++i) {
        const double t = static_cast<double>(i) - 2000.0;
        a[i] = static_cast<float>(10.0 + 60.0 * std::sin(0.3 * i) * std::exp(-t * t / 360000.0));
    }
    a[1200] = 290.0f;
    a[2615] = -285.0f;
    const Definitions expected(a, rate);
    ASSERT_EQ(expected.pgaIndex, 2615u);
    ASSERT_EQ(PeakOf(a).index, 1200u) << "the raw peak is elsewhere";

    FilterSettings f;
    f.StartUp();
    const GroundMotionIndices g = ComputeGroundMotionIndices(Record(a), IntegrationFor(f, IntegrationFilter::None), rate);
    ASSERT_FALSE(g.refusal);
    EXPECT_NEAR(g.pga, expected.pga, 1e-6 * expected.pga);
    EXPECT_NEAR(g.arias, expected.arias, 1e-6 * expected.arias);
    EXPECT_NEAR(g.cav, expected.cav, 1e-6 * expected.cav);
    EXPECT_EQ(g.d5_95, expected.d5_95);
    // The time of sample i is i / rate as printed, 26.15, not i dt = 26.150000000000002.
    ASSERT_NE(2615 * (1.0 / rate), 26.15);
    EXPECT_EQ(g.pgaTime, 26.15);
}

// The significant duration of a^2 differs from that of |a|; the first sample counts.
TEST(GroundMotionIndices, DurationAndCavFollowTheirDefinitionsAtAnyRate) {
    const double rate = 200.0;
    std::vector<float> a(3000);
    for (std::size_t i = 0; i < a.size(); ++i)
        a[i] = static_cast<float>(-40.0 + 120.0 * std::exp(-static_cast<double>(i) / 500.0) * std::sin(0.21 * i));
    a[0] = 500.0f;
    const Definitions expected(a, rate);
    FilterSettings f;
    f.StartUp();
    const GroundMotionIndices g = ComputeGroundMotionIndices(Record(a), IntegrationFor(f, IntegrationFilter::None), rate);
    ASSERT_FALSE(g.refusal);
    EXPECT_NEAR(g.cav, expected.cav, 1e-6 * expected.cav);
    ASSERT_TRUE(g.d5_95);
    EXPECT_NEAR(*g.d5_95, expected.d5_95, 1e-9);
    EXPECT_EQ(g.pgaTime, 0.0);
    EXPECT_NEAR(g.pga, expected.pga, 1e-6 * expected.pga);
}

// The networks publish Max. Acc. as the peak after removing the mean: the indices'
// PGA of each bundled K-NET and KiK-net component is the header's to its 3 decimals.
TEST(GroundMotionIndices, PgaOfNetworkRecordsIsTheHeadersMaxAcc) {
    const std::filesystem::path folder = std::filesystem::path(TREMVIX_EXAMPLES_DIR) / "network";
    FilterSettings f;
    f.StartUp();
    for (const char* name : {"SMPH010001011200.NS2", "SMPH010001011200.EW2", "SMPH010001011200.UD2",
                             "SMPH010001011200.NS1", "SMPH010001011200.EW1", "SMPH010001011200.UD1",
                             "SMP0010001011200.NS", "SMP0010001011200.EW", "SMP0010001011200.UD"}) {
        SCOPED_TRACE(name);
        const std::filesystem::path file = folder / name;
        const double header = HeaderMaxAcc(file);
        ASSERT_GT(header, 0.0);
        const std::optional<NetworkLayout> layout = DetectNetworkLayout(file);
        ASSERT_TRUE(layout);
        const ScanResult scan = ScanNetworkRecord(file, *layout);
        ASSERT_FALSE(scan.refusal);
        int index = 0;
        while (index < static_cast<int>(scan.files.size()) && scan.files[static_cast<std::size_t>(index)] != file) ++index;
        const TransferRead read = ReadNetworkChannels(file, *layout, {index});
        ASSERT_FALSE(read.refusal);
        const std::vector<float>& samples = read.columns.at(0).samples;
        const GroundMotionIndices g =
            ComputeGroundMotionIndices(Record(samples), IntegrationFor(f, IntegrationFilter::BandPass), scan.samplingRate);
        ASSERT_FALSE(g.refusal);
        EXPECT_NEAR(g.pga, header, 0.0005);
        EXPECT_NEAR(g.pga, Definitions(samples, scan.samplingRate).pga, 1e-6 * header);
    }
}
