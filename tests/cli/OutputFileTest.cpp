// Commands that write a file never write it over a file the record is read from,
// whatever name or link leads to it.
#include "CliTestSupport.h"
#include "DataFiles.h"

#include <QFile>

namespace {

// A copy of a bundled file in the test's folder, so that a fault cannot spoil the original.
QString CopyOf(DataFiles& files, const char* example, const QString& name) {
    return files.Write(name, FileBytes(ExampleFile(example)));
}

void ExpectRefusedAsUsage(const QStringList& arguments, const QString& kept, const QByteArray& bytes) {
    const CliResult result = RunProgram(arguments);
    EXPECT_EQ(result.status, 2) << arguments.join(' ').toStdString() << "\n" << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("--help")) << result.err.toStdString();
    EXPECT_EQ(FileBytes(kept), bytes) << arguments.join(' ').toStdString();
}

TEST(CliOutputFileTest, RenderAndConvertLeaveTheirInputAsItWas) {
    DataFiles files;
    const QString data = CopyOf(files, "sample_standard.csv", "data.csv");
    const QByteArray bytes = FileBytes(data);
    ASSERT_FALSE(bytes.isEmpty());
    const QString pngLink = files.Path("link.png");
    const QString csvLink = files.Path("link.csv");
    ASSERT_TRUE(QFile::link(data, pngLink));
    ASSERT_TRUE(QFile::link(data, csvLink));

    ExpectRefusedAsUsage({"--render", data, data}, data, bytes);
    ExpectRefusedAsUsage({"--render", data, pngLink}, data, bytes);
    ExpectRefusedAsUsage({"--render", csvLink, data}, data, bytes);  // the input read through a link
    ExpectRefusedAsUsage({"--convert", data, data}, data, bytes);
    ExpectRefusedAsUsage({"--convert", data, csvLink}, data, bytes);
    ExpectRefusedAsUsage({"--convert", data, files.Path("./data.csv")}, data, bytes);
    const CliResult named = RunProgram({"--convert", data, data});
    EXPECT_TRUE(named.err.contains("同じファイル")) << named.err.toStdString();
}

// A network record is read from every component file beside the one named.
TEST(CliOutputFileTest, OtherComponentsOfANetworkRecordAreInputsToo) {
    DataFiles files;
    QString knet[3];
    const char* const components[3] = {"NS", "EW", "UD"};
    for (int c = 0; c < 3; ++c) {
        const QByteArray name = QByteArray("network/SMP0010001011200.") + components[c];
        knet[c] = CopyOf(files, name.constData(), QStringLiteral("SMP0010001011200.") + components[c]);
    }
    const QByteArray ew = FileBytes(knet[1]);
    ExpectRefusedAsUsage({"--convert", knet[0], knet[1]}, knet[1], ew);
    ASSERT_TRUE(QFile::link(knet[1], files.Path("ew.png")));
    ExpectRefusedAsUsage({"--render", knet[2], files.Path("ew.png")}, knet[1], ew);

    const QString up = CopyOf(files, "network/RSN9001_SAMPLEV_SMP-UP.AT2", "RSN9001_SAMPLEV_SMP-UP.AT2");
    const QString east = CopyOf(files, "network/RSN9001_SAMPLEV_SMP090.AT2", "RSN9001_SAMPLEV_SMP090.AT2");
    CopyOf(files, "network/RSN9001_SAMPLEV_SMP000.AT2", "RSN9001_SAMPLEV_SMP000.AT2");
    const QByteArray upBytes = FileBytes(up);
    ExpectRefusedAsUsage({"--convert", east, up}, up, upBytes);

    // A file beside the record that is not one of its components may be written.
    const CliResult other = RunProgram({"--convert", knet[0], files.Path("SMP0010001011200.csv")});
    EXPECT_EQ(other.status, 0) << other.err.toStdString();
}

TEST(CliOutputFileTest, RenderWritesOnlyPngNamesInAnyCase) {
    DataFiles files;
    const QString sample = ExampleFile("sample_standard.csv");
    const CliResult upper = RunProgram({"--render", sample, files.Path("OUT.PNG")});
    EXPECT_EQ(upper.status, 0) << upper.err.toStdString();
    EXPECT_EQ(DecodePng(files.Path("OUT.PNG")).width, 625);
    EXPECT_EQ(RunProgram({"--render", sample, files.Path("Mixed.Png")}).status, 0);

    for (const char* name : {"out.txt", "out.png.csv", "png", "out.pn"}) {
        const CliResult refused = RunProgram({"--render", sample, files.Path(name)});
        EXPECT_EQ(refused.status, 2) << name;
        EXPECT_TRUE(refused.err.contains(".png")) << refused.err.toStdString();
        EXPECT_FALSE(QFile::exists(files.Path(name))) << name;
    }
}

}  // namespace
