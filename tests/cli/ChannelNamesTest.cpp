// --channels names channels by number or by the id the data set window lists.
#include "CliTestSupport.h"
#include "DataFiles.h"

namespace {

TEST(CliChannelNamesTest, IdsChooseTheSameChannelsAsTheirNumbers) {
    const QString knet = ExampleFile("network/SMP0010001011200.EW");  // NS, EW, UD
    const CliResult byNumber = RunProgram({"--intensity", knet, "--channels", "1,2,3"});
    ASSERT_EQ(byNumber.status, 0) << byNumber.err.toStdString();
    EXPECT_EQ(RunProgram({"--intensity", knet, "--channels", "NS,EW,UD"}).out, byNumber.out);
    EXPECT_EQ(RunProgram({"--intensity", knet, "--channels", "1,EW,3"}).out, byNumber.out);
    const CliResult swapped = RunProgram({"--intensity", knet, "--channels", "UD,EW,NS"});
    EXPECT_EQ(swapped.status, 0) << swapped.err.toStdString();

    DataFiles files;
    const QString byIds = files.Path("ids.png");
    const QString byNumbers = files.Path("numbers.png");
    ASSERT_EQ(RunProgram({"--render", knet, byIds, "--channels", "UD,NS"}).status, 0);
    ASSERT_EQ(RunProgram({"--render", knet, byNumbers, "--channels", "1,3"}).status, 0);
    EXPECT_TRUE(DecodePng(byIds) == DecodePng(byNumbers));
    EXPECT_EQ(DecodePng(byIds).width, 625);
    // The names are not ignored: other channels draw another picture.
    const QString other = files.Path("other.png");
    ASSERT_EQ(RunProgram({"--render", knet, other, "--channels", "NS,EW"}).status, 0);
    EXPECT_FALSE(DecodePng(other) == DecodePng(byIds));
}

TEST(CliChannelNamesTest, AnIdOfNoChannelOrOfSeveralIsWrongUsage) {
    DataFiles files;
    const QString twice = files.Write("twice.csv", "A,A,B\r\np,q,r\r\nm,m,m\r\ngal,gal,gal\r\n1,2,3\r\n4,5,6\r\n");
    struct Case {
        QStringList arguments;
        const char* reason;
    } cases[] = {
        {{"--render", twice, files.Path("o.png"), "--channels", "C"}, "「C」という ID のチャンネルはありません（ID: A、A、B）"},
        {{"--render", twice, files.Path("o.png"), "--channels", "B,A"}, "「A」に当たるチャンネルが複数あります（チャンネル 1、2）"},
        {{"--intensity", twice, "--channels", "ns,2,3"}, "「ns」という ID"},  // ids are matched as written
        {{"--intensity", ExampleFile("network/SMPH010001011200.NS1"), "--channels", "NS,EW,UD"}, "「NS」"},
    };
    for (const Case& c : cases) {
        const CliResult result = RunProgram(c.arguments);
        EXPECT_EQ(result.status, 2) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(c.reason)) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(c.arguments[1].toUtf8())) << "names the file";
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_FALSE(QFile::exists(files.Path("o.png")));
    }
    // A channel by its number is still refused as a channel the file does not have.
    EXPECT_EQ(RunProgram({"--render", twice, files.Path("o.png"), "--channels", "4"}).status, 1);
    EXPECT_EQ(RunProgram({"--render", twice, files.Path("o.png"), "--channels", "B,2"}).status, 0);
}

}  // namespace
