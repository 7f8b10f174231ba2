// Records far past the old 30,000 samples through the real windows: the start-point
// controls reach every sample, and the drawing and the cursor follow them there.
#include "DataFiles.h"
#include "DataSetDriver.h"
#include "UiTestSupport.h"

#include "core/data/ChannelStore.h"
#include "ui/app/Uopen.h"
#include "ui/data/Usetdata.h"
#include "ui/display/Mywave.h"
#include "ui/display/Udatalist.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"
#include "ui/widgets/UpDown.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

class LongRecordTest : public FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        Scan(files.Write("long.csv", DataFiles::Standard(2, 200000)));
        Mark({1, 2});
        SetData->CheckBox2->setChecked(true);
        SetData->Button4->click();
        ASSERT_TRUE(messages.empty());
    }
    QImage Readout() const { return Open->MyWave1->image().copy(480, 412, 145, 13); }
    QImage Rendered(const QString& text) const {
        QImage strip = Open->MyWave1->image().copy();
        Canvas canvas(strip);
        canvas.font = Open->MyWave1->canvas().font;
        canvas.FillRect(480, 415, 625, 425);
        canvas.TextOut(480, 415, text);
        return strip.copy(480, 412, 145, 13);
    }
    DataFiles files;
};

TEST_F(LongRecordTest, EveryLineIsLoadedAndListed) {
    EXPECT_EQ(Open->Store().DataCount, 200000);
    EXPECT_EQ(Open->Store().BaseBank[1].SampleCount, 200000);
    EXPECT_EQ(Open->Label13->text(), "200000");
    EXPECT_EQ(Open->TrackBar1->maximum(), 199999);
    EXPECT_EQ(Open->UpDown1->maximum(), 200000) << "not cut to a 16-bit value";
    EXPECT_EQ(DataList->StringGrid1->rowCount(), 200001);
    EXPECT_EQ(DataList->StringGrid1->cell(2, 200000), QStringLiteral("   200.999"));
}

TEST_F(LongRecordTest, TheStartPointReaches150000AndTheCursorReadsThere) {
    Open->TrackBar1->setValue(150000);
    ASSERT_TRUE(messages.empty());
    EXPECT_EQ(Open->Edit1->text(), "150000");
    EXPECT_EQ(Open->Label8->text(), QStringLiteral("1500.000 秒"));
    EXPECT_EQ(Open->Layout.StartIndex, 150000);
    EXPECT_EQ(Open->Layout.WindowLength, 5000);

    // The arrows step on from there, past any 16-bit limit.
    Open->RadioGroup5->button(3)->click();  // steps of 500
    Open->UpDown1->stepUp();
    EXPECT_EQ(Open->Edit1->text(), "150500");
    EXPECT_EQ(Open->Layout.StartIndex, 150500);
    Open->UpDown1->stepDown();
    EXPECT_EQ(Open->Layout.StartIndex, 150000);

    // x 160 is 10 s, 1000 samples, into the window.
    Open->MyWave1MouseMove(160, 50);
    EXPECT_EQ(Readout(), Rendered(QStringLiteral("CH1  151000") + DataList->StringGrid1->cell(1, 151000) + "gal"));
    EXPECT_EQ(DataList->StringGrid1->cell(1, 151000), QStringLiteral("   150.999"));
    Open->CBList->setChecked(true);
    Open->MyWave1MouseDown(160, 300);
    EXPECT_EQ(DataList->StringGrid1->row(), 151000);
    EXPECT_EQ(DataList->StringGrid1->col(), 2);
}

TEST_F(LongRecordTest, TheWholeRecordDrawsInOneWindow) {
    Open->RadioGroup2->button(0)->click();  // 1 ...
    Open->RadioGroup3->button(2)->click();  // ... x 100: 100 s is 10,000 samples
    messages.clear();
    Open->DisplayTime = 2000.0f;  // 200,000 samples at 100 per second
    Open->Button4->click();
    ASSERT_TRUE(messages.empty());
    EXPECT_EQ(Open->Layout.WindowLength, 200000);
    EXPECT_EQ(Open->Label5->text(), "200000");
}
