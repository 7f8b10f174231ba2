#include "CliTestSupport.h"
#include "DataFiles.h"
#include "DataSetDriver.h"
#include "UiTestSupport.h"

#include "ui/app/Uopen.h"
#include "ui/widgets/RadioGroup.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

namespace {

// The same picture drawn by the main window and saved with "グラフ保存", and drawn
// by the command line.
class CliRenderTest : public FormsTest {
protected:
    void Transfer(const QString& file, std::initializer_list<int> rows) {
        Scan(file);
        Mark(rows);
        SetData->Button4->click();
    }
    DecodedPng WindowPicture() {
        Open->Button4->click();
        const QString saved = files.Path("window.png");
        QFile::remove(saved);
        Dialogs::SetSaveFileHandler([saved](const QString&) { return saved; });
        Open->Button8->click();
        return DecodePng(saved);
    }
    DecodedPng ProgramPicture(QStringList arguments) {
        const QString out = files.Path("cli.png");
        QFile::remove(out);
        arguments.insert(1, out);
        const CliResult result = RunProgram(QStringList{QStringLiteral("--render")} + arguments);
        EXPECT_EQ(result.status, 0) << result.err.toStdString();
        return DecodePng(out);
    }
    void ExpectSame(const DecodedPng& window, const DecodedPng& program) {
        ASSERT_EQ(window.width, 625);
        ASSERT_EQ(window.height, 425);
        EXPECT_TRUE(window == program) << DifferingPixels(window, program) << " pixels differ";
        EXPECT_TRUE(messages.empty()) << messages.front().text.toStdString();
    }
    DataFiles files;
    const QString sample = ExampleFile("sample_standard.csv");
};

TEST_F(CliRenderTest, StackedBandsAsTheWindowDrawsThem) {
    Transfer(sample, {1, 2, 3});
    ExpectSame(WindowPicture(), ProgramPicture({sample}));
}

TEST_F(CliRenderTest, OverlaidInBlackWithAStartPointAndADisplayTime) {
    Transfer(sample, {1, 2, 3});
    Open->CBOverWrite->setChecked(true);
    Open->CBColor->setChecked(false);
    Open->RadioGroup2->button(1)->click();  // 2.5
    Open->RadioGroup3->button(1)->click();  // x 10
    Open->Edit1->setText(QStringLiteral("700"));
    ExpectSame(WindowPicture(), ProgramPicture({sample, "--overlay", "--mono", "--time", "25", "--start", "700"}));
}

TEST_F(CliRenderTest, ChosenChannelsOnACommonScaleFilteredAtTheTransfer) {
    Open->CBFilter->setChecked(true);
    messages.clear();  // the advice to read the data again
    Open->CBEqual->setChecked(true);
    Open->Edit2->setText(QStringLiteral("50"));
    Transfer(sample, {1, 3});
    ExpectSame(WindowPicture(), ProgramPicture({sample, "--channels", "3,1", "--same-scale", "50", "--filter"}));
}

TEST_F(CliRenderTest, RateOfAFileThatStatesNoneComesFromTheOption) {
    const QString file = files.Write("fast.csv", DataFiles::Standard(2, 12000));
    Open->RadioGroup1->button(4)->click();  // 200 samples per second
    messages.clear();                        // the advice to read the data again
    Transfer(file, {1, 2});
    ExpectSame(WindowPicture(), ProgramPicture({file, "--rate", "200"}));
}

TEST_F(CliRenderTest, NetworkRecordsAtTheirOwnRateRoundedToWholeHertz) {
    const QString knet = ExampleFile("network/SMP0010001011200.NS");
    Transfer(knet, {1, 2, 3});
    ExpectSame(WindowPicture(), ProgramPicture({knet}));

    // 1 / 0.0049 s is not one of the eight rates: the window keeps 204 per second.
    QByteArray at2 = "PEER NGA STRONG MOTION DATABASE RECORD\nTest, 1/1/2000, Station, 000\n"
                     "ACCELERATION TIME SERIES IN UNITS OF G\nNPTS=  3000, DT=   .0049 SEC\n";
    for (int i = 0; i < 3000; ++i)
        at2 += QByteArray::number(0.2 * std::sin(0.05 * i) * std::exp(-i / 900.0), 'E', 7) + (i % 5 == 4 ? "\n" : " ");
    const QString odd = files.Write("RSN1_TEST_A000.AT2", at2);
    SetData->CheckBox1->setChecked(true);  // the new record replaces the old
    Transfer(odd, {1});
    messages.clear();
    ASSERT_EQ(Open->Filters.SamplingRate, 204);
    ExpectSame(WindowPicture(), ProgramPicture({odd}));
}

TEST_F(CliRenderTest, InProcessCallsUseTheRunningApplication) {
    Transfer(sample, {1, 2, 3});
    const DecodedPng window = WindowPicture();
    const QString out = files.Path("inprocess.png");
    const CliResult result = RunInProcess({"--render", sample.toStdString(), out.toStdString()});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    ExpectSame(window, DecodePng(out));
}

TEST(CliRenderRefusalTest, RefusalsOfTheGraphLeaveNoPicture) {
    DataFiles files;
    const QString sample = ExampleFile("sample_standard.csv");
    const QString kept = files.Write("kept.png", "old");
    const struct {
        QStringList options;
        const char* message;
    } cases[] = {
        {{"--start", "6000"}, "開始点がデータの範囲外です"},
        {{"--start", "-1"}, "開始点がデータの範囲外です"},
        {{"--time", "4.99"}, "時間軸が不適切（短すぎる）です"},
        {{"--same-scale", "0"}, "目盛り量には正の数を指定してください"},
        {{"--channels", "4"}, "チャンネル 4"},
        {{"--channels", "1,2,3,1"}, nullptr},  // a channel named twice is drawn once
    };
    for (const auto& c : cases) {
        for (const QString& out : {kept, files.Path("new.png")}) {
            const CliResult result = RunProgram(QStringList{"--render", sample, out} + c.options);
            if (!c.message) {
                EXPECT_EQ(result.status, 0) << result.err.toStdString();
                continue;
            }
            EXPECT_EQ(result.status, 1) << c.message;
            EXPECT_TRUE(result.err.contains(c.message)) << result.err.toStdString();
            EXPECT_TRUE(result.err.contains(sample.toUtf8()));
            EXPECT_TRUE(out != kept || FileBytes(kept) == "old");
            EXPECT_TRUE(out == kept || !QFile::exists(out));
        }
        QFile::remove(files.Path("new.png"));
    }
}

}  // namespace
