#include "DataFiles.h"
#include "DataSetDriver.h"
#include "UiTestSupport.h"
#include "support/PlainKernels.h"

#include "core/data/ChannelStore.h"
#include "core/data/DataFileReader.h"
#include "core/dsp/FilterSettings.h"
#include "ui/app/Uopen.h"
#include "ui/data/Usetdata.h"
#include "ui/display/DataListModel.h"
#include "ui/display/Udatalist.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"
#include "ui/widgets/UpDown.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>

class TransferTest : public FormsTest {
protected:
    QString List(int col, int row) const { return Open->StringGrid1->cell(col, row); }
    // The file columns of the channels now loaded, read back from their first sample.
    std::vector<int> LoadedColumns() const {
        std::vector<int> columns;
        for (int k = 0; k < Open->Store().ChannelCount; ++k)
            columns.push_back(static_cast<int>(Open->Store().BaseBank[k].Samples[0]));
        return columns;
    }
    DataFiles files;
};

TEST_F(TransferTest, TwoTransfersFillTheListInOrderAndAThirdIsRefused) {
    Scan(files.Write("eight.csv", DataFiles::Standard(8, 30)));
    Mark({1, 2, 3});
    SetData->Button4->click();
    Mark({4, 5, 6, 7, 8});
    SetData->Button4->click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Open->Store().ChannelCount, 8);
    EXPECT_EQ(List(1, 3), "CH3");
    EXPECT_EQ(List(1, 4), "CH4");
    EXPECT_EQ(List(2, 8), "P8");
    EXPECT_EQ(List(3, 8), "gal");
    EXPECT_EQ(List(4, 8), "A");
    EXPECT_EQ(List(5, 8), QStringLiteral("●"));
    EXPECT_EQ(Open->Store().BaseBank[7].SampleCount, 30);
    EXPECT_FLOAT_EQ(Open->Store().BaseBank[7].Samples[29], 7.029f);
    EXPECT_TRUE(Open->Button3->isEnabled());
    EXPECT_TRUE(Open->Button4->isEnabled());
    EXPECT_TRUE(Open->Button5->isEnabled());
    EXPECT_EQ(Open->Label13->text(), "30");
    EXPECT_EQ(Open->TrackBar1->maximum(), 29) << "the last sample, not one past it";
    EXPECT_EQ(Open->UpDown1->maximum(), 30);

    Mark({1});
    SetData->Button4->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, WithIdeographicSpaces(QStringLiteral("転送するデータチャンネルが多すぎます"), 5));
    EXPECT_EQ(messages[0].caption, QStringLiteral("選択エラー"));
    EXPECT_EQ(Open->Store().ChannelCount, 8);
}

TEST_F(TransferTest, NothingMarkedIsRefused) {
    Scan(files.Write("two.csv", DataFiles::Standard(2, 5)));
    SetData->Button4->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, WithIdeographicSpaces(QStringLiteral("転送するデータチャンネルが指定されておりません"), 5));
    EXPECT_TRUE(Open->Store().NothingTransferred);
}

TEST_F(TransferTest, ClearingFirstMakesRoomWithoutAQuestion) {
    Scan(files.Write("nine.csv", DataFiles::Standard(9, 5)));
    Mark({1, 2, 3, 4, 5});
    SetData->Button4->click();
    Mark({6, 7, 8, 9});
    SetData->Button4->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(Open->Store().ChannelCount, 5);
    messages.clear();
    SetData->CheckBox1->setChecked(true);
    SetData->Button4->click();
    EXPECT_TRUE(messages.empty()) << "the clear asks nothing";
    EXPECT_FALSE(Open->CheckBox1->isChecked());
    EXPECT_EQ(Open->Store().ChannelCount, 4);
    EXPECT_EQ(List(1, 1), "CH6");
    EXPECT_TRUE(List(1, 5).isEmpty());
}

TEST_F(TransferTest, GroupSteppingWalksTwelveChannelsForwardAndBack) {
    Scan(files.Write("twelve.csv", DataFiles::Standard(12, 5)));
    EXPECT_EQ(SetData->StepSize, 4);
    SetData->Button6->click();
    EXPECT_EQ(LoadedColumns(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_TRUE(SetData->Button7->isEnabled());
    EXPECT_FALSE(SetData->Button8->isEnabled());
    SetData->Button7->click();
    EXPECT_EQ(LoadedColumns(), (std::vector<int>{4, 5, 6, 7}));
    EXPECT_TRUE(SetData->Button8->isEnabled());
    SetData->Button7->click();
    EXPECT_EQ(LoadedColumns(), (std::vector<int>{8, 9, 10, 11}));
    SetData->Button8->click();
    EXPECT_EQ(LoadedColumns(), (std::vector<int>{8, 9, 10, 11}));
    SetData->Button8->click();
    EXPECT_EQ(LoadedColumns(), (std::vector<int>{4, 5, 6, 7}));
    SetData->Button8->click();
    EXPECT_EQ(LoadedColumns(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_TRUE(SetData->Button8->isEnabled());
    SetData->Button8->click();
    EXPECT_EQ(LoadedColumns(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_FALSE(SetData->Button8->isEnabled());
    EXPECT_TRUE(messages.empty());
}

TEST_F(TransferTest, TheShortLastGroupIsSteppedToAndBackWithinTheRows) {
    Scan(files.Write("ten.csv", DataFiles::Standard(10, 5)));
    SetData->Button6->click();
    EXPECT_EQ(LoadedColumns(), (std::vector<int>{0, 1, 2, 3}));
    SetData->Button7->click();
    EXPECT_EQ(LoadedColumns(), (std::vector<int>{4, 5, 6, 7}));
    EXPECT_TRUE(SetData->Button7->isEnabled());
    SetData->Button7->click();
    EXPECT_EQ(LoadedColumns(), (std::vector<int>{8, 9})) << "the last group is short";
    EXPECT_FALSE(SetData->Button7->isEnabled());
    EXPECT_EQ(SetData->StepStart, 12);
    SetData->Button8->click();
    EXPECT_EQ(LoadedColumns(), (std::vector<int>{8, 9})) << "the group and the row move stay within the rows";
    EXPECT_EQ(SetData->StringGrid1->row(), 10);
    EXPECT_EQ(SetData->StepStart, 8);
    SetData->Button8->click();
    EXPECT_EQ(LoadedColumns(), (std::vector<int>{4, 5, 6, 7}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(TransferTest, ForwardPastAGroupThatEndsOnTheLastChannelTransfersNothing) {
    Scan(files.Write("eight.csv", DataFiles::Standard(8, 5)));
    SetData->Button6->click();
    SetData->Button7->click();
    EXPECT_EQ(LoadedColumns(), (std::vector<int>{4, 5, 6, 7}));
    ASSERT_TRUE(SetData->Button7->isEnabled()) << "the group ended exactly on the last channel";
    ASSERT_EQ(SetData->StepStart, 8);
    SetData->Button7->click();
    EXPECT_FALSE(SetData->Button7->isEnabled());
    EXPECT_EQ(LoadedColumns(), (std::vector<int>{4, 5, 6, 7})) << "nothing past the last row is transferred";
    for (int r = 1; r <= 8; ++r) EXPECT_TRUE(SetData->StringGrid1->cell(4, r).isEmpty()) << r;
    EXPECT_EQ(SetData->StepStart, 8);
    EXPECT_TRUE(messages.empty());
    SetData->Button8->click();
    EXPECT_EQ(LoadedColumns(), (std::vector<int>{4, 5, 6, 7}));
}

// Right after a scan the current row is row 1, so the move to row 1 is no move and
// no click: with CBCont ticked the first group is still StepSize channels.
TEST_F(TransferTest, SteppingRightAfterAScanTakesTheStepSize) {
    SetData->CBCont->setChecked(true);
    Scan(files.Write("ten.csv", DataFiles::Standard(10, 5)));
    EXPECT_EQ(SetData->StringGrid1->row(), 1);
    EXPECT_TRUE(SetData->StringGrid1->currentIndex().isValid());
    SetData->Button6->click();
    EXPECT_EQ(LoadedColumns(), (std::vector<int>{0, 1, 2, 3}));
    // A second scan keeps the current cell where it was.
    SetData->StringGrid1->setCurrentCell(2, 6);
    Scan(files.Write("twelve.csv", DataFiles::Standard(12, 5)));
    EXPECT_EQ(SetData->StringGrid1->row(), 6);
    EXPECT_EQ(SetData->StringGrid1->col(), 2);
}

TEST_F(TransferTest, ContinuousMarkingWithTheFirstGroupTakesEightChannels) {
    Scan(files.Write("ten.csv", DataFiles::Standard(10, 5)));
    SetData->StringGrid1->setCurrentCell(0, 5);
    SetData->CBCont->setChecked(true);
    SetData->Button6->click();
    EXPECT_EQ(LoadedColumns(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(TransferTest, RowClicksToggleAndStepSizeFollowsTheGroup) {
    Scan(files.Write("ten.csv", DataFiles::Standard(10, 5)));
    SetData->StringGrid1->setCurrentCell(1, 3);
    SetData->StringGrid1Click();
    EXPECT_EQ(SetData->StringGrid1->cell(4, 3), QStringLiteral("●"));
    SetData->StringGrid1Click();
    EXPECT_TRUE(SetData->StringGrid1->cell(4, 3).isEmpty());
    SetData->CBCont->setChecked(true);
    SetData->StringGrid1->setCurrentCell(0, 5);
    SetData->StringGrid1Click();
    for (int r = 1; r <= 10; ++r) EXPECT_EQ(SetData->StringGrid1->cell(4, r).isEmpty(), r < 5) << r;
    SetData->Button3->click();
    SetData->Button5->click();
    for (int r = 1; r <= 10; ++r) EXPECT_FALSE(SetData->StringGrid1->cell(4, r).isEmpty());
    SetData->RadioGroup1->setItemIndex(3);
    EXPECT_EQ(SetData->StepSize, 8);
}

TEST_F(TransferTest, EDefenceColumnsAreLabelledByTheirFileColumn) {
    Open->EDefence1->trigger();
    Scan(files.Write("ed.csv", "header\r\nX,Y,Z\r\ngal,gal,kine\r\n1,2,3\r\n"));
    Mark({2, 3});
    SetData->Button4->click();
    EXPECT_EQ(List(1, 1), "1CH");
    EXPECT_EQ(List(1, 2), "2CH");
    EXPECT_EQ(List(2, 2), "Z");
    EXPECT_EQ(List(4, 2), "V");
    EXPECT_STREQ(Open->Store().BaseBank[0].ChannelId, "1CH");
    EXPECT_STREQ(Open->Store().BaseBank[0].Memo, "");
}

TEST_F(TransferTest, DataListFormatsEveryLoadedChannel) {
    Scan(files.Write("v.csv", "a,b,c\r\np,q,r\r\nm,m,m\r\ngal,gal,gal\r\n1.0,-1.0,1.5\r\n-2.25,0.5,0\r\n"));
    Mark({1, 2, 3});
    SetData->Button4->click();
    Scan(files.Write("w.csv", "d,e\r\ns,t\r\nm,m\r\ngal,gal\r\n10,20\r\n30,40\r\n"));
    Mark({1, 2});
    SetData->Button4->click();
    StringGrid* grid = DataList->StringGrid1;
    EXPECT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->cell(1, 0), "  1 CH");
    EXPECT_EQ(grid->cell(0, 1), "         1");
    EXPECT_EQ(grid->cell(1, 1), "   1.00000");
    EXPECT_EQ(grid->cell(2, 1), "  -1.00000");
    EXPECT_EQ(grid->cell(3, 1), "     1.500");
    EXPECT_EQ(grid->cell(1, 2), "    -2.250");
    EXPECT_EQ(grid->cell(4, 1), "    10.000");
    EXPECT_EQ(grid->cell(5, 2), "    40.000");
    EXPECT_TRUE(grid->cell(6, 1).isEmpty());
}

TEST_F(TransferTest, ProgressBarStandsAt12After1250Lines) {
    Scan(files.Write("p.csv", DataFiles::Standard(1, 1250)));
    Mark({1});
    SetData->Button4->click();
    EXPECT_EQ(SetData->ProgressBar1->maximum(), 12);
    EXPECT_EQ(SetData->ProgressBar1->value(), 12);
}

TEST_F(TransferTest, AShortFileLeavesAnEmptyBarNotABusyOne) {
    Scan(files.Write("p.csv", DataFiles::Standard(1, 50)));
    Mark({1});
    SetData->Button4->click();
    ASSERT_TRUE(messages.empty());
    EXPECT_GT(SetData->ProgressBar1->maximum(), SetData->ProgressBar1->minimum()) << "a range of 0 .. 0 is busy";
    EXPECT_EQ(SetData->ProgressBar1->value(), 0);
}

TEST_F(TransferTest, RefusalsWithoutTheFileLeaveTheProgressBar) {
    Scan(files.Write("p.csv", DataFiles::Standard(9, 1250)));
    SetData->ProgressBar1->setValue(3);
    SetData->CheckBox1->setChecked(false);
    Mark({1, 2, 3, 4, 5, 6, 7, 8, 9});
    SetData->Button4->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, WithIdeographicSpaces(QStringLiteral("転送するデータチャンネルが多すぎます"), 5));
    EXPECT_EQ(SetData->ProgressBar1->value(), 3);
    messages.clear();
    Mark({});
    SetData->Button4->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(SetData->ProgressBar1->value(), 3);
}

TEST_F(TransferTest, AFormatChangedAfterTheScanIsToldAsSuch) {
    Scan(files.Write("p.csv", DataFiles::Standard(2, 20)));
    Open->EDefence1->trigger();
    SetData->ProgressBar1->setValue(1);
    Mark({1});
    SetData->Button4->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              WithIdeographicSpaces(
                  QStringLiteral("ファイルを読み込んだ後でデータ形式が変更されました。もう一度ファイルを読み込んでください"), 5));
    EXPECT_EQ(messages[0].caption, QStringLiteral("ファイル形式エラー"));
    EXPECT_EQ(Open->Store().ChannelCount, 0);
    EXPECT_EQ(SetData->ProgressBar1->value(), 1);
    messages.clear();
    Open->N9->trigger();  // back to the layout it was read in
    SetData->Button4->click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Open->Store().ChannelCount, 1);
}

TEST_F(TransferTest, ChecksComeBeforeAnyChange) {
    const QString path = files.Write("c.csv", DataFiles::Standard(3, 10));
    Scan(path);
    Mark({1});
    SetData->Button4->click();
    SetData->CheckBox1->setChecked(true);
    Mark({2, 3});
    Open->CBMove->setChecked(true);
    for (const char* bad : {"x", "-1", ""}) {
        messages.clear();
        Open->Edit3->setText(QString::fromLatin1(bad));
        SetData->Button4->click();
        ASSERT_EQ(messages.size(), 1u) << bad;
        EXPECT_EQ(Open->Store().ChannelCount, 1) << bad;
        EXPECT_EQ(List(1, 1), "CH1");
        EXPECT_TRUE(Open->CheckBox1->isChecked()) << "not even the clear has run";
    }
    Open->CBMove->setChecked(false);
    messages.clear();
    QFile::remove(path);
    SetData->Button4->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("ファイルを開けません")));
    EXPECT_EQ(Open->Store().ChannelCount, 1);
    messages.clear();
    files.Write("c.csv", DataFiles::Standard(3, 4));
    SetData->Button4->click();
    ASSERT_EQ(messages.size(), 1u) << "a file that shrank since the scan";
    EXPECT_EQ(Open->Store().ChannelCount, 1);
}

TEST_F(TransferTest, LongFilesAreTransferredWhole) {
    Scan(files.Write("long.csv", DataFiles::Standard(1, 30005)));
    EXPECT_EQ(Open->Store().DataCount, 30005);
    Mark({1});
    SetData->Button4->click();
    EXPECT_TRUE(messages.empty()) << "no notice: every line is read";
    EXPECT_EQ(Open->Store().DataCount, 30005);
    EXPECT_EQ(Open->Store().BaseBank[0].SampleCount, 30005);
    EXPECT_EQ(Open->Label13->text(), "30005");
    ASSERT_EQ(DataList->StringGrid1->rowCount(), 30006);
    EXPECT_EQ(DataList->StringGrid1->cell(0, 30005), "     30005");
    EXPECT_EQ(DataList->StringGrid1->cell(1, 30005),
              FormatListValue(Open->Store().BaseBank[0].Samples[30004]));
}

// The transfer's own processing, ticked on the main window: the transfer low-pass set
// (not the display one) and then the running mean, on every new channel only.
TEST_F(TransferTest, TheTransferFilterAndMeanFromTheWindowOnEveryNewChannel) {
    const QString path = files.Write("f.csv", DataFiles::Standard(4, 1500));
    Open->CBFilter->setChecked(true);
    Open->CBMove->setChecked(true);
    Open->Edit3->setText("3");
    messages.clear();
    Scan(path);
    Mark({1});
    SetData->Button4->click();
    Mark({3, 4});
    SetData->Button4->click();
    ASSERT_TRUE(messages.empty());
    ASSERT_EQ(Open->Store().ChannelCount, 3);
    ASSERT_EQ(Open->Filters.TransferLowPass[0], 0.104166664f) << "the transfer set, designed at start-up";
    const tremvix::TransferRead raw =
        tremvix::ReadChannels(path.toStdString(), tremvix::FileLayout::Standard, {0, 2, 3}, 1500);
    ASSERT_FALSE(raw.refusal);
    for (int k = 0; k < 3; ++k) {
        const std::vector<float> expected = plain::Mean(
            plain::Fir(Open->Filters.TransferLowPass.data(), tremvix::FilterSettings::kCoefficients, raw.columns[k].samples), 3);
        EXPECT_EQ(Open->Store().BaseBank[k].Samples, expected) << "channel " << k;
    }
}
