#include "ui/display/Mywave.h"
#include "ui/widgets/TickLabel.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A canvas of the main window's size, blank white.
struct Wave {
    TMyWave wave;
    Wave() {
        wave.resize(625, 425);
        wave.Clear(0xFFFFFF);
    }
    bool Dark(int x, int y) const { return wave.image().pixelColor(x, y).lightness() < 128; }
    int DarkInColumn(int x, int y0, int y1) const {
        int n = 0;
        for (int y = y0; y <= y1; ++y) n += Dark(x, y);
        return n;
    }
};

}  // namespace

TEST(RoundNumber, LabelsOfTheCanvas) {
    const struct {
        float value;
        const char* label;
    } cases[] = {{2.5f, "2.5"},      {10.0f, "10"},    {-20.0f, "-20"},      {0.0999f, "0.1"},
                 {0.1239f, "0.124"}, {1.9999f, "2"},   {100000.0f, "100000"}, {0.0f, "0"},
                 {250000.0f, "2.5e+05"}, {0.000001f, "1.0e-06"}, {-0.000001f, "-1.0e-06"}, {100001.0f, "1.0e+05"},
                 {0.99999994f, "1"}, {9.999999f, "10"}};
    for (const auto& c : cases) {
        char text[13];
        TMyWave::_round_number(c.value, text);
        EXPECT_STREQ(text, c.label) << c.value;
    }
    EXPECT_EQ(TickLabel(5e-9f, true), "0");
    EXPECT_EQ(TickLabel(5e-9f, false), "5.0e-09");
}

TEST(MyWave, ConstructionValues) {
    TMyWave wave;
    EXPECT_EQ(wave.size(), QSize(400, 200));
    EXPECT_EQ(wave.OriginX, 50);
    EXPECT_EQ(wave.OriginY, 100);
    EXPECT_EQ(wave.UnitLenX, 100);
    EXPECT_EQ(wave.UnitLenY, 25);
    EXPECT_EQ(wave.NGridX, 3);
    EXPECT_EQ(wave.NGridY, 2);
    EXPECT_EQ(wave.SubX, 5);
    EXPECT_EQ(wave.SubY, 2);
    EXPECT_FALSE(wave.PlusOnly);
    EXPECT_EQ(wave.VValueY, 10.0f);
    EXPECT_EQ(wave.Title, "Sample Wave");
    EXPECT_EQ(wave.UnitX, "[sec]");
    EXPECT_EQ(wave.UnitY, "[cm]");
}

TEST(MyWave, ScaleAxesAndTicksStandWhereTheOriginSays) {
    Wave w;
    TMyWave& wave = w.wave;
    wave.OriginX = 60;
    wave.NGridX = 5;
    wave.OriginY = 200;
    wave.UnitLenY = 40;
    wave.SubY = 0;
    wave.Title = QString();
    wave.DrawScale();
    // Time axis from 60 to 560, value axis 80 pixels up and down.
    EXPECT_TRUE(w.Dark(100, 200));
    EXPECT_TRUE(w.Dark(555, 200));
    EXPECT_FALSE(w.Dark(600, 200));
    EXPECT_TRUE(w.Dark(60, 125));
    EXPECT_TRUE(w.Dark(60, 275));
    EXPECT_FALSE(w.Dark(60, 300));
    // Major x ticks 5 pixels either side, minor ones 3.
    EXPECT_GE(w.DarkInColumn(160, 195, 205), 10);
    EXPECT_FALSE(w.Dark(160, 190));
    EXPECT_GE(w.DarkInColumn(180, 197, 203), 6);
    EXPECT_FALSE(w.Dark(180, 195));
    // Major y tick at 160, 5 pixels to the right of the axis.
    EXPECT_TRUE(w.Dark(63, 160));
    // A label below every major x tick: ink between y 206 and 220 near x 160.
    int ink = 0;
    for (int x = 150; x < 170; ++x) ink += w.DarkInColumn(x, 206, 220);
    EXPECT_GT(ink, 5);
}

TEST(MyWave, PlusOnlyDrawsNoLowerHalf) {
    Wave w;
    w.wave.OriginY = 200;
    w.wave.PlusOnly = true;
    w.wave.UnitX = QString();
    w.wave.Title = QString();
    w.wave.DrawScale();
    EXPECT_TRUE(w.Dark(50, 180));
    EXPECT_FALSE(w.Dark(50, 220));
    int ink = 0;
    for (int x = 0; x < 50; ++x) ink += w.DarkInColumn(x, 215, 260);
    EXPECT_EQ(ink, 0) << "no lower labels";
}

TEST(MyWave, MinorTicksOffWithSubZeroOrOne) {
    for (const int sub : {0, 1}) {
        Wave w;
        w.wave.OriginY = 200;
        w.wave.SubX = sub;
        w.wave.SubY = sub;
        w.wave.DrawScale();
        EXPECT_FALSE(w.Dark(70, 198)) << sub;   // where a minor x tick would be
        EXPECT_FALSE(w.Dark(52, 188)) << sub;   // where a minor y tick would be
    }
    Wave w;
    w.wave.OriginY = 200;
    w.wave.SubX = 3;  // 100 / 3 truncates to 33
    w.wave.DrawScale();
    EXPECT_TRUE(w.Dark(52, 188)) << "the minor y tick of SubY 2, half of 25 truncated to 12 above the axis";
    EXPECT_TRUE(w.Dark(83, 198));
    EXPECT_TRUE(w.Dark(116, 198));
    EXPECT_FALSE(w.Dark(117, 198));
}

TEST(MyWave, DrawWave1StopsAfterTheLastSampleWithinTheAxis) {
    Wave w;
    TMyWave& wave = w.wave;
    wave.OriginX = 60;
    wave.NGridX = 5;
    wave.OriginY = 200;
    wave.VValueX = 1.0f;
    // 100 pixels per second and dt 0.5 s: sample 10 lands exactly on the axis end (x 560).
    std::vector<float> samples(12, 0.0f);
    samples[10] = 10.0f;  // 25 pixels up
    samples[11] = -10.0f;
    wave.DrawWave1(12, samples.data(), 0.5f);
    // Lines leave out their last pixel, as the platform's line drawing does.
    EXPECT_TRUE(w.Dark(559, 175)) << "the sample exactly at the axis end is drawn";
    EXPECT_FALSE(w.Dark(561, 200));
    EXPECT_EQ(w.DarkInColumn(565, 0, 424), 0) << "the next sample is not";
}

TEST(MyWave, SingleSampleOnlyMovesThePen) {
    Wave w;
    const float one = 5.0f;
    w.wave.DrawWave1(1, &one, 0.01f);
    EXPECT_EQ(w.wave.image(), [] {
        QImage blank(625, 425, QImage::Format_RGB32);
        blank.fill(Qt::white);
        return blank;
    }());
}

// Huge and infinite samples are clamped to a row a million pixels away, a
// not-a-number to the bottom one: the trace runs straight off the canvas from its
// neighbours, and nothing is drawn where no sample lies.
TEST(MyWave, HugeAndNonFiniteSamplesStayDrawable) {
    Wave w;
    w.wave.OriginX = 60;
    w.wave.OriginY = 200;
    w.wave.VValueX = 1.0f;
    const float samples[6] = {0.0f, 1e38f, 0.0f, -std::numeric_limits<float>::infinity(), std::nanf(""), 0.0f};
    w.wave.DrawWave1(6, samples, 0.5f);  // one sample every 50 pixels
    EXPECT_EQ(w.wave.PixelY(1e38f), -1000000);
    EXPECT_EQ(w.wave.PixelY(-std::numeric_limits<float>::infinity()), 1000000);
    EXPECT_EQ(w.wave.PixelY(std::nanf("")), 1000000);
    EXPECT_TRUE(w.Dark(60, 200)) << "the first sample on the axis";
    // Up from (60, 200) to a row far above: a line that leaves at the top almost straight up.
    EXPECT_GT(w.DarkInColumn(60, 0, 199), 150);
    // From the huge sample back down to (160, 200), then down past the bottom.
    EXPECT_TRUE(w.Dark(160, 200) || w.Dark(159, 200) || w.Dark(161, 200));
    EXPECT_GT(w.DarkInColumn(160, 201, 424), 150);
    EXPECT_EQ(w.DarkInColumn(400, 0, 424), 0) << "nothing past the last sample";
}

TEST(MyWave, InvertingPenDrawnTwiceRestoresThePixels) {
    Wave w;
    TMyWave& wave = w.wave;
    wave.OriginX = 60;
    wave.NGridX = 5;
    wave.DrawScale();
    std::vector<float> samples(600);
    for (int i = 0; i < 600; ++i) samples[i] = static_cast<float>(20 * std::sin(i * 0.05));
    wave.canvas().pen.color = 0x0000FF;
    wave.DrawWave1(600, samples.data(), 0.01f);
    const QImage before = wave.image().copy();
    Canvas& canvas = wave.canvas();
    canvas.pen.mode = Canvas::PenMode::Xor;
    canvas.pen.color = 0xFFFFFF;
    for (int pass = 0; pass < 2; ++pass) {
        canvas.MoveTo(200, 10);
        canvas.LineTo(200, 410);
        if (pass == 0) {
            EXPECT_NE(wave.image(), before);
        }
    }
    EXPECT_EQ(wave.image(), before);
}

// Each marker by the pixels that only its own shape covers, centred on (100, 200)
// with size 6: inside points that must be inked and outside points that must not.
TEST(MyWave, MarkersOfEveryTypeAtTheirPlace) {
    struct Point {
        int x, y;
    };
    const struct {
        int type;
        std::vector<Point> inked;
        std::vector<Point> blank;
    } shapes[] = {
        {0, {{100, 200}, {100, 195}, {95, 200}, {105, 200}}, {{94, 194}, {106, 206}, {94, 206}}},  // circle
        {1, {{100, 195}, {100, 201}, {96, 202}, {104, 202}}, {{100, 205}, {94, 195}, {106, 195}}},  // triangle
        {2, {{94, 194}, {100, 200}, {105, 205}, {94, 205}}, {{93, 200}, {100, 208}}},               // square
        {3, {{100, 195}, {95, 200}, {100, 200}, {100, 205}}, {{95, 195}, {105, 205}, {95, 205}}},   // diamond
        {4, {{94, 194}, {97, 197}, {100, 200}, {103, 197}}, {{100, 195}, {95, 200}, {100, 205}}},  // x cross
        {5, {{100, 194}, {100, 200}, {100, 205}, {103, 200}}, {{97, 197}, {103, 203}, {95, 195}}},  // + cross
    };
    for (const auto& shape : shapes) {
        Wave w;
        w.wave.OriginX = 100;
        w.wave.OriginY = 200;
        const float value = 0.0f;
        w.wave.canvas().brush.color = 0x000000;
        w.wave.PlotWave1(1, &value, 0.01f, shape.type, 6);
        for (const Point& p : shape.inked) EXPECT_TRUE(w.Dark(p.x, p.y)) << "type " << shape.type << " at " << p.x << "," << p.y;
        for (const Point& p : shape.blank) EXPECT_FALSE(w.Dark(p.x, p.y)) << "type " << shape.type << " at " << p.x << "," << p.y;
        EXPECT_EQ(w.DarkInColumn(120, 0, 424), 0) << shape.type;
    }
    Wave w;
    const QImage blank = w.wave.image().copy();
    const float value = 0.0f;
    w.wave.OriginX = 100;
    w.wave.OriginY = 200;
    w.wave.PlotWave1(1, &value, 0.01f, 9, 6);
    EXPECT_EQ(w.wave.image(), blank) << "an unknown type draws nothing at all";
}
