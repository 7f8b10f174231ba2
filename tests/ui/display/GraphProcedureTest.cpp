#include "display/GraphTestSupport.h"

#include "core/data/ChannelList.h"
#include "ui/app/Uopen.h"
#include "ui/display/GraphScale.h"
#include "ui/display/Mywave.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <vector>

using tremvix::ChannelList;

namespace {

const QString kSelection = QStringLiteral("選択エラー");

TEST_F(GraphTest, ThreeBandsWithTheSecondInvertedOnTheSameScale) {
    const auto offsetSine = [](int j) { return Sine(j) + 30.0f; };
    for (int k = 0; k < 3; ++k) Load(k, 30000, offsetSine);
    Open->PolarityBoxes[1]->setChecked(true);
    Draw();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Open->Layout.TraceCount, 3);
    EXPECT_EQ(Open->Layout.TraceHeight, 141);
    EXPECT_EQ(Open->Layout.HalfTraceHeight, 70);
    EXPECT_EQ(Open->Layout.WindowLength, 5000);
    EXPECT_EQ((std::vector<int>(Open->Layout.SelectedChannels.begin(), Open->Layout.SelectedChannels.begin() + 3)),
              (std::vector<int>{0, 1, 2}));
    EXPECT_FALSE(Open->Store().PolarityNormal[1]);
    EXPECT_TRUE(Open->Store().PolarityNormal[0]);
    EXPECT_EQ(Open->MyWave1->UnitLenY, 26);
    EXPECT_EQ(Open->Label5->text(), "5000");
    EXPECT_TRUE(Open->Image1->isHidden());
    EXPECT_TRUE(Open->Button7->isEnabled());
    EXPECT_TRUE(Open->Button8->isEnabled());

    for (const int middle : {70, 211, 352}) {
        int axis = 0;
        for (int x = 61; x < 560; ++x) axis += Pixel(x, middle) == kBlack;
        EXPECT_GT(axis, 400) << middle;
    }
    for (int x = 62; x < 559; ++x) {  // the last column holds the end of the line
        const std::vector<int> first = RowsOf(kRed, x, 0, 140);
        const std::vector<int> second = RowsOf(kRed, x, 141, 281);
        const std::vector<int> third = RowsOf(kRed, x, 282, 424);
        ASSERT_FALSE(first.empty()) << x;
        ASSERT_FALSE(second.empty()) << x;
        // Mirrored about the middle line (row 211 + (70 - y)), within the truncation.
        EXPECT_NEAR(second.front(), 281 - first.back(), 1) << x;
        EXPECT_NEAR(second.back(), 281 - first.front(), 1) << x;
        std::vector<int> shifted;
        for (const int y : first) shifted.push_back(y + 282);
        EXPECT_EQ(third, shifted) << x;
    }
}

TEST_F(GraphTest, OverlaidTracesTakeTheColoursInListOrder) {
    const float levels[] = {10.0f, 20.0f, 30.0f, 40.0f};
    for (int k = 0; k < 4; ++k) LoadConstant(k, levels[k]);
    Open->CBOverWrite->setChecked(true);
    Draw();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Open->Layout.TraceCount, 1);
    EXPECT_EQ(Open->Layout.TraceHeight, 106);  // the heights still count the selected channels
    EXPECT_EQ(Open->MyWave1->OriginY, 212);
    EXPECT_EQ(Open->MyWave1->UnitLenY, 39);
    EXPECT_EQ(Open->MyWave1->Title, "");
    const int rows[] = {196, 180, 165, 149};
    const QRgb colours[] = {kRed, 0xFF0000FF, 0xFFFF00FF, 0xFF008000};
    for (int k = 0; k < 4; ++k) EXPECT_EQ(Pixel(300, rows[k]), colours[k]) << k;

    Open->CBColor->click();  // unticks it and redraws
    ASSERT_FALSE(Open->CBColor->isChecked());
    for (int k = 0; k < 4; ++k) EXPECT_EQ(Pixel(300, rows[k]), kBlack) << k;
}

TEST_F(GraphTest, CommonScaleAlsoOnFiveToEightBands) {
    Open->Edit2->setText("10");
    Open->CBEqual->setChecked(true);
    for (int bands = 5; bands <= 8; ++bands) {
        for (int k = 0; k < bands; ++k) LoadConstant(k, 10.0f);
        Draw();
        ASSERT_TRUE(messages.empty());
        EXPECT_EQ(Open->MyWave1->VValueY, 10.0f);
        EXPECT_EQ(Open->MyWave1->NGridY, 1);
        const int unit = tremvix::BandUnitLenY(425, bands);
        for (int k = 0; k < bands; ++k) {
            const int middle = k * (425 / bands) + 425 / (2 * bands);
            EXPECT_EQ(Pixel(300, middle - unit), kRed) << bands << " bands, band " << k;
        }
    }
    Open->CBEqual->click();  // back to the automatic scale, doubled for many bands
    EXPECT_EQ(Open->MyWave1->VValueY, 2 * tremvix::ScaleStep(2, 10.0f));
    EXPECT_NE(Pixel(300, 425 / 16 - tremvix::BandUnitLenY(425, 8)), kRed);
}

TEST_F(GraphTest, MaximumBoxDrawsTheTwoEnvelopesOnly) {
    Load(0, 30000, Sine);
    Open->MaxBoxes[0]->click();
    ASSERT_TRUE(messages.empty());
    // Late in the window both envelopes are flat at one division above and below.
    for (const int x : {400, 500}) {
        const std::vector<int> red = RowsOf(kRed, x, 0, 424);
        ASSERT_FALSE(red.empty());
        for (const int y : red) EXPECT_TRUE(std::abs(y - 173) <= 1 || std::abs(y - 251) <= 1) << x << "," << y;
        EXPECT_LE(red.front(), 174);
        EXPECT_GE(red.back(), 250);
    }
    const QImage envelopes = Picture();
    Open->PolarityBoxes[0]->click();  // has no effect on a channel shown by its maxima
    EXPECT_EQ(Picture(), envelopes);
    EXPECT_TRUE(messages.empty());
}

TEST_F(GraphTest, StartLabelRightOfTheTimeAxis) {
    Load(0, 30000, Sine);
    Open->Edit1->setText("250");
    messages.clear();
    Draw();
    EXPECT_EQ(Open->Layout.StartIndex, 250);
    TMyWave reference;
    reference.resize(625, 425);
    reference.Clear(0xFFFFFF);
    reference.canvas().TextOut(570, 10, QStringLiteral("+2.50[s]"));
    const QRect corner(562, 0, 63, 40);
    EXPECT_EQ(Picture().copy(corner), reference.image().copy(corner));
    EXPECT_NE(Picture().copy(corner), blank.copy(corner));

    Open->Edit1->setText("0");

    messages.clear();
    Draw();
    EXPECT_EQ(Picture().copy(corner), blank.copy(corner));  // twelve spaces on white
}

TEST_F(GraphTest, SixMaximumBoxesAreRefusedFiveDraw) {
    Load(0, 30000, Sine);
    for (int k = 0; k < 5; ++k) Open->MaxBoxes[k]->click();
    ASSERT_TRUE(messages.empty());
    const QImage five = Picture();
    EXPECT_NE(five, blank);
    Open->MaxBoxes[5]->click();
    ExpectOnlyMessage(QStringLiteral("最大値を描くチャンネルが多すぎます"), kSelection);
    EXPECT_EQ(Picture(), five);
}

TEST_F(GraphTest, NoChannelSelectedIsRefused) {
    Load(0, 30000, Sine, false);
    Draw();
    ExpectOnlyMessage(QStringLiteral("グラフを描くデータチャンネルが指定されておりません"), kSelection);
    EXPECT_EQ(Picture(), blank);
    EXPECT_FALSE(Open->Image1->isHidden());
    EXPECT_FALSE(Open->Button7->isEnabled());
}

TEST_F(GraphTest, NothingTransferredDrawsSilently) {
    Draw();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Picture(), blank);
    EXPECT_FALSE(Open->Image1->isHidden());
}

TEST_F(GraphTest, WindowUnderFiveHundredSamplesIsRefused) {
    Load(0, 30000, Sine);
    Open->DisplayTime = 1.0f;
    Draw();
    ExpectOnlyMessage(QStringLiteral("時間軸が不適切（短すぎる）です"), kSelection);
    EXPECT_EQ(Picture(), blank);
    EXPECT_TRUE(Open->Image1->isHidden());
    EXPECT_EQ(Open->Layout.TraceCount, 0) << "nothing drawn, no layout";

    Open->DisplayTime = 5.0f;
    Draw();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Open->Layout.WindowLength, 500);
    const GraphLayout shown = Open->Layout;

    Open->Filters.SamplingRate = 10;
    Open->Filters.SamplingInterval = 1.0f / 10;
    Open->DisplayTime = 50.0f;
    const QImage drawn = Picture();
    Draw();
    ExpectOnlyMessage(QStringLiteral("時間軸が不適切（短すぎる）です"), kSelection);
    EXPECT_EQ(Picture(), drawn);
    EXPECT_EQ(Open->Layout.WindowLength, 500) << "the layout of the picture still shown";
    EXPECT_EQ(Open->Layout.TraceCount, shown.TraceCount);
}

TEST_F(GraphTest, UnfilledRecordStopsAfterTheBandsAlreadyDrawn) {
    for (int k = 0; k < 3; ++k) Load(k, 30000, Sine);
    Open->Store().BaseBank[1].Filled = 0;
    Open->Edit1->setText("250");
    messages.clear();
    Draw();
    ExpectOnlyMessage(QStringLiteral("読み込みチャンネル数が多すぎます"), QStringLiteral("多すぎるデータ読み込み"));
    EXPECT_GT(RightmostOf(kRed, 0, 140), 500);
    EXPECT_EQ(RightmostOf(kRed, 141, 424), -1);
    EXPECT_EQ(Picture().copy(562, 0, 63, 40), blank.copy(562, 0, 63, 40));  // no start label
    EXPECT_FALSE(Open->Button7->isEnabled());
    EXPECT_FALSE(Open->Button8->isEnabled());
}

TEST_F(GraphTest, StartOutsideTheDataIsRefused) {
    LoadConstant(0, 10.0f, 6000);
    LoadConstant(1, 10.0f, 5000);
    Open->Edit1->setText("100");
    messages.clear();
    Draw();
    ASSERT_TRUE(messages.empty());
    const QImage drawn = Picture();
    for (const char* start : {"-1", "5000", "30000"}) {
        Open->Edit1->setText(start);
        messages.clear();
        Draw();
        ExpectOnlyMessage(QStringLiteral("開始点がデータの範囲外です"), kSelection);
        EXPECT_EQ(Picture(), drawn) << start;
        EXPECT_EQ(Open->Layout.StartIndex, 100) << start;
        EXPECT_EQ(Open->Layout.WindowLength, 4900) << start;
    }
    Open->Edit1->setText("4999");
    messages.clear();
    Draw();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Open->Layout.WindowLength, 1);
}

TEST_F(GraphTest, StartThatIsNoNumberEndsTheDrawing) {
    Load(0, 30000, Sine);
    Open->Edit1->setText("abc");
    messages.clear();
    Draw();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("'abc' は整数ではありません"));
    EXPECT_EQ(Picture(), blank);
    EXPECT_FALSE(Open->Button7->isEnabled());
}

TEST_F(GraphTest, ShortChannelShortensTheWindowOfTheChannelsAfterIt) {
    LoadConstant(0, 50.0f, 3000);
    LoadConstant(1, 50.0f, 6000);
    Draw();
    EXPECT_EQ(Open->Layout.WindowLength, 3000);
    EXPECT_EQ(Open->Label5->text(), "3000");
    const int end3000 = RightmostOf(kRed, 0, 211);
    EXPECT_NEAR(end3000, 359, 1);
    EXPECT_EQ(RightmostOf(kRed, 212, 424), end3000);

    LoadConstant(0, 50.0f, 6000);
    LoadConstant(1, 50.0f, 3000);
    Draw();
    EXPECT_EQ(Open->Layout.WindowLength, 3000);
    EXPECT_NEAR(RightmostOf(kRed, 0, 211), 559, 1);
    EXPECT_EQ(RightmostOf(kRed, 212, 424), end3000);
}

TEST_F(GraphTest, VelocityChannelDrawnFromItsRecordWhenPresent) {
    LoadConstant(0, 10.0f);
    tremvix::ChannelStore& store = Open->Store();
    store.VelocityBank[0] = store.BaseBank[0];
    for (float& v : store.VelocityBank[0].Samples) v = -10.0f;
    Open->List().SetCell(ChannelList::kType, 1, "V");
    Open->List().SetCell(ChannelList::kUnit, 1, "kine");
    Draw();
    EXPECT_FALSE(RowsOf(kRed, 300, 0, 211).empty()) << "without a velocity record the base record is drawn";
    store.HasVelocity[0] = true;
    Draw();
    EXPECT_EQ(store.DisplayType[0], tremvix::kTypeV);
    EXPECT_EQ(Open->MyWave1->UnitY, "kine");
    EXPECT_TRUE(RowsOf(kRed, 300, 0, 211).empty());
    EXPECT_FALSE(RowsOf(kRed, 300, 213, 424).empty());
    Open->PolarityBoxes[0]->click();  // inverts the velocity samples
    EXPECT_FALSE(RowsOf(kRed, 300, 0, 211).empty());
    EXPECT_EQ(store.VelocityBank[0].Samples[0], -10.0f);  // the store itself is never changed
}

TEST_F(GraphTest, NonFiniteSamplesKeepAFiniteScale) {
    Load(0, 30000, [](int j) { return j == 700 ? std::numeric_limits<float>::infinity() : (j == 900 ? NAN : Sine(j)); });
    Draw();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Open->MyWave1->VValueY, tremvix::ScaleStep(2, 100.0f));
}

}  // namespace

namespace {
std::vector<int> LayoutValues(const GraphLayout& l) {
    std::vector<int> values(l.SelectedChannels.begin(), l.SelectedChannels.end());
    values.insert(values.end(),
                  {l.TraceCount, l.SelectedCount, l.TraceHeight, l.HalfTraceHeight, l.StartIndex, l.WindowLength});
    return values;
}
}  // namespace

// The cursor and the clicks read the layout; after a refusal the picture shown is the
// old one, so the layout must be the old one too, whatever the refusal.
TEST_F(GraphTest, ARefusedDrawingKeepsTheLayoutOfThePictureShown) {
    Load(0, 30000, Sine);
    Load(1, 30000, Sine);
    Draw();
    ASSERT_TRUE(messages.empty());
    const std::vector<int> shown = LayoutValues(Open->Layout);
    ASSERT_EQ(Open->Layout.TraceCount, 2);

    Load(2, 600, Sine);  // a third, shorter channel selected as well
    Open->Store().DataCount = 30000;
    Open->Edit1->setText("1000");  // past its end: refused
    ExpectOnlyMessage(QStringLiteral("開始点がデータの範囲外です"), kSelection);
    EXPECT_EQ(LayoutValues(Open->Layout), shown);

    Open->List().SetCell(ChannelList::kSelect, 3, "");
    Open->Edit1->setText("0");  // the two channels drawn again
    ASSERT_TRUE(messages.empty());
    ASSERT_EQ(LayoutValues(Open->Layout), shown);
    Open->List().SetCell(ChannelList::kSelect, 3, ChannelList::kMark);
    Open->DisplayTime = 1.0f;  // a window under 500 samples
    Draw();
    ExpectOnlyMessage(QStringLiteral("時間軸が不適切（短すぎる）です"), kSelection);
    EXPECT_EQ(LayoutValues(Open->Layout), shown);

    Open->DisplayTime = 50.0f;
    for (int row = 1; row <= 3; ++row) Open->List().SetCell(ChannelList::kSelect, row, "");
    Draw();
    ExpectOnlyMessage(QStringLiteral("グラフを描くデータチャンネルが指定されておりません"), kSelection);
    EXPECT_EQ(LayoutValues(Open->Layout), shown);

    Open->List().SetCell(ChannelList::kSelect, 3, ChannelList::kMark);
    Open->Edit1->setText("x");  // not a number: the conversion error ends the drawing
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(LayoutValues(Open->Layout), shown);
}
