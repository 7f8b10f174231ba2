#include "CliTestSupport.h"
#include "DataFiles.h"
#include "DataSetDriver.h"
#include "UiTestSupport.h"

#include "ui/app/Uopen.h"

#include <QAction>
#include <QFile>
#include <QPushButton>

namespace {

// Texts with a comma, a quote and Shift-JIS bytes; a tie of magnitudes in the first
// column, all zeros in the second, a single value in the third.
const QByteArray kInfoFile =
    "A1,\"B2,ID3\r\n"
    "\x82\x50\x8A\x4B,plain,x\r\n"
    "m,m,m\r\n"
    "gal,kine,cm/s2\r\n"
    "3,0,0.1\r\n-5,0,0\r\n5,0,0\r\n0.25,0,0\r\n";

TEST(CliInfoTest, RowsHoldTheFileTextsCountsAndSignedPeaks) {
    DataFiles files;
    const QString path = files.Write("info.csv", kInfoFile);
    const CliResult result = RunProgram({"--info", path, "--rate", "250"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.out,
              "channel,id,name,unit,rate_hz,samples,peak,peak_index\n"
              "1,A1,\xef\xbc\x91\xe9\x9a\x8e,gal,250,4,-5,1\n"      // "１階" decoded from Shift-JIS
              "2,\"\"\"B2\",plain,kine,250,4,0,0\n"                 // a quote doubled, in quotes
              "3,ID3,x,cm/s2,250,4,0.1,0\n");
    EXPECT_TRUE(result.err.isEmpty());

    const QString empty = files.Write("empty.csv", "a\r\nb\r\nc\r\ngal\r\n");
    EXPECT_EQ(RunProgram({"--info", empty}).out, "channel,id,name,unit,rate_hz,samples,peak,peak_index\n1,a,b,gal,100,0,,\n");
}

TEST(CliInfoTest, NetworkRecordsKeepTheirOwnRateAndListTheirComponents) {
    const CliResult result = RunInProcess({"--info", ExampleFile("network/SMP0010001011200.UD").toStdString(), "--rate", "50"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const auto rows = CsvRows(result.out);
    ASSERT_EQ(rows.size(), 4u);
    const char* const ids[] = {"NS", "EW", "UD"};
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(rows[k][1], ids[k - 1]);
        EXPECT_EQ(rows[k][4], "100");
        EXPECT_EQ(rows[k][5], "4000");
    }
}

TEST(CliInfoTest, RefusedFilesExitWithOneAndNameTheFile) {
    DataFiles files;
    for (const QString& path : {files.Path("missing.csv"), files.Path("")}) {
        const CliResult result = RunProgram({"--info", path});
        EXPECT_EQ(result.status, 1) << path.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(result.err.contains(path.toUtf8())) << result.err.toStdString();
    }
    const CliResult percent = RunProgram({"--info", files.Write("p.csv", "a\r\nb\r\nc\r\n%\r\n")});
    EXPECT_EQ(percent.status, 1);
    EXPECT_TRUE(percent.err.contains("標準形式データファイルではありません"));
}

// The main window's "データ保存" after a transfer of the same channels.
class CliConvertTest : public FormsTest {
protected:
    QByteArray WindowSave(const QString& file, std::initializer_list<int> rows) {
        Scan(file);
        Mark(rows);
        SetData->Button4->click();
        const QString saved = files.Path("window.csv");
        Dialogs::SetSaveFileHandler([saved](const QString&) { return saved; });
        Open->Button10->click();
        return FileBytes(saved);
    }
    DataFiles files;
};

TEST_F(CliConvertTest, WritesWhatTheWindowSavesAfterTransferringEveryChannel) {
    const QString sample = ExampleFile("sample_standard.csv");
    const QByteArray window = WindowSave(sample, {1, 2, 3});
    ASSERT_FALSE(window.isEmpty());
    const CliResult result = RunProgram({"--convert", sample, files.Path("cli.csv")});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(FileBytes(files.Path("cli.csv")), window);
    EXPECT_TRUE(result.out.isEmpty());
}

TEST_F(CliConvertTest, TakesTheFirstEightChannelsWithTextsCutAsTheTransferCutsThem) {
    QByteArray text = DataFiles::Standard(10, 700);
    text.replace("CH1,", "CH1-TOO-LONG,");
    text.replace("P2,", "P2-" + QByteArray(50, 'x') + ",");
    const QString wide = files.Write("wide.csv", text);
    const QByteArray window = WindowSave(wide, {1, 2, 3, 4, 5, 6, 7, 8});
    const CliResult result = RunInProcess({"--convert", wide.toStdString(), files.Path("cli.csv").toStdString()});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(FileBytes(files.Path("cli.csv")), window);
    EXPECT_TRUE(window.startsWith("CH1-TOO-L,CH2,"));
    EXPECT_TRUE(result.err.contains("8")) << "says that channels were left out";
}

TEST_F(CliConvertTest, EDefenceLayoutAsTheWindowReadsIt) {
    Open->EDefence1->trigger();
    const QString sample = ExampleFile("sample_edefence.csv");
    const QByteArray window = WindowSave(sample, {1, 2, 3});
    const CliResult result = RunProgram({"--layout", "edefence", "--convert", sample, files.Path("cli.csv")});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(FileBytes(files.Path("cli.csv")), window);
}

TEST_F(CliConvertTest, NetworkRecordsAsTheWindowTransfersThem) {
    const QString kiknet = ExampleFile("network/SMPH010001011200.EW2");
    const QByteArray window = WindowSave(kiknet, {1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(window.startsWith("NS2,EW2,UD2,NS1,EW1,UD1\r\n"));
    const CliResult result = RunProgram({"--convert", kiknet, files.Path("cli.csv")});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(FileBytes(files.Path("cli.csv")), window);
}

TEST(CliConvertRefusalTest, NothingIsWrittenWhenTheInputOrTheSaveFails) {
    DataFiles files;
    const QString kept = files.Write("kept.csv", "old");
    const CliResult refused = RunProgram({"--convert", files.Path("missing.csv"), kept});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(FileBytes(kept), "old");
    const CliResult fresh = RunProgram({"--convert", files.Path("missing.csv"), files.Path("new.csv")});
    EXPECT_EQ(fresh.status, 1);
    EXPECT_FALSE(QFile::exists(files.Path("new.csv")));

    const QString target = files.Path("no/such/folder/out.csv");
    const CliResult unsaved = RunProgram({"--convert", ExampleFile("sample_standard.csv"), target});
    EXPECT_EQ(unsaved.status, 1);
    EXPECT_TRUE(unsaved.err.contains(target.toUtf8()));
    EXPECT_TRUE(unsaved.err.contains("データを保存できませんでした")) << unsaved.err.toStdString();
}

}  // namespace
