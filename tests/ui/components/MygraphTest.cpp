#include "ui/base/Dialogs.h"
#include "ui/components/GraphArithmetic.h"
#include "ui/components/Mygraph.h"

#include "core/export/PngEncoder.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

struct ShownBox {
    QString text;
    QString caption;
    unsigned flags;
};

// A graph of the default size with message boxes answered and recorded.
class Graph : public ::testing::Test {
protected:
    void SetUp() override {
        Dialogs::SetMessageHandler([this](const QString& text, const QString& caption, unsigned flags) {
            boxes.push_back({text, caption, flags});
            return Dialogs::kOk;
        });
    }
    void TearDown() override { Dialogs::SetMessageHandler({}); }

    bool Dark(int x, int y) const { return graph.image().pixelColor(x, y).lightness() < 128; }
    int DarkIn(int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y) n += Dark(x, y);
        return n;
    }
    // Whether `text` stands at (x, y) exactly as the graph's canvas would write it.
    bool TextAt(int x, int y, const QString& text) {
        QImage reference(graph.image().size(), QImage::Format_RGB32);
        reference.fill(Qt::white);
        Canvas c(reference);
        c.font = graph.canvas().font;
        c.TextOut(x, y, text);
        const int w = c.TextWidth(text);
        const int h = c.TextHeight(text);
        for (int i = std::max(x, 0); i < std::min(x + w, reference.width()); ++i)
            for (int j = std::max(y, 0); j < std::min(y + h, reference.height()); ++j)
                if (reference.pixel(i, j) != graph.image().pixel(i, j)) return false;
        return true;
    }

    TMyGraph graph;
    std::vector<ShownBox> boxes;
};

}  // namespace

TEST(GraphArithmetic, SubScaleGivesMinorCountAndDecimals) {
    const struct {
        float value;
        int sub;
        const char* format;
    } cases[] = {{2.5f, 5, "%.1f"}, {0.25f, 5, "%.2f"}, {20.0f, 4, "%.0f"}, {1.5f, 3, "%.1f"},
                 {1.0f, 5, "%.0f"}, {0.8f, 4, "%.1f"}, {9.0f, 3, "%.0f"}, {50.0f, 5, "%.0f"}};
    for (const auto& c : cases) {
        std::string format;
        EXPECT_EQ(graph::SubScale(c.value, format), c.sub) << c.value;
        EXPECT_EQ(format, c.format) << c.value;
    }
    for (const float bad : {0.0f, -2.5f, std::numeric_limits<float>::infinity(), std::nanf("")}) {
        std::string format = "untouched";
        EXPECT_EQ(graph::SubScale(bad, format), 0) << bad;
        EXPECT_EQ(format, "untouched");
    }
}

TEST(GraphArithmetic, FormattedLabelsReplaceBareZeros) {
    EXPECT_TRUE(graph::ZeroString("-0.00"));
    EXPECT_TRUE(graph::ZeroString("0"));
    EXPECT_FALSE(graph::ZeroString("0.01"));
    EXPECT_FALSE(graph::ZeroString("1.00"));
    EXPECT_EQ(graph::FormattedLabel("%.2f", 0.0f), "0");
    EXPECT_EQ(graph::FormattedLabel("%.2f", -0.001f), "0");
    EXPECT_EQ(graph::FormattedLabel("%.2f", 0.5f), "0.50");
    char text[13];
    TMyGraph::_round_number(5e-9f, text);
    EXPECT_STREQ(text, "0");
    TMyGraph::_round_number(-0.1239f, text);
    EXPECT_STREQ(text, "-0.124");
}

TEST(GraphArithmetic, ValueToPixelTruncatesTowardZero) {
    const graph::Axis x{35, 62, 1, true, 0.0f, 5.0f};
    EXPECT_EQ(graph::AxisPixel(x, 2.5f), 66);
    EXPECT_EQ(graph::AxisPixel(x, -1.0f), 22);  // 35 - 12.4
    const graph::Axis left{0, 62, 1, true, 0.0f, 5.0f};
    EXPECT_EQ(graph::AxisPixel(left, -1.0f), -12);  // toward zero, not down
    const graph::Axis y{270, 62, -1, true, 0.0f, 10.0f};
    EXPECT_EQ(graph::AxisPixel(y, 15.0f), 177);
    graph::Axis log{35, 62, 1, false, 1.0f, 10.0f};
    EXPECT_EQ(graph::AxisPixel(log, 100.0f), 159);
    EXPECT_EQ(graph::AxisPixel(log, 0.0f), std::nullopt);
    EXPECT_EQ(graph::AxisPixel(log, -3.0f), std::nullopt);
    log.start = 0.0f;
    EXPECT_EQ(graph::AxisPixel(log, 100.0f), std::nullopt);
    log = {35, 62, 1, false, 1.0f, 1.0f};  // a factor of 1 per division spans nothing
    EXPECT_EQ(graph::AxisPixel(log, 100.0f), std::nullopt);
    const graph::Axis flat{35, 62, 1, true, 0.0f, 0.0f};
    EXPECT_EQ(graph::AxisPixel(flat, 1.0f), std::nullopt);
}

TEST_F(Graph, ConstructionValues) {
    EXPECT_EQ(graph.size(), QSize(300, 300));
    EXPECT_EQ(graph.NGridX, 4);
    EXPECT_EQ(graph.NGridY, 4);
    EXPECT_EQ(graph.WidthX, 250);
    EXPECT_EQ(graph.HeightY, 250);
    EXPECT_EQ(graph.OriginX, 35);
    EXPECT_EQ(graph.OriginY, 270);
    EXPECT_TRUE(graph.LinearX && graph.LinearY && graph.SubAxis && graph.LeftScale);
    EXPECT_FALSE(graph.OverWrite);
    EXPECT_EQ(graph.VValueX, 5.0f);
    EXPECT_EQ(graph.VValueY, 10.0f);
    EXPECT_EQ(graph.SubX, 5);
    EXPECT_EQ(graph.SubY, 5);
    EXPECT_EQ(graph.TitleX, "TitleX [unit]");
    EXPECT_EQ(graph.TitleY, "TitleY [unit]");
}

TEST_F(Graph, FrameOfWholeDivisions) {
    graph.DrawWaku();
    // 250 / 4 = 62: lines at 35, 97, 159, 221 and the right edge at 35 + 248.
    for (const int x : {35, 97, 159, 221, 283}) EXPECT_GT(DarkIn(x, 100, x, 110), 10) << x;
    EXPECT_EQ(DarkIn(286, 30, 290, 260), 0);
    for (const int y : {270, 208, 146, 84, 22}) EXPECT_GT(DarkIn(100, y, 110, y), 10) << y;
    // Minor lines dotted across the frame: 62 × 1 / 5 = 12 pixels in.
    const int dots = DarkIn(47, 30, 47, 260);
    EXPECT_GT(dots, 40);
    EXPECT_LT(dots, 200);
    EXPECT_TRUE(TextAt(35 - graph.canvas().TextWidth("0") / 2, 275, "0"));
    EXPECT_TRUE(TextAt(283 - graph.canvas().TextWidth("20") / 2, 275, "20"));
}

TEST_F(Graph, WithoutSubAxisMinorDivisionsAreShortTicks) {
    graph.SubAxis = false;
    graph.DrawWaku();
    EXPECT_TRUE(Dark(47, 266));
    EXPECT_EQ(DarkIn(47, 240, 47, 260), 0);
    EXPECT_TRUE(Dark(38, 258));
    EXPECT_EQ(DarkIn(60, 258, 90, 258), 0);
}

TEST_F(Graph, OverWriteKeepsThePictureButWhitensLabels) {
    graph.Clear(0x0000FF);
    graph.OverWrite = true;
    graph.DrawWaku();
    EXPECT_EQ(graph.image().pixelColor(5, 295), QColor(255, 0, 0));
    EXPECT_TRUE(TextAt(35 - graph.canvas().TextWidth("0") / 2, 275, "0"));
    graph.OverWrite = false;
    graph.DrawWaku();
    EXPECT_EQ(graph.image().pixelColor(5, 295), QColor(255, 255, 255));
}

TEST_F(Graph, RightScalePutsLabelsAndTitleOnTheRight) {
    const int h = graph.canvas().TextHeight("A");
    const int titleTop = static_cast<int>((270 - 250) - 1.3 * h);
    graph.LeftScale = false;
    graph.DrawWaku();
    const QString label = "20";
    // Right of the frame, moved in where the picture would cut it.
    EXPECT_TRUE(TextAt(std::min(35 + 250 + 5, 300 - graph.canvas().TextWidth(label)), 146 - h / 2, label));
    EXPECT_EQ(DarkIn(0, 30, 25, 260), 0);
    const int titleX = 35 + 250 - graph.canvas().TextWidth(graph.TitleY) - 5;
    EXPECT_TRUE(TextAt(titleX, titleTop, graph.TitleY));
    graph.LeftScale = true;
    graph.DrawWaku();
    EXPECT_TRUE(TextAt(35 - graph.canvas().TextWidth(label) - 10, 146 - h / 2, label));
    EXPECT_TRUE(TextAt(45, titleTop, graph.TitleY));
}

TEST_F(Graph, DrawWakuNFormatsLabelsToTheDivisionValue) {
    graph.VValueY = 0.25f;
    graph.DrawWakuN();
    EXPECT_EQ(graph.SubY, 5);
    EXPECT_EQ(graph.SubX, 5);
    const int h = graph.canvas().TextHeight("0");
    const char* labels[] = {"0", "0.25", "0.50", "0.75", "1.00"};
    for (int r = 0; r < 5; ++r) {
        const QString text = labels[r];
        EXPECT_TRUE(TextAt(35 - graph.canvas().TextWidth(text) - 10, 270 - r * 62 - h / 2, text)) << labels[r];
    }
    // A division value with no format falls back to the rounded labels.
    graph.VValueX = 0.0f;
    graph.DrawWakuN();
    EXPECT_EQ(graph.SubX, 0);
    EXPECT_TRUE(TextAt(97 - graph.canvas().TextWidth("0") / 2, 275, "0"));
}

// Six decades from 0.001 on both axes: the float start makes the sixth 1000.0001
// unless the labels keep to the digits a float holds; "1000" wider than the room left
// of the frame or right of the picture's edge is moved in, whole.
TEST_F(Graph, DecadeLabelsAreExactAndStayWholeInsideThePicture) {
    for (bool* linear : {&graph.LinearX, &graph.LinearY}) *linear = false;
    graph.SValueX = graph.SValueY = 0.001f;
    graph.VValueX = graph.VValueY = 10.0f;
    graph.NGridX = graph.NGridY = 6;
    graph.WidthX = 264;  // the last vertical line at x 299, the picture's last column
    graph.DrawWaku();
    const char* decades[] = {"0.001", "0.01", "0.1", "1", "10", "100", "1000"};
    const int h = graph.canvas().TextHeight("0");
    for (int r = 0; r <= 6; ++r) {
        const QString text = decades[r];
        EXPECT_EQ(graph::DivisionValue(false, 0.001f, 10.0f, r), std::stof(decades[r])) << decades[r];
        const int w = graph.canvas().TextWidth(text);
        const int left = std::max(0, 35 - w - 10);
        EXPECT_TRUE(TextAt(left, 270 - r * 41 - h / 2, text)) << "y " << decades[r];
        const int centre = 35 + r * 44 - w / 2;
        EXPECT_TRUE(TextAt(std::clamp(centre, 0, 300 - w), 275, text)) << "x " << decades[r];
    }
    ASSERT_GT(graph.canvas().TextWidth("1000") + 10, 35) << "the top label needs moving in";
    ASSERT_GT(35 + 6 * 44 + graph.canvas().TextWidth("1000") / 2, 300) << "the last label needs moving in";
}

TEST_F(Graph, LogarithmicStartOfZeroIsReportedNotFatal) {
    graph.LinearX = false;
    graph.SValueX = 0.0f;
    graph.VValueX = 10.0f;
    graph.DrawWaku();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "X Logarithmic Scale can not be determind.");
    EXPECT_EQ(boxes[0].caption, "X Scale Error");
    EXPECT_EQ(boxes[0].flags, 0u);
    // The frame is there, the x labels (all of them 0) are not.
    EXPECT_GT(DarkIn(283, 100, 283, 110), 10);
    EXPECT_EQ(DarkIn(25, 275, 45, 285), 0);
    EXPECT_GT(DarkIn(0, 260, 30, 280), 0) << "y labels still drawn";
    // Log minor lines at log10(2) × 62 = 18 and log10(8) × 62 = 55 pixels into a division.
    EXPECT_GT(DarkIn(53, 30, 53, 260), 40);
    EXPECT_GT(DarkIn(90, 30, 90, 260), 40);
}

TEST_F(Graph, NoDivisionsDrawsNoGridAndPlacesNothing) {
    graph.NGridX = 0;
    graph.DrawWaku();
    graph.DrawWakuN();
    EXPECT_EQ(DarkIn(0, 0, 299, 299), 0);
    const float x[] = {1.0f};
    const float y[] = {1.0f};
    graph.PlotGraph(1, x, y, 2, 3);
    EXPECT_EQ(DarkIn(0, 0, 299, 299), 0);
}

TEST_F(Graph, MarkersStandAtTheirPixels) {
    const float x[] = {0.0f, 5.0f, 10.0f, 100.0f, 15.0f};
    const float y[] = {15.0f, 15.0f, 15.0f, 15.0f, 15.0f};
    graph.canvas().brush.color = 0x0000FF;
    graph.PlotGraph(5, x, y, 2, 4);  // squares of half-size 2, red inside
    // x 0 → 35, 5 → 97, 10 → 159; y 15 → 177.
    for (const int px : {35, 97, 159}) {
        EXPECT_TRUE(Dark(px - 2, 177)) << px;
        EXPECT_EQ(graph.image().pixelColor(px, 177), QColor(255, 0, 0)) << px;
    }
    // The point beyond the frame's right end stops the plotting: x 15 is not drawn.
    EXPECT_EQ(DarkIn(215, 170, 227, 185), 0);
    // No points, or none to read: nothing is drawn.
    graph.Clear(0xFFFFFF);
    const QImage blank = graph.image().copy();
    graph.PlotGraph(-5, x, y, 2, 4);
    graph.PlotGraph(0, x, y, 2, 4);
    graph.PlotGraph(0, nullptr, nullptr, 2, 4);
    graph.PlotGraph(3, nullptr, y, 2, 4);
    EXPECT_EQ(graph.image(), blank);
}

TEST_F(Graph, SkipGraphTakesEveryKthPoint) {
    std::vector<float> x(10);
    std::vector<float> y(10, 15.0f);
    for (int i = 0; i < 10; ++i) x[i] = static_cast<float>(i);
    graph.canvas().pen.style = Canvas::PenStyle::Dot;
    graph.SkipGraph(10, x.data(), y.data(), 5, 3, 0);
    EXPECT_EQ(DarkIn(0, 0, 299, 299), 0);
    graph.SkipGraph(10, x.data(), y.data(), 5, 3, 3);
    for (int i = 0; i < 10; ++i) {
        const int px = 35 + static_cast<int>(i * 12.4);
        EXPECT_EQ(DarkIn(px, 174, px, 176), i % 3 == 0 ? 3 : 0) << i;
    }
    EXPECT_EQ(graph.canvas().pen.style, Canvas::PenStyle::Dot) << "pen style restored";

    // A negative step takes every |k|-th point, the same as the positive one.
    const QImage byThree = graph.image().copy();
    graph.Clear(0xFFFFFF);
    graph.SkipGraph(10, x.data(), y.data(), 5, 3, -3);
    EXPECT_EQ(graph.image(), byThree);
}

// A picture keeps its own size on the screen: a widget made larger shows it unscaled
// at the top left, as an image control does.
TEST_F(Graph, AResizedWidgetShowsThePictureUnscaled) {
    graph.Clear(0xFFFFFF);
    graph.canvas().pen.color = 0x0000FF;
    graph.canvas().MoveTo(10, 10);
    graph.canvas().LineTo(100, 10);
    const QImage picture = graph.image().copy();
    graph.resize(picture.width() * 2, picture.height() * 2);
    const QImage shown = graph.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), graph.size());
    EXPECT_EQ(shown.copy(picture.rect()), picture.convertToFormat(QImage::Format_RGB32));
    EXPECT_NE(shown.pixelColor(50, 21), QColor(Qt::red)) << "not stretched to twice its height";
    EXPECT_EQ(graph.image().size(), picture.size());
}

TEST_F(Graph, DrawGraphPassesOverPointsWithoutPosition) {
    graph.LinearY = false;
    graph.SValueY = 1.0f;
    graph.VValueY = 10.0f;
    const float x[] = {0.0f, 5.0f, 10.0f};
    const float y[] = {10.0f, -1.0f, 10.0f};  // the middle point has no place on a log axis
    graph.DrawGraph(3, x, y);
    // One straight line at y 10 → 270 - 62 = 208 from x 35 to 159.
    EXPECT_GT(DarkIn(40, 208, 150, 208), 100);
    EXPECT_EQ(DarkIn(40, 215, 150, 299), 0);
}

TEST_F(Graph, ScaleFromData) {
    const float small[] = {1.0f, 3.7f, 2.0f};
    graph.XScaleUnit(3, small);
    EXPECT_EQ(graph.VValueX, 1.0f);
    EXPECT_EQ(graph.SValueX, 0.0f);
    const float four[] = {4.0f, -9.0f};
    graph.XScaleUnit(2, four);
    EXPECT_EQ(graph.VValueX, 1.0f);
    const float ten[] = {10.0f};
    graph.YScaleUnit(1, ten);
    EXPECT_EQ(graph.VValueY, 2.5f);
    const float mixed[] = {-3.0f, -1.0f, 0.5f, 2.0f};
    graph.XScaleUnit1(4, mixed);
    EXPECT_EQ(graph.VValueX, 2.0f);
    EXPECT_EQ(graph.NGridX, 4);
    EXPECT_EQ(graph.SValueX, -4.0f);
    graph.NGridY = 5;
    graph.YScaleUnit1(4, mixed);  // g = 3: 3 × 1.001 > 3
    EXPECT_EQ(graph.NGridY, 6);
    EXPECT_EQ(graph.VValueY, 1.0f);
    EXPECT_EQ(graph.SValueY, -3.0f);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Graph, LogarithmicScaleFromData) {
    graph.LinearX = false;
    graph.NGridX = 3;
    const float data[] = {350.0f, 2.0f};
    graph.XScaleUnit(2, data);
    EXPECT_FLOAT_EQ(graph.SValueX, 1.0f);  // 1 … 1000
    EXPECT_EQ(graph.VValueX, 10.0f);
    const float negative[] = {-5.0f, 350.0f};
    graph.XScaleUnit1(2, negative);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "負のデータを対数目盛りでは表せません");
    EXPECT_EQ(boxes[0].caption, "目盛り設定エラー");
    EXPECT_EQ(boxes[0].flags, 0x30u);
    EXPECT_FLOAT_EQ(graph.SValueX, 1.0f);
}

TEST_F(Graph, ScaleSearchEndsOnUnusableData) {
    const float inf = std::numeric_limits<float>::infinity();
    const float data[] = {inf, std::nanf(""), 3.7f, -inf, -1.0f};
    graph.XScaleUnit(5, data);
    EXPECT_EQ(graph.VValueX, 1.0f);
    graph.XScaleUnit1(5, data);
    EXPECT_EQ(graph.VValueX, 2.0f);  // 3.7 and a negative value: g = 2
    graph.LinearY = false;
    graph.YScaleUnit(5, data);
    EXPECT_TRUE(std::isfinite(graph.SValueY));
    graph.NGridX = 0;
    graph.XScaleUnit(5, data);  // no step fits zero divisions: the scale stays
    EXPECT_EQ(graph.VValueX, 2.0f);
}

TEST_F(Graph, SavePngHoldsThePicture) {
    graph.DrawWaku();
    QTemporaryDir dir;
    const QString file = dir.filePath("graph.png");
    ASSERT_TRUE(graph.Save_PNG(file));
    int w = 0;
    int h = 0;
    std::vector<std::uint8_t> rgb;
    ASSERT_TRUE(tremvix::DecodePngFile(file.toStdString(), w, h, rgb));
    ASSERT_EQ(w, 300);
    ASSERT_EQ(h, 300);
    for (const QPoint p : {QPoint(35, 150), QPoint(150, 150), QPoint(283, 22)}) {
        const QColor c = graph.image().pixelColor(p);
        const std::size_t at = (static_cast<std::size_t>(p.y()) * w + p.x()) * 3;
        EXPECT_EQ(QColor(rgb[at], rgb[at + 1], rgb[at + 2]), c);
    }
    EXPECT_FALSE(graph.Save_PNG(dir.filePath("missing/graph.png")));
    EXPECT_EQ(boxes.size(), 1u);
}
