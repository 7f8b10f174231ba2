#include "DataFiles.h"
#include "DataSetDriver.h"
#include "UiTestSupport.h"

#include "ui/app/Uhowto.h"
#include "ui/app/Uopen.h"
#include "ui/base/WindowStyle.h"
#include "core/data/ChannelStore.h"
#include "ui/data/Usetdata.h"
#include "ui/display/Mywave.h"
#include "ui/widgets/StringGrid.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>

class LifecycleTest : public FormsTest {
protected:
    DataFiles files;
};

TEST_F(LifecycleTest, ExitQuestionCancelKeepsRunningOkCloses) {
    answer = Dialogs::kCancel;
    Open->Button1->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, WithIdeographicSpaces(QStringLiteral("プログラムを終了してもよろしいですか？"), 4));
    EXPECT_EQ(messages[0].caption, QStringLiteral("プログラムの終了"));
    EXPECT_EQ(messages[0].flags, 0x21u);
    EXPECT_TRUE(Open->isVisible());

    answer = Dialogs::kOk;
    Open->N3->trigger();
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_FALSE(Open->isVisible());
}

TEST_F(LifecycleTest, TitleBarCloseEndsWithoutQuestionAndHidesTheOthers) {
    ShowWindow(HowTo);
    Open->close();
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(Open->isVisible());
    EXPECT_FALSE(TopLevel("HowTo")->isVisible());
}

namespace {
void LoadTwoChannels(TOpen* open) {
    open->Store().ChannelCount = 2;
    open->Store().IsAcceleration[0] = open->Store().HasVelocity[0] = true;
    open->List().SetCell(1, 1, "CH1");
    open->List().SetCell(5, 2, "\xE2\x97\x8F");
    open->ChannelListChanged();
    open->Image1->hide();
    open->MyWave1->canvas().pen.color = 0;
    open->MyWave1->canvas().MoveTo(0, 0);
    open->MyWave1->canvas().LineTo(600, 400);
}
}  // namespace

TEST_F(LifecycleTest, ClearAsksFirstAndCancelChangesNothing) {
    LoadTwoChannels(Open);
    answer = Dialogs::kCancel;
    Open->Button3Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, WithIdeographicSpaces(QStringLiteral("すべてのデータをクリアしてもよろしいですか？"), 4));
    EXPECT_EQ(messages[0].caption, QStringLiteral("データクリア"));
    EXPECT_EQ(Open->Store().ChannelCount, 2);
    EXPECT_EQ(Open->StringGrid1->cell(1, 1), "CH1");
    EXPECT_FALSE(Open->Image1->isVisibleTo(Open));
}

// After a real transfer and drawing: clearing empties the list, the flags and the
// canvas, but keeps what the transfer enabled.
TEST_F(LifecycleTest, ClearWithoutConfirmationEmptiesListFlagsAndCanvas) {
    Scan(files.Write("two.csv", DataFiles::Standard(2, 1000)));
    Mark({1, 2});
    SetData->CheckBox2->setChecked(true);
    SetData->Button4->click();
    Open->StringGrid1->setCurrentCell(1, 1);
    Open->Velocity->trigger();
    ASSERT_TRUE(messages.empty());
    ASSERT_TRUE(Open->Store().HasVelocity[0]);
    Open->CheckBox1->setChecked(false);
    Open->TrackBar1->setValue(300);
    Open->Edit1->setText("250");
    Open->Button3Click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Open->Store().ChannelCount, 0);
    EXPECT_FALSE(Open->Store().IsAcceleration[0]);
    EXPECT_FALSE(Open->Store().HasVelocity[0]);
    EXPECT_TRUE(Open->StringGrid1->cell(1, 1).isEmpty());
    EXPECT_TRUE(Open->StringGrid1->cell(5, 2).isEmpty());
    EXPECT_EQ(Open->StringGrid1->cell(0, 2), "  2");
    EXPECT_EQ(Open->TrackBar1->value(), 0);
    EXPECT_EQ(Open->Edit1->text(), "0");
    EXPECT_TRUE(Open->Image1->isVisibleTo(Open));
    EXPECT_EQ(Open->MyWave1->image().pixelColor(300, 200), QColor(Qt::white));
    // Nothing disables the buttons again, and the store stays "transferred".
    EXPECT_FALSE(Open->Store().NothingTransferred);
    EXPECT_TRUE(Open->Button4->isEnabled());
    EXPECT_TRUE(Open->Button5->isEnabled());
    EXPECT_TRUE(Open->Button7->isEnabled());
    EXPECT_TRUE(Open->Button8->isEnabled());
}

TEST_F(LifecycleTest, CheckedStandardItemUnchecksAndShowsNothing) {
    Open->N9->trigger();
    EXPECT_FALSE(Open->N9->isChecked());
    EXPECT_FALSE(Open->EDefence1->isChecked());
    EXPECT_FALSE(Open->Store().EDefenceMode);
    EXPECT_FALSE(SetData->isVisible());
}

TEST_F(LifecycleTest, EDefenceItemSwitchesModeLabelsAndShowsDataSetWindow) {
    Open->EDefence1->trigger();
    EXPECT_TRUE(Open->EDefence1->isChecked());
    EXPECT_FALSE(Open->N9->isChecked());
    EXPECT_TRUE(Open->Store().EDefenceMode);
    EXPECT_EQ(Open->Label1->text(), QStringLiteral("E-Defence形式データファイル"));
    EXPECT_EQ(SetData->Label4->text(), QStringLiteral("E-Defence形式データファイル"));
    EXPECT_TRUE(SetData->isVisible());

    SetData->hide();
    Open->EDefence1->trigger();  // unchecking keeps the last mode
    EXPECT_FALSE(Open->EDefence1->isChecked());
    EXPECT_FALSE(Open->N9->isChecked());
    EXPECT_TRUE(Open->Store().EDefenceMode);
    EXPECT_FALSE(SetData->isVisible());

    Open->N9->trigger();
    EXPECT_FALSE(Open->Store().EDefenceMode);
    EXPECT_EQ(SetData->Label4->text(), QStringLiteral("標準形式データファイル"));
}

TEST_F(LifecycleTest, UsageAndVersionWindowsOpenTogetherAndCloseByTheirButtons) {
    Open->N6->trigger();
    Open->N7->trigger();
    QWidget* howTo = TopLevel("HowTo");
    QWidget* version = TopLevel("Version");
    EXPECT_TRUE(howTo->isVisible());
    EXPECT_TRUE(version->isVisible());
    EXPECT_TRUE(Open->isVisible());
    const QString usage = howTo->findChild<QPlainTextEdit*>("Memo1")->toPlainText();
    for (const char* part : {"１．概要", "２．表示データの読込とグラフ表示", "（８）", "３．積分波形の表示", "更新履歴", "Ver3.3"})
        EXPECT_TRUE(usage.contains(QString::fromUtf8(part))) << part;
    version->findChild<QPushButton*>("Button1")->click();
    EXPECT_FALSE(version->isVisible());
    EXPECT_TRUE(howTo->isVisible());
    howTo->findChild<QPushButton*>("Button1")->click();
    EXPECT_FALSE(howTo->isVisible());
}

TEST_F(LifecycleTest, DataSetButtonAndOpenMenuShowTheDataSetWindow) {
    Open->Button2->click();
    EXPECT_TRUE(SetData->isVisible());
    SetData->Button1->click();
    EXPECT_FALSE(SetData->isVisible());
    Open->N2->trigger();
    EXPECT_TRUE(SetData->isVisible());
}
