// What a user sees before doing anything: disabled controls look disabled, labels do
// not overlap the controls they sit beside, and only the frame of "表示時間" redraws.
#include "UiTestSupport.h"

#include "ui/app/Uopen.h"
#include "ui/data/Usetdata.h"
#include "ui/widgets/ClickableGroupBox.h"
#include "ui/widgets/RadioGroup.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace {

const QColor kNavy(0, 0, 0x80);

// Pixels of the button's face drawn in the window's navy text colour.
int NavyPixels(QPushButton* button) {
    const QImage face = button->grab().toImage();
    int n = 0;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x) {
            const QColor c = face.pixelColor(x, y);
            n += c.red() < 40 && c.green() < 40 && c.blue() > 90 && c.blue() < 170;
        }
    return n;
}

}  // namespace

class AppearanceTest : public FormsTest {};

TEST_F(AppearanceTest, DisabledButtonsAreGreyAndEnabledOnesNavy) {
    for (QPushButton* disabled : {Open->Button3, Open->Button4, Open->Button5, Open->Button7, Open->Button8}) {
        ASSERT_FALSE(disabled->isEnabled());
        EXPECT_NE(disabled->palette().color(QPalette::Disabled, QPalette::ButtonText), kNavy) << disabled->objectName().toStdString();
        EXPECT_EQ(NavyPixels(disabled), 0) << disabled->objectName().toStdString();
    }
    for (QPushButton* enabled : {Open->Button2, Open->Button9, Open->Button10, Open->Button1}) {
        EXPECT_EQ(enabled->palette().color(QPalette::Active, QPalette::ButtonText), kNavy);
        EXPECT_GT(NavyPixels(enabled), 20) << enabled->objectName().toStdString();
    }
    // The data set window before its first scan.
    for (QPushButton* disabled : {SetData->Button3, SetData->Button7, SetData->Button8})
        EXPECT_EQ(NavyPixels(disabled), 0) << disabled->objectName().toStdString();
    EXPECT_GT(NavyPixels(SetData->Button2), 20);
    // Enabled later, the same button turns navy.
    Open->Button4->setEnabled(true);
    EXPECT_GT(NavyPixels(Open->Button4), 20);
}

TEST_F(AppearanceTest, TheSampleCountLabelStaysClearOfTheDisplayTimeItems) {
    const QRect label = Open->Label5->geometry();
    for (RadioGroup* group : {Open->RadioGroup2, Open->RadioGroup3})
        for (int i = 0; i < 3; ++i) {
            const QRect item(group->mapTo(Open->GroupBox1, group->button(i)->geometry().topLeft()),
                             group->button(i)->geometry().size());
            EXPECT_FALSE(label.intersects(item)) << group->objectName().toStdString() << " item " << i;
        }
    // The longest display time shows whole.
    Open->RadioGroup3->button(2)->click();
    EXPECT_EQ(Open->Label2->text(), QStringLiteral("500.0"));
    EXPECT_LE(Open->Label2->sizeHint().width(), Open->Label2->width());
    EXPECT_LE(Open->Label2->geometry().right(), Open->GroupBox1->width() - 1);
    // Even with a long sample count it stays inside its box.
    Open->Label5->setText(QStringLiteral("1000000"));
    EXPECT_LE(Open->Label5->sizeHint().width(), Open->Label5->width());
    EXPECT_LE(Open->Label5->geometry().right(), Open->GroupBox1->width() - 1);
}

TEST_F(AppearanceTest, OnlyTheFrameOfTheDisplayTimeBoxIsAClick) {
    Open->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Open));
    QSignalSpy frame(Open->GroupBox1, &ClickableGroupBox::frameClicked);
    for (QLabel* label : Open->GroupBox1->findChildren<QLabel*>()) {
        QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
        EXPECT_EQ(frame.count(), 0) << label->objectName().toStdString();
    }
    QTest::mouseClick(Open->GroupBox1, Qt::LeftButton, {}, QPoint(1, 60));
    EXPECT_EQ(frame.count(), 1) << "the frame itself";
}
