#include "CliTestSupport.h"
#include "DataFiles.h"
#include "StandardTestFile.h"

#include "core/analysis/FourierSpectrum.h"
#include "core/analysis/GroundMotionIndices.h"
#include "core/analysis/JmaIntensity.h"
#include "core/analysis/ParzenSmoothing.h"
#include "core/analysis/ResponseSpectrum.h"
#include "core/data/ChannelRecord.h"
#include "core/dsp/ChannelConversion.h"
#include "core/dsp/FilterSettings.h"
#include "core/formats/RecordLoader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

std::vector<std::vector<std::string>> Rows(const QStringList& arguments) {
    const CliResult result = RunProgram(arguments);
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    return CsvRows(result.out);
}

tremvix::LoadedRecord Load(const QString& file, double rate = 100.0) {
    return tremvix::LoadRecordFile(file.toStdString(), tremvix::FileLayout::Standard, rate);
}

TEST(CliSpectrumTest, StepOfGroundAccelerationGivesTheClosedFormPeaks) {
    DataFiles files;
    const QString file = files.Write("step.csv", StandardFile({{"A", "gal", [](int) { return 100.0f; }},
                                                              {"V", "kine", [](int) { return 1.0f; }}}, 400));
    const auto rows = Rows({"--spectrum", file, "--channel", "1", "--damping", "0,0.05", "--periods", "1,0.5"});
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"damping", "period_s", "sd", "sv", "sa", "psv", "psa"}));
    // At rest under a sudden constant a: x = (a / w^2)(1 - e^(-zwt)(cos wd t + z / sqrt(1 - z^2) sin wd t)).
    const double a = 100.0;
    const struct { double damping, period; int row; } cases[] = {{0, 0.5, 1}, {0, 1, 2}, {0.05, 1, 4}};
    for (const auto& c : cases) {
        const std::vector<std::string>& row = rows[c.row];
        EXPECT_EQ(Number(row[0]), c.damping);
        EXPECT_EQ(Number(row[1]), c.period);
        const double w = 2 * kPi / c.period;
        const double overshoot = std::exp(-c.damping * kPi / std::sqrt(1 - c.damping * c.damping));
        const double sd = a / (w * w) * (1 + overshoot);
        EXPECT_NEAR(Number(row[2]), sd, 1e-4 * sd) << c.row;
        EXPECT_NEAR(Number(row[5]), w * sd, 1e-4 * w * sd);
        EXPECT_NEAR(Number(row[6]), w * w * sd, 1e-4 * w * w * sd);
    }
    EXPECT_NEAR(Number(rows[2][3]), a / (2 * kPi), 1e-9 * a);  // undamped: the quarter period, on a sample
    EXPECT_NEAR(Number(rows[2][4]), 2 * a, 1e-9 * a);

    // The same numbers as the analysis itself, and a unit that is not an acceleration refused.
    const tremvix::LoadedRecord record = Load(file);
    tremvix::ResponseSpectrumOptions options;
    options.dampings = {0.02};
    const auto ownRows = Rows({"--spectrum", file, "--channel", "1", "--damping", "0.02"});
    const tremvix::ResponseSpectrumResult direct = ComputeResponseSpectrum(record.channels[0].samples, 0.01, options);
    ASSERT_EQ(ownRows.size(), 201u);
    for (std::size_t k = 0; k < 200; ++k) {
        const tremvix::SpectrumValues& v = direct.spectra[0].values[k];
        ASSERT_EQ(Number(ownRows[k + 1][1]), v.period);
        ASSERT_EQ(Number(ownRows[k + 1][3]), v.sv);
        ASSERT_EQ(Number(ownRows[k + 1][4]), v.sa);
    }
    const CliResult velocity = RunProgram({"--spectrum", file, "--channel", "2"});
    EXPECT_EQ(velocity.status, 1);
    EXPECT_TRUE(velocity.err.contains("加速度ではありません")) << velocity.err.toStdString();
    EXPECT_EQ(RunProgram({"--spectrum", file, "--channel", "3"}).status, 1);
}

TEST(CliFourierTest, SineOnABinHasAmplitudeANdtOverTwo) {
    DataFiles files;
    const int n = 1000;
    const float amplitude = 50.0f;
    const auto sine = [=](int i) { return static_cast<float>(amplitude * std::sin(2 * kPi * 20 * i / n)); };
    const QString file = files.Write("sine.csv", StandardFile({{"S", "kine", sine}}, n));
    const auto rows = Rows({"--fourier", file, "--channel", "1", "--rate", "100"});
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(n / 2 + 2));
    EXPECT_EQ(rows[0], (std::vector<std::string>{"frequency_hz", "amplitude"}));
    EXPECT_NEAR(Number(rows[21][0]), 2.0, 1e-12);
    EXPECT_NEAR(Number(rows[21][1]), amplitude * n * 0.01 / 2, 1e-4);
    EXPECT_LT(Number(rows[6][1]), 1e-3);

    const tremvix::LoadedRecord record = Load(file);
    const tremvix::FourierSpectrum direct = tremvix::ComputeFourierSpectrum(record.channels[0].samples, 0.01);
    const tremvix::SmoothedSpectrum smoothed =
        tremvix::SmoothParzen(direct.amplitudes, direct.frequencyStep, 0.4);
    const auto smoothRows = Rows({"--fourier", file, "--channel", "1", "--smooth", "0.4"});
    ASSERT_EQ(smoothRows.size(), rows.size());
    for (std::size_t k = 0; k < direct.amplitudes.size(); ++k) {
        ASSERT_EQ(Number(rows[k + 1][1]), direct.amplitudes[k]) << k;
        ASSERT_EQ(Number(smoothRows[k + 1][1]), smoothed.amplitudes[k]) << k;
    }
    const QString single = files.Write("one.csv", StandardFile({{"S", "gal", sine}}, 1));
    EXPECT_EQ(RunProgram({"--fourier", single, "--channel", "1"}).status, 1);
}

// The JMA filters as published: period effect, high cut and low cut.
double PublishedGain(double f) {
    const double y = f / 10;
    double poly = 1;
    const double terms[] = {0.694, 0.241, 0.0557, 0.009664, 0.00134, 0.000155};
    for (int p = 0; p < 6; ++p) poly += terms[p] * std::pow(y, 2 * (p + 1));
    return std::sqrt(1 / f) / std::sqrt(poly) * std::sqrt(1 - std::exp(-std::pow(f / 0.5, 3)));
}

TEST(CliIntensityTest, SineOfKnownLevelGivesItsIntensityFromTheAccelerationChannels) {
    // One component swinging at 1 Hz (a whole number of cycles): the filtered vector sum
    // is |100 A G sin|, and a0 its 30th largest value at 100 samples per second.
    const int n = 2000;
    std::vector<double> sum;
    for (int i = 0; i < n; ++i) sum.push_back(std::fabs(std::sin(2 * kPi * i / 100.0)));
    std::sort(sum.rbegin(), sum.rend());
    const double wanted = 4.73;
    const double a0 = std::pow(10.0, (wanted - 0.94) / 2);
    const double amplitude = a0 / (100 * PublishedGain(1.0) * sum[29]);  // m/s2
    const auto sine = [=](int i) { return static_cast<float>(amplitude * std::sin(2 * kPi * i / 100.0)); };
    const auto zero = [](int) { return 0.0f; };
    DataFiles files;
    const QString file = files.Write(
        "jma.csv", StandardFile({{"NS", "kine", [](int i) { return 1000.0f * (i % 7); }}, {"UD", "m/s2", zero},
                                 {"NS", "m/s2", sine}, {"EW", "m/s2", zero}},
                                n));
    const auto rows = Rows({"--intensity", file});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"a0", "intensity", "reported", "class"}));
    EXPECT_NEAR(Number(rows[1][0]), a0, 1e-5 * a0);
    EXPECT_NEAR(Number(rows[1][1]), wanted, 1e-5);
    EXPECT_EQ(rows[1][2], "4.7");
    EXPECT_EQ(rows[1][3], "震度5弱");
    EXPECT_EQ(Rows({"--intensity", file, "--channels", "3,4,2"}), rows);

    const tremvix::LoadedRecord record = Load(file);
    std::vector<float> ns = record.channels[2].samples, other(n, 0.0f);
    for (float& v : ns) v = static_cast<float>(v * 100.0);
    EXPECT_EQ(Number(rows[1][0]), tremvix::ComputeJmaIntensity(ns, other, other, 100.0).a0);

    const CliResult velocity = RunProgram({"--intensity", file, "--channels", "1,2,4"});
    EXPECT_EQ(velocity.status, 1);
    EXPECT_TRUE(velocity.err.contains("加速度ではありません"));
    const QString two = files.Write("two.csv", StandardFile({{"NS", "gal", sine}, {"EW", "gal", sine}}, n));
    EXPECT_EQ(RunProgram({"--intensity", two}).status, 1);
}

TEST(CliIndicesTest, DefinitionsHoldPerAccelerationChannelInGal) {
    const int n = 3000;
    const auto quake = [](int i) {
        return static_cast<float>(80 * std::exp(-i / 900.0) * std::sin(0.21 * i) + 30 * std::sin(0.05 * i + 1));
    };
    DataFiles files;
    const QString file = files.Write(
        "indices.csv", StandardFile({{"A", "gal", quake}, {"V", "kine", quake}, {"M", "m/s2", quake},
                                     {"Z", "gal", [](int) { return 0.0f; }}},
                                    n));
    const auto rows = Rows({"--indices", file, "--rate", "200", "--integration", "none"});
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"channel", "id", "pga", "pga_time_s", "pgv", "pgd", "arias",
                                                 "d5_95", "cav"}));
    EXPECT_EQ(rows[1][0] + rows[2][0] + rows[3][0], "134");
    EXPECT_EQ(rows[3], (std::vector<std::string>{"4", "Z", "0", "0", "0", "0", "0", "", "0"}));

    for (const auto& [row, factor] : {std::pair{1, 1.0}, std::pair{2, 100.0}}) {
        std::vector<double> a;
        for (int i = 0; i < n; ++i) a.push_back(static_cast<float>(quake(i) * factor));
        const double dt = 1.0 / 200;
        // The indices are of the record less its mean.
        double mean = 0;
        for (const double x : a) mean += x / n;
        std::vector<double> c;
        for (const double x : a) c.push_back(x - mean);
        std::size_t peak = 0;
        double arias = 0, cav = 0;
        for (std::size_t i = 0; i < c.size(); ++i) {
            if (std::fabs(c[i]) > std::fabs(c[peak])) peak = i;
            arias += c[i] * c[i] * dt;
            cav += std::fabs(c[i]) * dt;
        }
        double running = 0, t5 = -1, t95 = -1;
        for (std::size_t k = 0; k <= c.size(); ++k) {
            if (t5 < 0 && running >= 0.05 * arias) t5 = k * dt;
            if (t95 < 0 && running >= 0.95 * arias) t95 = k * dt;
            if (k < c.size()) running += c[k] * c[k] * dt;
        }
        // Velocity and displacement: mean removed, then the rectangle rule, twice.
        std::vector<double> v(1, 0.0), d(1, 0.0);
        for (int i = 0; i + 1 < n; ++i) v.push_back(v.back() + (a[i] - mean) * dt);
        double vMean = 0;
        for (const double x : v) vMean += x / n;
        for (int i = 0; i + 1 < n; ++i) d.push_back(d.back() + (v[i] - vMean) * dt);
        const auto largest = [](const std::vector<double>& x) {
            double m = 0;
            for (const double e : x) m = std::max(m, std::fabs(e));
            return m;
        };
        const std::vector<std::string>& r = rows[row];
        EXPECT_NEAR(Number(r[2]), std::fabs(c[peak]), 1e-6 * std::fabs(c[peak]));
        EXPECT_NEAR(Number(r[3]), peak * dt, 1e-12);
        EXPECT_NEAR(Number(r[4]), largest(v), 1e-3 * largest(v));
        EXPECT_NEAR(Number(r[5]), largest(d), 1e-3 * largest(d));
        EXPECT_NEAR(Number(r[6]), kPi / (2 * 980.665) * arias, 1e-6 * arias);
        EXPECT_NEAR(Number(r[7]), t95 - t5, 1e-9);
        EXPECT_NEAR(Number(r[8]), cav, 1e-6 * cav);
    }
}

// One channel the analysis cannot take spoils the table: nothing is printed, not a
// table that silently lacks it.
TEST(CliIndicesTest, AChannelTheAnalysisRefusesRefusesTheWholeTable) {
    const auto wave = [](int i) { return static_cast<float>(10 * std::sin(0.1 * i)); };
    DataFiles files;
    // 3e37 m/s2 is beyond a float once in gal.
    const QString file = files.Write(
        "overflow.csv", StandardFile({{"A", "gal", wave}, {"M", "m/s2", [](int i) { return i == 5 ? 3e37f : 0.0f; }},
                                      {"B", "gal", wave}},
                                     500));
    const CliResult result = RunProgram({"--indices", file});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    EXPECT_TRUE(result.err.contains("チャンネル 2")) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("数値でない値")) << result.err.toStdString();
}

// Header texts in Shift-JIS (a Japanese standard file) come out as UTF-8, as --info writes them.
TEST(CliIndicesTest, ChannelIdsAreWrittenInUtf8) {
    DataFiles files;
    const QString file = files.Write("sjis.csv", "\x82\x50\x8A\x4B,\x93\x8C\x90\xBC\r\n"  // "１階", "東西"
                                                 "p,q\r\nm,m\r\ngal,gal\r\n1,2\r\n-3,0.5\r\n4,1\r\n");
    const CliResult result = RunProgram({"--indices", file, "--integration", "none"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const auto rows = CsvRows(result.out);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1][1], "\xef\xbc\x91\xe9\x9a\x8e");
    EXPECT_EQ(rows[2][1], "\xe6\x9d\xb1\xe8\xa5\xbf");
    EXPECT_EQ(QString::fromUtf8(result.out).toUtf8(), result.out) << "valid UTF-8 throughout";
}

// The integration filters are the main window's for the rate rounded to whole hertz;
// times and sums use the exact rate.
TEST(CliIndicesTest, FiltersAreDesignedForTheWholeHertzRate) {
    QByteArray at2 = "PEER NGA STRONG MOTION DATABASE RECORD\nTest, 1/1/2000, Station, 000\n"
                     "ACCELERATION TIME SERIES IN UNITS OF G\nNPTS=  2000, DT=   .0049 SEC\n";
    for (int i = 0; i < 2000; ++i)
        at2 += QByteArray::number(0.1 * std::sin(0.13 * i) * std::exp(-i / 700.0), 'E', 7) + (i % 5 == 4 ? "\n" : " ");
    DataFiles files;
    const QString file = files.Write("RSN1_TEST_A000.AT2", at2);
    const tremvix::LoadedRecord record = Load(file);
    ASSERT_FALSE(record.refusal);
    tremvix::ChannelRecord acceleration;
    acceleration.Samples = record.channels[0].samples;
    acceleration.SampleCount = static_cast<int>(acceleration.Samples.size());
    tremvix::FilterSettings filters;
    filters.StartUp();
    filters.SamplingRate = 204;
    filters.Recompute();
    for (const auto& [name, filter] : {std::pair{"bandpass", tremvix::IntegrationFilter::BandPass},
                                       std::pair{"lowpass", tremvix::IntegrationFilter::LowPass}}) {
        const tremvix::IntegrationSetup setup{filters.SamplingInterval, filter, filters.BandPass.data(),
                                              filters.LowPass.data()};
        const tremvix::GroundMotionIndices direct = ComputeGroundMotionIndices(acceleration, setup, record.rate);
        const auto rows = Rows({"--indices", file, "--integration", name});
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(Number(rows[1][3]), direct.pgaTime) << name;
        EXPECT_EQ(Number(rows[1][4]), direct.pgv) << name;
        EXPECT_EQ(Number(rows[1][5]), direct.pgd) << name;
        EXPECT_EQ(Number(rows[1][7]), *direct.d5_95) << name;
    }
    EXPECT_EQ(Rows({"--indices", file}), Rows({"--indices", file, "--integration", "bandpass"}));
}

}  // namespace
