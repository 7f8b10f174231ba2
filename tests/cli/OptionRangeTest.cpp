// Option values the windows and the analyses would refuse are wrong usage, whatever
// the command; what is printed is always a number.
#include "CliTestSupport.h"
#include "DataFiles.h"

#include "cli/CliRequest.h"
#include "cli/CommandSupport.h"
#include "cli/CsvOutput.h"

#include <cmath>
#include <limits>

namespace {

using Args = std::vector<std::string>;

struct UsageCase {
    Args arguments;
    const char* reason;  // a part of the message
};

void ExpectWrongUsage(const UsageCase& c) {
    std::string line;
    for (const std::string& a : c.arguments) line += a + " ";
    const CliResult result = RunInProcess(c.arguments);
    EXPECT_EQ(result.status, 2) << line << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty()) << line;
    EXPECT_TRUE(result.err.contains(c.reason)) << line << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("--help")) << line;
}

TEST(CliOptionRangeTest, ValuesOutsideWhatTheAnalysesAcceptAreWrongUsage) {
    const std::string sample = ExampleFile("sample_standard.csv").toStdString();
    const std::string knet = ExampleFile("network/SMP0010001011200.NS").toStdString();
    const UsageCase cases[] = {
        {{"--intensity", sample, "--channels", "1,1,2"}, "同じチャンネル 1"},
        {{"--intensity", sample, "--channels", "NS,EW,NS"}, "同じチャンネル NS"},
        {{"--intensity", knet, "--channels", "1,EW,NS"}, "同じチャンネル 1"},  // NS is channel 1
        {{"--info", sample, "--rate", "1e300"}, "1 以上 1000000 以下"},
        {{"--intensity", sample, "--rate", "1e-300"}, "1 以上 1000000 以下"},
        {{"--spectrum", sample, "--channel", "1", "--rate", "0.5"}, "--rate"},
        {{"--render", sample, "o.png", "--rate", "1000001"}, "--rate"},
        {{"--spectrum", sample, "--channel", "1", "--damping", "1"}, "0 以上 1 未満"},
        {{"--spectrum", sample, "--channel", "1", "--damping", "0.05,-0.01"}, "0 以上 1 未満"},
        {{"--spectrum", sample, "--channel", "1", "--periods", "0"}, "0 より大きく 1000 以下"},
        {{"--spectrum", sample, "--channel", "1", "--periods", "1,1e308"}, "0 より大きく 1000 以下"},
        {{"--spectrum", sample, "--channel", "1", "--periods", "-2"}, "--periods"},
        {{"--fourier", sample, "--channel", "1", "--smooth", "0"}, "--smooth の値は 0 より大きく"},
        {{"--fourier", sample, "--channel", "1", "--smooth", "-0.4"}, "--smooth"},
        {{"--fourier", sample, "--channel", "1", "--smooth", "1e300"}, "--smooth"},
    };
    for (const UsageCase& c : cases) ExpectWrongUsage(c);

    // The ends that are inside.
    EXPECT_EQ(RunInProcess({"--info", sample, "--rate", "1"}).status, 0);
    EXPECT_EQ(RunInProcess({"--info", sample, "--rate", "1000000"}).status, 0);
    const CliResult edges =
        RunInProcess({"--spectrum", sample, "--channel", "1", "--damping", "0,0.999", "--periods", "1000"});
    EXPECT_EQ(edges.status, 0) << edges.err.toStdString();
    EXPECT_EQ(CsvRows(edges.out).size(), 3u);
}

TEST(CliOptionRangeTest, ADampingNamedTwiceGivesOneSpectrumInTheOrderFirstGiven) {
    const QString sample = ExampleFile("sample_standard.csv");
    const CliResult twice =
        RunProgram({"--spectrum", sample, "--channel", "1", "--damping", "0.05,0.02,0.050", "--periods", "1,1,0.5"});
    ASSERT_EQ(twice.status, 0) << twice.err.toStdString();
    const auto rows = CsvRows(twice.out);
    ASSERT_EQ(rows.size(), 5u);
    const char* const expected[4][2] = {{"0.05", "0.5"}, {"0.05", "1"}, {"0.02", "0.5"}, {"0.02", "1"}};
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(rows[r + 1][0], expected[r][0]) << r;
        EXPECT_EQ(rows[r + 1][1], expected[r][1]) << r;
    }
    const CliResult once = RunProgram({"--spectrum", sample, "--channel", "1", "--damping", "0.05,0.02", "--periods", "0.5,1"});
    EXPECT_EQ(twice.out, once.out);
}

// The last guard: a number that is not finite never reaches the output.
TEST(CliOptionRangeTest, AnOutputWithANaNOrAnInfinityIsRefusedWhole) {
    using namespace tremvix::cli;
    CliRequest request;
    request.file = "record.csv";
    for (const double bad : {std::nan(""), std::numeric_limits<double>::infinity()}) {
        std::ostringstream out, err;
        CsvOutput csv(out);
        csv.Header({"x", "y"});
        csv.Number(1.5);
        csv.Number(bad);
        csv.EndRow();
        EXPECT_EQ(FinishOutput(csv, request, err), kExitRefused);
        EXPECT_TRUE(out.str().empty()) << out.str();
        EXPECT_NE(err.str().find("record.csv"), std::string::npos) << err.str();
    }
    std::ostringstream out, err;
    CsvOutput csv(out);
    csv.Number(-std::numeric_limits<float>::infinity());
    csv.EndRow();
    EXPECT_EQ(FinishOutput(csv, request, err), kExitRefused);
    EXPECT_TRUE(out.str().empty());

    // A sample beyond a float reads as infinite: its peak is not printed as "inf".
    DataFiles files;
    const QString huge = files.Write("huge.csv", "A,B\r\np,q\r\nm,m\r\ngal,gal\r\n1,2\r\n-1e39,3\r\n");
    const CliResult info = RunProgram({"--info", huge});
    EXPECT_EQ(info.status, 1);
    EXPECT_TRUE(info.out.isEmpty()) << info.out.toStdString();
    EXPECT_TRUE(info.err.contains(huge.toUtf8())) << info.err.toStdString();
}

}  // namespace
