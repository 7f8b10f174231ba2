#include "ui/display/ColumnReduction.h"
#include "ui/display/Mywave.h"
#include "ui/display/ThinPolyline.h"

#include <QImage>
#include <QPoint>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

// A canvas laid out like one band of the main window.
struct Band {
    TMyWave wave;
    Band() {
        wave.resize(625, 425);
        wave.OriginX = 60;
        wave.NGridX = 5;
        wave.OriginY = 212;
        wave.UnitLenY = 39;
        wave.VValueY = 50.0f;
        wave.VValueX = 60.0f;
        wave.Clear(0xFFFFFF);
        wave.canvas().pen.color = 0x0000FF;
    }
};

// The points of the trace, one for every sample within the axis.
std::vector<QPoint> EverySample(TMyWave& wave, int count, const float* samples, float dt) {
    std::vector<QPoint> points{QPoint(wave.OriginX, wave.PixelY(samples[0]))};
    const int ax = wave.UnitLenX * wave.NGridX;
    for (int i = 1; i < count; ++i) {
        const int dx =
            TruncPixel(static_cast<long double>(i) * dt / wave.VValueX * static_cast<long double>(wave.UnitLenX));
        if (dx > ax) break;
        points.emplace_back(wave.OriginX + dx, wave.PixelY(samples[i]));
    }
    return points;
}

void DrawEverySample(TMyWave& wave, int count, const float* samples, float dt) {
    const std::vector<QPoint> points = EverySample(wave, count, samples, dt);
    if (wave.canvas().pen.mode == Canvas::PenMode::Copy) {
        DrawThinPolyline(wave.canvas().image(), points, wave.canvas().pen.color);
    } else {
        wave.canvas().MoveTo(points.front().x(), points.front().y());
        wave.canvas().PolylineTo(std::vector<QPoint>(points.begin() + 1, points.end()));
    }
    wave.canvas().MoveTo(points.back().x(), points.back().y());
}

std::vector<float> Noisy(int count, float spread, unsigned seed) {
    std::mt19937 gen(seed);
    std::normal_distribution<float> noise(0.0f, spread);
    std::vector<float> x(static_cast<std::size_t>(count));
    for (int j = 0; j < count; ++j) x[j] = 60.0f * std::sin(0.002f * j) + noise(gen);
    return x;
}

}  // namespace

TEST(ColumnReduction, KeepsFirstExtremesAndLastInOrder) {
    const std::vector<float> x = {1.0f, 5.0f, -3.0f, 2.0f, 0.0f, 4.0f};
    std::vector<int> kept;
    AppendColumnSamples(x.data(), 0, 5, kept);
    EXPECT_EQ(kept, (std::vector<int>{0, 1, 2, 5}));
    kept.clear();
    AppendColumnSamples(x.data(), 2, 4, kept);  // short runs are kept whole
    EXPECT_EQ(kept, (std::vector<int>{2, 3, 4}));
    const std::vector<float> flat(8, 2.0f);
    kept.clear();
    AppendColumnSamples(flat.data(), 0, 7, kept);
    EXPECT_EQ(kept, (std::vector<int>{0, 7}));
    std::vector<float> withNan(x);
    withNan[3] = std::nanf("");
    kept.clear();
    AppendColumnSamples(withNan.data(), 0, 5, kept);
    EXPECT_EQ(kept.size(), 6u);
}

// The reduced trace must cover exactly the pixels of the full polyline.
TEST(ColumnReduction, SamePixelsAsEverySampleDrawn) {
    const struct {
        int count;
        float spread;
        float dt;
    } cases[] = {{30000, 20.0f, 0.01f},  // 60 samples per pixel column
                 {30000, 200.0f, 0.01f},  // spikes far outside the band
                 {5000, 5.0f, 0.07f},     // a few samples per column
                 {400, 30.0f, 0.7f},      // fewer samples than columns
                 {30000, 0.01f, 0.01f},   // nearly flat
                 {1000000, 20.0f, 0.0003f},  // a long record, the whole of it in the window
                 {2000, 30.0f, 0.6f}};       // column edges falling exactly on samples
    for (unsigned seed = 1; seed <= 6; ++seed) {
        for (const auto& c : cases) {
            std::vector<float> x = Noisy(c.count, c.spread, seed);
            // Counts of a recorder: whole numbers, so that extremes repeat within a column.
            if (seed % 2 == 0)
                for (float& v : x) v = std::round(v);
            if (c.count > 1000) {
                x[777] = std::numeric_limits<float>::infinity();
                x[778] = -std::numeric_limits<float>::infinity();
                x[901] = std::nanf("");
            }
            Band reduced;
            Band full;
            reduced.wave.DrawWave1(c.count, x.data(), c.dt);
            DrawEverySample(full.wave, c.count, x.data(), c.dt);
            EXPECT_EQ(reduced.wave.image(), full.wave.image())
                << c.count << " samples, spread " << c.spread << ", seed " << seed;
            EXPECT_EQ(reduced.wave.canvas().PenPos(), full.wave.canvas().PenPos());
        }
    }
}

TEST(ColumnReduction, InvertingPenDrawsEverySegment) {
    const std::vector<float> x = Noisy(30000, 20.0f, 9);
    Band reduced;
    Band full;
    reduced.wave.canvas().pen.mode = Canvas::PenMode::Xor;
    full.wave.canvas().pen.mode = Canvas::PenMode::Xor;
    reduced.wave.DrawWave1(30000, x.data(), 0.01f);
    DrawEverySample(full.wave, 30000, x.data(), 0.01f);
    EXPECT_EQ(reduced.wave.image(), full.wave.image());
}

TEST(ThinPolyline, SegmentsLeaveOutTheirEndAndClipCheaply) {
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    DrawThinPolyline(image, {{2, 5}, {8, 5}, {8, 1}}, 0x0000FF);
    for (int x = 2; x <= 8; ++x) EXPECT_EQ(image.pixel(x, 5), 0xFFFF0000u) << x;  // 8,5 starts the second
    EXPECT_EQ(image.pixel(8, 2), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(8, 1), 0xFFFFFFFFu) << "the last point stays unlit";
    EXPECT_EQ(image.pixel(9, 5), 0xFFFFFFFFu);
    // A spike a million pixels away still crosses the image in its column.
    image.fill(Qt::white);
    DrawThinPolyline(image, {{15, -1000000}, {15, 1000000}}, 0x000000);
    for (int y = 0; y < 10; ++y) EXPECT_EQ(image.pixel(15, y), 0xFF000000u) << y;
    EXPECT_EQ(image.pixel(14, 5), 0xFFFFFFFFu);
}
