#include "CliTestSupport.h"
#include "DataFiles.h"

#include "cli/CliRequest.h"
#include "cli/OptionValues.h"

#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

TEST(CliUsageTest, HelpListsEveryCommandAndOptionAndVersionNamesTheRelease) {
    const CliResult help = RunProgram({"--help"});
    ASSERT_EQ(help.status, 0) << help.err.toStdString();
    for (const char* name : {"--help", "--version", "--info", "--convert", "--render", "--spectrum", "--fourier",
                             "--intensity", "--indices", "--rate", "--layout", "--channels", "--channel", "--time",
                             "--start", "--overlay", "--same-scale", "--mono", "--filter", "--damping", "--periods",
                             "--smooth", "--integration", "bandpass", "lowpass", "edefence"})
        EXPECT_TRUE(help.out.contains(name)) << name;
    EXPECT_TRUE(help.err.isEmpty());

    // The indices are computed without the record's mean; --channels takes ids as well.
    EXPECT_TRUE(help.out.contains("平均を除いて")) << "mean removal of --indices";
    EXPECT_TRUE(help.out.contains("番号でも ID")) << "--channels by name";
    EXPECT_EQ(RunProgram({"-h"}).out, help.out);

    const CliResult version = RunProgram({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "tremvix 3.3.1\n");
}

TEST(CliUsageTest, WrongUsageExitsWithTwoAndPointsToHelp) {
    const std::vector<Args> wrong = {
        {"--nonsense"},
        {"--info"},                                          // no file
        {"--render", "a.csv"},                               // no output
        {"--info", "a.csv", "extra"},
        {"--info", "a.csv", "--indices", "a.csv"},           // two commands
        {"--rate"},                                          // no command, no value
        {"--rate", "abc", "--info", "a.csv"},
        {"--rate", "0", "--info", "a.csv"},
        {"--layout", "csv", "--info", "a.csv"},
        {"--spectrum", "a.csv"},                             // no --channel
        {"--spectrum", "a.csv", "--channel", "0"},
        {"--spectrum", "a.csv", "--channel", "1", "--damping", "0.05,"},
        {"--spectrum", "a.csv", "--channel", "1", "--periods", "nan"},
        {"--fourier", "a.csv", "--channel", "1", "--damping", "0.05"},  // not an option of --fourier
        {"--render", "a.csv", "o.png", "--time", "inf"},
        {"--render", "a.csv", "o.png", "--time", "1e39"},          // beyond a float
        {"--info="},
        {"--render", "a.csv", "o.png", "--start", "1.5"},
        {"--render", "a.csv", "o.png", "--overlay=yes"},
        {"--render", "a.csv", "o.png", "--mono", "--mono"},
        {"--intensity", "a.csv", "--channels", "1,2"},
        {"--indices", "a.csv", "--integration", "highpass"},
        {"--version", "--rate", "100"},
        {"--help", "extra"},
        {"--version", "extra"},
        {"-h", "--info", "a.csv"},
    };
    for (const Args& arguments : wrong) {
        const CliResult result = RunInProcess(arguments);
        EXPECT_EQ(result.status, 2) << arguments.front() << " " << result.err.toStdString();
        EXPECT_TRUE(result.err.contains("--help")) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
    }
    const CliResult real = RunProgram({"--info"});
    EXPECT_EQ(real.status, 2);
    EXPECT_TRUE(real.err.contains("--info"));
}

TEST(CliUsageTest, OptionsTakeValuesAttachedOrApartAndGlobalOnesAnywhere) {
    const tremvix::cli::ParsedArguments parsed = tremvix::cli::ParseArguments(
        {"--rate=200", "--render", "f.csv", "o.png", "--channels", "3,1", "--same-scale=+2.5", "--layout", "edefence"});
    ASSERT_TRUE(parsed.request) << parsed.usageError;
    const tremvix::cli::CliRequest& request = *parsed.request;
    EXPECT_EQ(request.command, tremvix::cli::Command::Render);
    EXPECT_EQ(request.file, "f.csv");
    EXPECT_EQ(request.output, "o.png");
    EXPECT_EQ(request.rate, 200.0);
    EXPECT_EQ(request.layout, tremvix::FileLayout::EDefence);
    using tremvix::cli::ChannelChoice;
    EXPECT_EQ(request.channels, (std::vector<ChannelChoice>{{3, ""}, {1, ""}}));
    const tremvix::cli::ParsedArguments named = tremvix::cli::ParseArguments({"--intensity", "f", "--channels", "EW,2,U D"});
    ASSERT_TRUE(named.request) << named.usageError;
    EXPECT_EQ(named.request->channels, (std::vector<ChannelChoice>{{0, "EW"}, {2, ""}, {0, "U D"}}));
    for (const char* bad : {"1,,2", "0,1,2", "-1,2,3", ""})
        EXPECT_FALSE(tremvix::cli::ParseArguments({"--intensity", "f", "--channels", bad}).request) << bad;
    EXPECT_EQ(request.sameScale, 2.5);

    using tremvix::cli::ParseReal;
    EXPECT_EQ(ParseReal(".5"), 0.5);
    EXPECT_EQ(ParseReal("1e-3"), 1e-3);
    for (const char* bad : {"", "1,5", "0x10", "infinity", "1e999", "--1", " 1", "1 "})
        EXPECT_FALSE(ParseReal(bad)) << bad;
    EXPECT_FALSE(tremvix::cli::ParseWhole("99999999999"));
}

// A message box pads its text with ideographic spaces; a line on standard error does not,
// wherever its text comes from: the loader, an analysis, the command line itself.
TEST(CliUsageTest, NoMessageLineEndsInTheDialogPadding) {
    DataFiles files;
    const std::string single = files.Write("one.csv", "A\r\nB\r\nC\r\ngal\r\n1\r\n").toStdString();
    const std::string percent = files.Write("p.csv", "a\r\nb\r\nc\r\n%\r\n").toStdString();
    const std::string sample = ExampleFile("sample_standard.csv").toStdString();
    const std::string zeros =
        files.Write("zeros.csv", "NS,EW,UD\r\np,p,p\r\nm,m,m\r\ngal,gal,gal\r\n" + QByteArray("0,0,0\r\n").repeated(100))
            .toStdString();
    const std::vector<Args> failing = {
        {"--info", files.Path("missing.csv").toStdString()},          // the loader
        {"--info", percent},                                           // the loader, not the layout
        {"--spectrum", single, "--channel", "1"},                      // an analysis
        {"--fourier", single, "--channel", "1"},
        {"--intensity", single, "--channels", "1,1,1"},                // the command line
        {"--intensity", zeros},                                        // an analysis, no motion
        {"--indices", single},
        {"--spectrum", sample, "--channel", "9"},
        {"--render", sample, files.Path("o.png").toStdString(), "--time", "1"},  // the main window's drawing
        {"--convert", single, files.Path("no/such/folder/o.csv").toStdString()},
        {"--nonsense"},
    };
    const QByteArray padding = "\xe3\x80\x80";
    for (const Args& arguments : failing) {
        const CliResult result = RunInProcess(arguments);
        EXPECT_NE(result.status, 0) << arguments.front();
        ASSERT_FALSE(result.err.isEmpty()) << arguments.front();
        for (const QByteArray& line : result.err.split('\n'))
            EXPECT_FALSE(line.endsWith(padding)) << arguments.front() << ": " << line.toStdString();
        EXPECT_TRUE(result.err.endsWith('\n'));
    }
}

}  // namespace
