// --lpgm, --si and --rotd as a user runs them: channels chosen by name or found,
// units converted to gal, and the numbers those of the analyses.
#include "CliTestSupport.h"
#include "DataFiles.h"
#include "StandardTestFile.h"

#include "core/analysis/LongPeriodGroundMotion.h"
#include "core/analysis/RotatedSpectrum.h"
#include "core/analysis/SpectrumIntensity.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

float North(int i) { return static_cast<float>(60.0 * std::sin(2 * kPi * i / 310.0) * std::exp(-i / 2500.0)); }
float East(int i) { return static_cast<float>(45.0 * std::cos(2 * kPi * i / 470.0 + 0.3) * std::exp(-i / 3000.0)); }
float Vertical(int i) { return static_cast<float>(20.0 * std::sin(2 * kPi * i / 40.0)); }

std::vector<float> Samples(float (*f)(int), int n, float scale = 1.0f) {
    std::vector<float> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) v[static_cast<std::size_t>(i)] = f(i) * scale;
    return v;
}

class ProductCommandsTest : public ::testing::Test {
protected:
    static constexpr int kLines = 4000;
    QString Record(const char* northUnit = "gal") {
        return files.Write("record.csv", StandardFile({{"UD", "gal", Vertical},
                                                       {"NS", northUnit, North},
                                                       {"EW", "gal", East},
                                                       {"VEL", "cm/s", Vertical}},
                                                      kLines));
    }
    DataFiles files;
};

TEST_F(ProductCommandsTest, TheLongPeriodClassOfTheHorizontalsFoundOrNamed) {
    const QString file = Record();
    const CliResult found = RunProgram({"--lpgm", file});
    ASSERT_EQ(found.status, 0) << found.err.toStdString();
    const auto rows = CsvRows(found.out);
    ASSERT_EQ(rows.size(), 33u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"period_s", "sva", "class"}));
    const tremvix::LongPeriodResult core =
        tremvix::ComputeLongPeriodClass(Samples(North, kLines), Samples(East, kLines), 100.0);
    for (int k = 0; k < 32; ++k) {
        const auto& row = rows[static_cast<std::size_t>(k + 1)];
        EXPECT_EQ(Number(row[0]), (16 + 2 * k) / 10.0) << "the period as a decimal: 2.4, not 2.4000000000000004";
        EXPECT_EQ(Number(row[1]), core.rows[static_cast<std::size_t>(k)].sva);
        EXPECT_EQ(std::stoi(row[2]), core.rows[static_cast<std::size_t>(k)].level);
    }
    // Named the other way round, and by number: the horizontal vector is the same.
    EXPECT_EQ(RunProgram({"--lpgm", file, "--channels", "EW,NS"}).out, found.out);
    EXPECT_EQ(RunProgram({"--lpgm", file, "--channels", "2,3"}).out, found.out);
}

TEST_F(ProductCommandsTest, RecordsWithoutTwoHorizontalsAreRefusedWithAClearWord) {
    const QString only = files.Write("ud.csv", StandardFile({{"UD", "gal", Vertical}, {"VEL", "cm/s", Vertical}}, 1000));
    for (const char* command : {"--lpgm", "--rotd"}) {
        const CliResult result = RunProgram({command, only});
        EXPECT_EQ(result.status, 1) << command;
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(QString::fromUtf8(result.err).contains(QStringLiteral("水平二成分"))) << result.err.toStdString();
    }
    const QString file = Record();
    EXPECT_EQ(RunProgram({"--lpgm", file, "--channels", "NS"}).status, 2) << "two components, not one";
    EXPECT_EQ(RunProgram({"--rotd", file, "--channels", "NS,NS"}).status, 2);
    const CliResult velocity = RunProgram({"--lpgm", file, "--channels", "NS,VEL"});
    EXPECT_EQ(velocity.status, 1) << "a velocity is no ground acceleration";
}

TEST_F(ProductCommandsTest, SiOfEveryAccelerationChannelInGal) {
    const CliResult result = RunProgram({"--si", Record("m/s2")});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const auto rows = CsvRows(result.out);
    ASSERT_EQ(rows.size(), 4u) << "the velocity channel has no SI";
    EXPECT_EQ(rows[0], (std::vector<std::string>{"channel", "id", "si"}));
    EXPECT_EQ(rows[2][0], "2");
    EXPECT_EQ(rows[2][1], "NS");
    // m/s2 is a hundred gal.
    const double ns = tremvix::ComputeSpectrumIntensity(Samples(North, kLines, 100.0f), 100.0).si;
    EXPECT_EQ(Number(rows[2][2]), ns);
    EXPECT_NEAR(Number(rows[2][2]), 100.0 * tremvix::ComputeSpectrumIntensity(Samples(North, kLines), 100.0).si, 1e-9 * ns);
    EXPECT_EQ(Number(rows[3][2]), tremvix::ComputeSpectrumIntensity(Samples(East, kLines), 100.0).si);
}

TEST_F(ProductCommandsTest, RotdRowsStartWithTheGroundAndFollowTheOptions) {
    const QString file = Record();
    const CliResult result = RunProgram({"--rotd", file, "--channels", "NS,EW", "--damping", "0.02", "--periods", "2,0.5"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const auto rows = CsvRows(result.out);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"period_s", "psa_a", "psa_b", "rotd00", "rotd50", "rotd100", "angle100_deg",
                                                 "gmroti50"}));
    tremvix::RotatedSpectrumOptions options;
    options.damping = 0.02;
    options.periods = {0.5, 2.0};
    const tremvix::RotatedSpectrumResult core =
        tremvix::ComputeRotatedSpectrum(Samples(North, kLines), Samples(East, kLines), 100.0, options);
    for (std::size_t k = 0; k < 3; ++k) {
        const auto& row = rows[k + 1];
        const tremvix::RotatedSpectrumRow& expected = core.rows[k];
        EXPECT_EQ(Number(row[0]), expected.period);
        EXPECT_EQ(Number(row[1]), expected.psaA);
        EXPECT_EQ(Number(row[2]), expected.psaB);
        EXPECT_EQ(Number(row[4]), expected.rotd50);
        EXPECT_EQ(std::stoi(row[6]), expected.angle100);
        EXPECT_EQ(Number(row[7]), expected.gmroti50);
    }
    // The ground row: the peak of the north component as recorded.
    double pga = 0.0;
    for (const float a : Samples(North, kLines)) pga = std::max(pga, static_cast<double>(std::abs(a)));
    EXPECT_EQ(Number(rows[1][1]), pga);
    EXPECT_EQ(RunProgram({"--rotd", file, "--damping", "0.02,0.05"}).status, 2) << "one damping";
    EXPECT_EQ(RunProgram({"--rotd", file, "--damping", "1"}).status, 2);
}

}  // namespace
