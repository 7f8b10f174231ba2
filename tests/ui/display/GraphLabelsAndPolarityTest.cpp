// What the picture says about the data: the overlaid unit, the start label, an inverted trace.
#include "display/GraphTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

// The columns of the top-right corner that hold anything but white.
std::pair<int, int> InkColumns(const QImage& picture, const QRect& area) {
    int left = picture.width(), right = -1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (picture.pixel(x, y) != kWhite) left = std::min(left, x), right = std::max(right, x);
    return {left, right};
}

TEST_F(GraphTest, OverlaidTracesAreLabelledWithTheUnitOfTheirData) {
    LoadConstant(0, 10.0f);
    LoadConstant(1, 20.0f);
    Open->CBOverWrite->setChecked(true);
    Draw();
    ASSERT_TRUE(messages.empty());
    EXPECT_EQ(Open->MyWave1->UnitY, QStringLiteral("gal"));

    Open->List().SetCell(tremvix::ChannelList::kUnit, 2, "cm/s");
    Draw();
    EXPECT_EQ(Open->MyWave1->UnitY, QStringLiteral("gal, cm/s")) << "both units, neither passed off as the other";
}

TEST_F(GraphTest, ALongStartTimeStaysWholeInsideTheCanvas) {
    Load(0, 30000, Sine);
    Open->Edit1->setText("29000");
    messages.clear();
    Draw();
    ASSERT_EQ(Open->Layout.StartIndex, 29000);
    const QString label = QStringLiteral("+290.00[s]");
    TMyWave reference;
    reference.resize(1000, 425);
    reference.Clear(0xFFFFFF);
    reference.canvas().TextOut(10, 10, label);
    const auto [refLeft, refRight] = InkColumns(reference.image(), QRect(0, 0, 1000, 40));
    const auto [left, right] = InkColumns(Picture(), QRect(562, 0, 63, 40));
    ASSERT_GE(right, 0);
    EXPECT_EQ(right - left, refRight - refLeft) << "the whole label, not its first characters";
    EXPECT_LT(right, 624);
}

// Inverting a trace draws exactly what the negated record draws, the window's last
// sample included.
TEST_F(GraphTest, AnInvertedTraceIsTheNegatedRecordToTheLastSample) {
    const auto ramp = [](int j) { return j < 4999 ? 0.0f : 90.0f; };
    Load(0, 5000, ramp);
    Open->PolarityBoxes[0]->setChecked(true);
    Draw();
    ASSERT_TRUE(messages.empty());
    ASSERT_EQ(Open->Layout.WindowLength, 5000);
    const QImage inverted = Picture();

    Load(0, 5000, [&](int j) { return -ramp(j); });
    Open->PolarityBoxes[0]->setChecked(false);
    Draw();
    EXPECT_EQ(inverted, Picture());
}

}  // namespace
