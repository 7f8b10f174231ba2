// Integration from the channel list's pop-up: which row it acts on, which filter and
// time step it uses, and the values of the velocity and displacement it stores.
#include "DataFiles.h"
#include "DataSetDriver.h"
#include "UiTestSupport.h"
#include "support/PlainKernels.h"

#include "core/data/ChannelStore.h"
#include "core/dsp/FilterSettings.h"
#include "ui/app/Uopen.h"
#include "ui/data/Usetdata.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"

#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QTest>

#include <cmath>

namespace {

// Three acceleration channels of different frequencies, so that every filter leaves
// its own mark on them.
QByteArray ThreeWaves(int lines) {
    QByteArray text = "A1,A2,A3\r\nP1,P2,P3\r\nM1,M2,M3\r\ngal,gal,gal\r\n";
    for (int i = 0; i < lines; ++i) {
        for (int c = 0; c < 3; ++c) {
            const double t = i * 0.005;
            const double value = 40.0 * std::sin(2.0 * M_PI * (0.5 + 7.0 * c) * t) + 15.0 * std::sin(2.0 * M_PI * 60.0 * t) + 3.0;
            text += (c ? "," : "") + QByteArray::number(value, 'f', 4);
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace

class PopupIntegrationTest : public FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        Open->RadioGroup1->button(4)->click();  // 200 samples per second: dt 0.005
        messages.clear();
        Scan(files.Write("waves.csv", ThreeWaves(3000)));
        Mark({1, 2, 3});
        SetData->CheckBox2->setChecked(false);
        SetData->Button4->click();
        ASSERT_TRUE(messages.empty());
    }
    void ChooseFilter(int item) {
        Open->RadioGroup4->button(item)->click();
        messages.clear();
    }
    void Convert(int row, QAction* command) {
        Open->StringGrid1->setCurrentCell(2, row);
        command->trigger();
        ASSERT_TRUE(messages.empty());
    }
    const std::vector<float>& Base(int k) const { return Open->Store().BaseBank[k].Samples; }
    const float* Set(int item) const {
        const tremvix::FilterSettings& f = Open->Filters;
        return item == 1 ? f.BandPass.data() : item == 2 ? f.LowPass.data() : nullptr;
    }
    std::vector<float> Expected(const std::vector<float>& x, int item) const {
        return plain::Integral(x, 1.0f / 200, Set(item), tremvix::FilterSettings::kCoefficients);
    }
    static std::vector<float> Times10(std::vector<float> x) {
        for (float& v : x) v = v * 10.0f;
        return x;
    }

    DataFiles files;
};

TEST_F(PopupIntegrationTest, EachFilterItemAndTheRateOfTheMomentGiveTheVelocity) {
    ASSERT_EQ(Open->Filters.SamplingInterval, 1.0f / 200);
    for (int item = 0; item < 3; ++item) {
        ChooseFilter(item);
        Convert(item + 1, Open->Velocity);
        EXPECT_EQ(Open->StringGrid1->cell(4, item + 1), "V");
        EXPECT_EQ(Open->Store().VelocityBank[item].Samples, Expected(Base(item), item)) << "filter item " << item;
    }
}

TEST_F(PopupIntegrationTest, DisplacementsInMmAndCmFromTheVelocityKeptOrMadeNow) {
    ChooseFilter(1);
    Convert(1, Open->Displacement);  // no velocity yet: both made with the band-pass set
    const std::vector<float> velocity = Expected(Base(0), 1);
    EXPECT_EQ(Open->Store().VelocityBank[0].Samples, velocity);
    EXPECT_EQ(Open->Store().DisplacementBank[0].Samples, Times10(Expected(velocity, 1)));
    EXPECT_EQ(Open->StringGrid1->cell(3, 1), "mm");

    Convert(2, Open->Velocity);  // band-pass velocity kept ...
    ChooseFilter(2);
    Convert(2, Open->cm1);  // ... and integrated once more with the low-pass set
    const std::vector<float> kept = Expected(Base(1), 1);
    EXPECT_EQ(Open->Store().VelocityBank[1].Samples, kept);
    EXPECT_EQ(Open->Store().DisplacementBank[1].Samples, Expected(kept, 2));
    EXPECT_EQ(Open->StringGrid1->cell(3, 2), "cm");
    EXPECT_EQ(Open->StringGrid1->cell(4, 2), "D");
}

// Only a left click chooses the row; the pop-up opened by a right click acts on the
// row chosen before.
TEST_F(PopupIntegrationTest, ARightClickDoesNotMoveTheRowThePopupActsOn) {
    Open->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Open));
    Open->StringGrid1->setCurrentCell(2, 1);
    const QRect third = Open->StringGrid1->visualRect(Open->StringGrid1->model()->index(2, 1));
    QTest::mouseClick(Open->StringGrid1->viewport(), Qt::RightButton, {}, third.center());
    EXPECT_EQ(Open->StringGrid1->row(), 1);
    EXPECT_EQ(Open->StringGrid1->cell(5, 3), QStringLiteral("●")) << "a right click toggles nothing";
    Open->Velocity->trigger();
    EXPECT_EQ(Open->StringGrid1->cell(4, 1), "V");
    EXPECT_EQ(Open->StringGrid1->cell(4, 3), "A");
}
