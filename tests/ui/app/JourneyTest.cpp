// Whole journeys through the real windows: a data file in, a picture out.
#include "DataFiles.h"
#include "UiTestSupport.h"

#include "core/data/ChannelStore.h"
#include "ui/app/Uopen.h"
#include "ui/data/Usetdata.h"
#include "ui/display/Mywave.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <cstring>

class JourneyTest : public FormsTest {
protected:
    void ScanSample() {
        const QString sample = ExampleFile("sample_standard.csv");
        Dialogs::SetOpenFileHandler([sample](const QString&) { return sample; });
        SetData->Button2->click();
    }
    void TransferRows(std::initializer_list<int> rows, bool draw) {
        SetData->Button3->click();
        for (const int r : rows) {
            SetData->StringGrid1->setCurrentCell(1, r);
            SetData->StringGrid1Click();
        }
        SetData->CheckBox2->setChecked(draw);
        SetData->Button4->click();
    }
    int RedPixels(int top, int bottom) const {
        int n = 0;
        const QImage& image = Open->MyWave1->image();
        for (int y = top; y <= bottom; ++y)
            for (int x = 61; x < 560; ++x) n += image.pixel(x, y) == qRgb(255, 0, 0);
        return n;
    }
};

TEST_F(JourneyTest, SampleFileToThreeBands) {
    ScanSample();
    TransferRows({1, 2, 3}, true);
    ASSERT_TRUE(messages.empty());
    EXPECT_FALSE(Open->Image1->isVisibleTo(Open));
    EXPECT_TRUE(Open->Button7->isEnabled());
    EXPECT_EQ(Open->Layout.TraceHeight, 141);
    for (int band = 0; band < 3; ++band) EXPECT_GT(RedPixels(band * 141, band * 141 + 140), 400) << band;
    EXPECT_EQ(Open->Label5->text(), "5000");
    EXPECT_EQ(Open->Label13->text(), "6000");
}

TEST_F(JourneyTest, VelocityIsDrawnFromTheVelocityRecord) {
    ScanSample();
    TransferRows({1}, false);
    Open->StringGrid1->setCurrentCell(1, 1);
    Open->Velocity->trigger();
    ASSERT_TRUE(messages.empty());
    EXPECT_EQ(Open->StringGrid1->cell(4, 1), "V");
    Open->Button4->click();
    const QImage velocity = Open->MyWave1->image().copy();

    // The same picture drawn from a base record holding the velocity samples.
    tremvix::ChannelStore& store = Open->Store();
    store.BaseBank[0].Samples = store.VelocityBank[0].Samples;
    store.HasVelocity[0] = false;
    Open->Button4->click();
    EXPECT_EQ(Open->MyWave1->image(), velocity);
    store.HasVelocity[0] = true;
    Open->RadioGroup4->button(0)->click();  // a filter change acts on later conversions only
    Open->Button4->click();
    EXPECT_EQ(Open->MyWave1->image(), velocity);
}

TEST_F(JourneyTest, ShortDisplayTimeIsRefusedAndTheTrackBarRedrawsFromItsPosition) {
    ScanSample();
    TransferRows({1}, true);
    messages.clear();
    Open->RadioGroup3->button(0)->click();
    Open->RadioGroup2->button(1)->click();
    EXPECT_EQ(Open->DisplayTime, 2.5f);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().text, WithIdeographicSpaces(QStringLiteral("時間軸が不適切（短すぎる）です"), 5));
    Open->RadioGroup3->button(1)->click();  // 25 s
    messages.clear();
    Open->TrackBar1->setValue(1250);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Open->Edit1->text(), "1250");
    EXPECT_EQ(Open->Label8->text(), QStringLiteral("12.500 秒"));
    EXPECT_EQ(Open->Layout.StartIndex, 1250);
    EXPECT_EQ(Open->Layout.WindowLength, 2500);
}

TEST_F(JourneyTest, ClearWithAStartPointRedrawsThenBlanks) {
    ScanSample();
    TransferRows({1, 2}, true);
    Open->Edit1->setText("300");
    Open->CheckBox1->setChecked(false);
    Open->Button3->click();
    EXPECT_EQ(Open->Edit1->text(), "0");
    EXPECT_TRUE(Open->Image1->isVisibleTo(Open));
    QImage blank(625, 425, QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_EQ(Open->MyWave1->image(), blank);
    messages.clear();
    Open->Button4->click();
    ASSERT_EQ(messages.size(), 1u) << "no channel: the selection message, not silence";
    EXPECT_EQ(messages[0].text, WithIdeographicSpaces(QStringLiteral("グラフを描くデータチャンネルが指定されておりません"), 5));
}
