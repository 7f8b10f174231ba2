#include "UiTestSupport.h"

#include "core/data/ChannelStore.h"
#include "ui/app/Uopen.h"
#include "ui/display/Mywave.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StringGrid.h"
#include "ui/widgets/UpDown.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

using StartupTest = FormsTest;

TEST_F(StartupTest, FiveWindowsWithCaptionsAndSizesOnlyTheMainWindowShown) {
    const struct {
        const char* name;
        const char* caption;
        int w, h;
        bool visible;
    } expected[] = {{"Open", "Tremvix Ver3.3", 1062, 577, true},
                    {"SetData", "データセット", 485, 700, false},
                    {"Version", "バージョン情報", 344, 306, false},
                    {"HowTo", "使い方", 438, 530, false},
                    {"DataList", "DataList", 733, 388, false}};
    for (const auto& w : expected) {
        QWidget* window = TopLevel(QString::fromLatin1(w.name));
        ASSERT_NE(window, nullptr) << w.name;
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(w.caption));
        EXPECT_EQ(window->size(), QSize(w.w, w.h)) << w.name;
        EXPECT_EQ(window->isVisible(), w.visible) << w.name;
        EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0xC0, 0xDE, 0xFE)) << w.name;
        EXPECT_TRUE(window->font().bold()) << w.name;
        EXPECT_EQ(window->font().pixelSize(), 13) << w.name;
    }
    EXPECT_EQ(TopLevel("DataList")->pos(), QPoint(784, 409));
}

TEST_F(StartupTest, ControlsStandAtTheirPlacesWithTheirInitialState) {
    const struct {
        const char* name;
        int x, y, w, h;
    } places[] = {{"MyWave1", 8, 16, 625, 425},  {"Image1", 208, 184, 227, 48}, {"StringGrid1", 648, 24, 344, 176},
                  {"Button2", 640, 208, 75, 25}, {"Button4", 568, 472, 75, 25}, {"Button1", 920, 472, 75, 25},
                  {"RadioGroup1", 656, 248, 153, 105}, {"GroupBox1", 832, 248, 153, 105},
                  {"TrackBar1", 865, 376, 121, 26},   {"Edit1", 877, 403, 65, 21},  {"Button6", 968, 400, 19, 23},
                  {"CheckBox2", 1000, 44, 18, 17},   {"CheckBox9", 1000, 179, 18, 17}, {"CBMax8", 1024, 179, 19, 17}};
    for (const auto& p : places) {
        QWidget* control = Control<QWidget>("Open", QString::fromLatin1(p.name));
        ASSERT_NE(control, nullptr) << p.name;
        EXPECT_EQ(control->geometry(), QRect(p.x, p.y, p.w, p.h)) << p.name;
    }
    const auto button = [](const char* name) { return Control<QPushButton>("Open", QString::fromLatin1(name)); };
    EXPECT_FALSE(button("Button3")->isEnabled());
    EXPECT_FALSE(button("Button4")->isEnabled());
    EXPECT_FALSE(button("Button5")->isEnabled());
    EXPECT_FALSE(button("Button7")->isEnabled());
    EXPECT_FALSE(button("Button8")->isEnabled());
    EXPECT_TRUE(button("Button10")->isEnabled());
    EXPECT_EQ(button("Button1")->text(), QStringLiteral("終　了"));
    EXPECT_EQ(button("Button4")->toolTip(), QStringLiteral("グラフを描く"));
    EXPECT_TRUE(Control<QCheckBox>("Open", "CBColor")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>("Open", "CBLine")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>("Open", "CheckBox1")->isChecked());
    EXPECT_FALSE(Control<QLabel>("Open", "Label10")->isVisibleTo(TopLevel("Open")));
    EXPECT_FALSE(Control<QLineEdit>("Open", "Edit3")->isVisibleTo(TopLevel("Open")));
    EXPECT_EQ(Control<QLineEdit>("Open", "Edit1")->text(), "0");
    EXPECT_EQ(Control<QLineEdit>("Open", "Edit2")->text(), "10");
    EXPECT_EQ(Control<RadioGroup>("Open", "RadioGroup1")->itemIndex(), 3);
    EXPECT_EQ(Control<RadioGroup>("Open", "RadioGroup2")->itemIndex(), 2);
    EXPECT_EQ(Control<RadioGroup>("Open", "RadioGroup3")->itemIndex(), 1);
    EXPECT_EQ(Control<RadioGroup>("Open", "RadioGroup4")->itemIndex(), 1);
    EXPECT_EQ(Control<RadioGroup>("Open", "RadioGroup5")->itemIndex(), 0);
    const auto radios = Control<QGroupBox>("Open", "RadioGroup1")->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 8);
    EXPECT_EQ(radios[7]->text(), "2000");
    auto* upDown = Control<UpDown>("Open", "UpDown1");
    EXPECT_EQ(upDown->maximum(), 10000);
    EXPECT_EQ(upDown->increment(), 10);
}

TEST_F(StartupTest, MenusCarryTheirCheckMarks) {
    QWidget* open = TopLevel("Open");
    const auto action = [open](const char* name) { return open->findChild<QAction*>(QString::fromLatin1(name)); };
    for (const char* name : {"N9", "EDefence1", "N2", "N3", "N11", "N101", "N501", "N1001", "N2001", "N5001", "N10001",
                             "N20001", "Nyquist21", "Nyquist41", "Nyquist81", "N6", "N7", "Velocity",
                             "Displacement", "cm1"})
        ASSERT_NE(action(name), nullptr) << name;
    EXPECT_TRUE(action("N9")->isChecked());
    EXPECT_FALSE(action("EDefence1")->isChecked());
    EXPECT_TRUE(action("N1001")->isChecked());
    EXPECT_FALSE(action("N20001")->isChecked());
    EXPECT_TRUE(action("Nyquist41")->isChecked());
    EXPECT_EQ(action("Velocity")->text(), QStringLiteral("速度に変換"));
    EXPECT_EQ(action("cm1")->text(), QStringLiteral("変位（cm）に換算"));
}

TEST_F(StartupTest, ChannelListShowsHeadingsAndRowNumbers) {
    auto* grid = Control<StringGrid>("Open", "StringGrid1");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->colCount(), 6);
    EXPECT_EQ(grid->rowCount(), 9);
    const QString headings[6] = {QStringLiteral("番号"), QStringLiteral(" \u3000CH"),
                                 QStringLiteral("\u3000\u3000\u3000計\u3000測\u3000点"), QStringLiteral("\u3000単位"),
                                 QStringLiteral(" 型"), QStringLiteral(" 選")};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(grid->cell(c, 0), headings[c]);
    for (int r = 1; r <= 8; ++r) {
        EXPECT_EQ(grid->cell(0, r), QStringLiteral("  %1").arg(r));
        for (int c = 1; c < 6; ++c) EXPECT_TRUE(grid->cell(c, r).isEmpty());
    }
}

TEST_F(StartupTest, CreationSetsUpCanvasAndState) {
    TOpen* open = Open;
    EXPECT_EQ(open->CanvasHeight, 425);
    EXPECT_EQ(open->MyWave1->OriginX, 60);
    EXPECT_EQ(open->MyWave1->NGridX, 5);
    EXPECT_EQ(open->MyWave1->image().size(), QSize(625, 425));
    EXPECT_EQ(open->MyWave1->image().pixelColor(300, 200), QColor(Qt::white));
    EXPECT_TRUE(open->Store().NothingTransferred);
    EXPECT_EQ(open->Filters.SamplingRate, 100);
    EXPECT_EQ(open->Filters.SamplingInterval, 0.01f);
    EXPECT_EQ(open->Filters.HighCutPass, 12.5f);
    EXPECT_EQ(open->Filters.LowPass[0], 0.3125f);
    EXPECT_EQ(open->Filters.TransferLowPass[0], 0.104166664f);
    EXPECT_EQ(open->DisplayTime, 50.0f);
    EXPECT_EQ(open->CursorX, 800);
    EXPECT_TRUE(open->Image1->isVisibleTo(open));
}

TEST_F(StartupTest, MainAndDataSetWindowsHoldAFieldSplitter) {
    EXPECT_NE(TopLevel("Open")->findChild<QObject*>("MyStr1"), nullptr);
    EXPECT_NE(TopLevel("SetData")->findChild<QObject*>("MyStr1"), nullptr);
}

TEST_F(StartupTest, FormsCanBeCreatedAgainInOneProcess) {
    DestroyForms();
    EXPECT_EQ(TopLevel("Open"), nullptr);
    CreateForms();
    EXPECT_NE(TopLevel("Open"), nullptr);
    EXPECT_EQ(Control<StringGrid>("Open", "StringGrid1")->cell(0, 8), "  8");
}
