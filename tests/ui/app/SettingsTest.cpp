#include "UiTestSupport.h"

#include "core/data/ChannelStore.h"
#include "ui/app/Uopen.h"
#include "ui/display/Udatalist.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"
#include "ui/widgets/UpDown.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

class SettingsTest : public FormsTest {
protected:
    void LoadChannels(int count) {
        Open->Store().ChannelCount = count;
        Open->Store().DataCount = 1000;
        for (int r = 1; r <= count; ++r) Open->List().SetCell(1, r, "CH" + std::to_string(r));
        Open->ChannelListChanged();
    }
    QString Mark(int row) const { return Open->StringGrid1->cell(5, row); }
    void ClickRow(int row) {
        Open->StringGrid1->setCurrentCell(2, row);
        Open->StringGrid1Click();
    }
    const QString rateNotice = WithIdeographicSpaces(
        QStringLiteral("サンプリング振動数を変更したときは，再度，データを読み込んでください"), 4);
};

TEST_F(SettingsTest, RowClicksToggleOnlyLoadedRows) {
    LoadChannels(3);
    ClickRow(5);
    EXPECT_TRUE(Mark(5).isEmpty());
    ClickRow(2);
    EXPECT_EQ(Mark(2), QStringLiteral("●"));
    ClickRow(2);
    EXPECT_TRUE(Mark(2).isEmpty());
    Open->StringGrid1->setCurrentCell(2, 3);
    QTest::keyClick(Open->StringGrid1, Qt::Key_Space);
    EXPECT_EQ(Mark(3), QStringLiteral("●")) << "Space toggles the current row";
    QTest::keyClick(Open->StringGrid1, Qt::Key_Up);
    EXPECT_TRUE(Mark(2).isEmpty()) << "moving the current cell alone does not";
}

TEST_F(SettingsTest, SelectAllAndNoneTouchOnlyLoadedRows) {
    LoadChannels(3);
    Open->List().SetCell(5, 6, "x");
    Open->Button5->setEnabled(true);
    Open->Button5->click();
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(Mark(r), QStringLiteral("●"));
    EXPECT_TRUE(Mark(4).isEmpty());
    Open->Button9->click();
    for (int r = 1; r <= 3; ++r) EXPECT_TRUE(Mark(r).isEmpty());
    EXPECT_EQ(Mark(6), "x");
}

TEST_F(SettingsTest, RateMenuOnTheCurrentRateOnlyMovesCheckMarks) {
    Open->RateItems[3]->trigger();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(Open->RateItems[3]->isChecked());
    EXPECT_EQ(Open->Filters.SamplingRate, 100);
    Open->RateItems[1]->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, rateNotice);
    EXPECT_EQ(messages[0].caption, QStringLiteral("フィルタ条件変更"));
    EXPECT_EQ(Open->Filters.SamplingRate, 10);
    EXPECT_FLOAT_EQ(Open->Filters.SamplingInterval, 0.1f);
    for (int k = 0; k < 8; ++k) EXPECT_EQ(Open->RateItems[k]->isChecked(), k == 1);
}

TEST_F(SettingsTest, Rate2000PassesThroughRate1) {
    Open->RateItems[7]->trigger();
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(Open->Filters.SamplingRate, 2000);
    EXPECT_EQ(Open->RadioGroup1->itemIndex(), 7);
    EXPECT_FLOAT_EQ(Open->Filters.NyquistFrequency, 1000.0f);
    EXPECT_FLOAT_EQ(Open->Filters.HighCutPass, 250.0f);
    messages.clear();
    Open->RadioGroup1->setItemIndex(0);
    messages.clear();
    Open->RateItems[7]->trigger();
    EXPECT_EQ(messages.size(), 1u) << "from item 0 only the second selection changes it";
}

TEST_F(SettingsTest, GroupClickDoesNotMoveTheMenuMarks) {
    Open->RadioGroup1->button(5)->click();
    EXPECT_EQ(Open->Filters.SamplingRate, 500);
    EXPECT_TRUE(Open->RateItems[3]->isChecked());
    EXPECT_FALSE(Open->RateItems[5]->isChecked());
}

TEST_F(SettingsTest, NyquistEighthRecomputesAndLabelsTheLowPass) {
    const float transfer0 = Open->Filters.TransferLowPass[0];
    Open->Nyquist81->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, rateNotice);
    EXPECT_EQ(Open->Filters.LowPassRatio, 0.125f);
    EXPECT_EQ(Open->Label10->text(), QStringLiteral("6.25Hzローパス"));
    EXPECT_FALSE(Open->Label10->isVisibleTo(Open));
    EXPECT_TRUE(Open->Nyquist81->isChecked());
    EXPECT_FALSE(Open->Nyquist41->isChecked());
    EXPECT_EQ(Open->Filters.LowPass[0], 0.15625f);
    EXPECT_EQ(Open->Filters.TransferLowPass[0], transfer0);
    messages.clear();
    Open->CBFilter->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              WithIdeographicSpaces(QStringLiteral("フィルタの条件を変更したときは，再度，データを読み込んでください"), 4));
    EXPECT_TRUE(Open->Label10->isVisibleTo(Open));
}

TEST_F(SettingsTest, MovingAverageShowsItsSpan) {
    Open->CBMove->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              WithIdeographicSpaces(QStringLiteral("移動平均の選択を変更したときは，再度，データを読み込んでください"), 4));
    EXPECT_TRUE(Open->Edit3->isVisibleTo(Open));
    EXPECT_TRUE(Open->Label14->isVisibleTo(Open));
    Open->CBMove->click();
    EXPECT_FALSE(Open->Edit3->isVisibleTo(Open));
    Open->RadioGroup4->button(2)->click();
    EXPECT_EQ(messages.size(), 3u);
}

TEST_F(SettingsTest, DisplayTimeIsMultiplierTimesFactor) {
    Open->RadioGroup2->button(1)->click();
    EXPECT_EQ(Open->DisplayTime, 25.0f);
    EXPECT_EQ(Open->Label2->text(), "25.0");
    Open->RadioGroup3->button(0)->click();
    EXPECT_EQ(Open->DisplayTime, 2.5f);
    EXPECT_EQ(Open->Label2->text(), "2.5");
    Open->RadioGroup3->button(2)->click();
    Open->RadioGroup2->button(2)->click();
    EXPECT_EQ(Open->DisplayTime, 500.0f);
}

TEST_F(SettingsTest, TrackBarDrivesTheEditOneWay) {
    LoadChannels(1);
    Open->TrackBar1->setMaximum(1000);
    Open->TrackBar1->setValue(250);
    EXPECT_EQ(Open->Edit1->text(), "250");
    EXPECT_EQ(Open->Label8->text(), QStringLiteral("2.500 秒"));
    Open->Edit1->setText("40");
    EXPECT_EQ(Open->TrackBar1->value(), 250);
    EXPECT_EQ(Open->Label8->text(), QStringLiteral("0.400 秒"));
    Open->Edit1->setText("1001");
    EXPECT_EQ(Open->Label8->text(), QStringLiteral("0.400 秒")) << "beyond the data count nothing is shown";
    Open->Edit1->setText("");
    EXPECT_EQ(Open->Label8->text(), QStringLiteral("0.400 秒"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(SettingsTest, ConversionErrorInTheStartPointIsShownAndChangesNothing) {
    LoadChannels(1);
    Open->Edit1->setText("30");
    Open->Edit1->setText("-");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("'-' は整数ではありません"));
    EXPECT_EQ(Open->Label8->text(), QStringLiteral("0.300 秒"));
    Open->Edit1->setText("3a");
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, QStringLiteral("'3a' は整数ではありません"));
}

TEST_F(SettingsTest, UpDownStepsByTheChosenIncrementAndResetsWithZero) {
    LoadChannels(1);
    Open->UpDown1->setMaximum(1000);
    Open->RadioGroup5->button(2)->click();
    Open->UpDown1->stepUp();
    Open->UpDown1->stepUp();
    EXPECT_EQ(Open->Edit1->text(), "200");
    EXPECT_EQ(Open->Label8->text(), QStringLiteral("2.000 秒"));
    Open->UpDown1->stepDown();
    Open->UpDown1->stepDown();
    Open->UpDown1->stepDown();
    EXPECT_EQ(Open->Edit1->text(), "0") << "no wrap-around";
    Open->TrackBar1->setMaximum(1000);
    Open->TrackBar1->setValue(600);
    Open->UpDown1->stepUp();
    EXPECT_EQ(Open->Edit1->text(), "700");
    Open->Button6->click();
    EXPECT_EQ(Open->TrackBar1->value(), 0);
    EXPECT_EQ(Open->Edit1->text(), "0");
}

TEST_F(SettingsTest, DataListSwitchShowsAndHidesTheWindow) {
    Open->CBList->click();
    EXPECT_TRUE(DataList->isVisible());
    Open->CBList->click();
    EXPECT_FALSE(DataList->isVisible());
}

TEST_F(SettingsTest, HandlersCalledFromCodeEndWithTheConversionMessage) {
    LoadChannels(1);
    Open->Store().NothingTransferred = false;
    Open->List().SetCell(5, 1, "\xE2\x97\x8F");
    Open->Edit1->blockSignals(true);
    Open->Edit1->setText("x1");
    Open->Edit1->blockSignals(false);
    EXPECT_NO_THROW(Open->Button4Click());
    EXPECT_NO_THROW(Open->Edit1Change());
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, QStringLiteral("'x1' は整数ではありません"));
    EXPECT_EQ(messages[1].text, QStringLiteral("'x1' は整数ではありません"));
}
