// Axes, clipping and the pointer readout of curves on logarithmic axes.
#include "ui/analysis/LogPlotGeometry.h"
#include "ui/analysis/SpectrumDrawing.h"
#include "ui/analysis/SpectrumPlot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

void ExpectDecades(std::vector<double> values, int maxCount, int first, int count) {
    const auto range = DecadesCovering(values, maxCount);
    ASSERT_TRUE(range.has_value());
    EXPECT_EQ(range->first, first);
    EXPECT_EQ(range->count, count);
}

}  // namespace

TEST(DecadesCovering, SpanTheDataFromTheDecadeBelowToTheDecadeAbove) {
    ExpectDecades({0.02, 0.5, 10.0}, 6, -2, 3);  // the default periods: 0.01 .. 10 s
    ExpectDecades({1.0, 100.0}, 6, 0, 2);        // exact powers of ten are their own edges
    ExpectDecades({5.0}, 6, 0, 1);
    ExpectDecades({1.0}, 6, -1, 1);  // a single power of ten still gets a whole decade
    ExpectDecades({0.0167, 50.0}, 6, -2, 4);
}

TEST(DecadesCovering, IgnoresWhatALogarithmicAxisCannotShowAndCutsTheLowestDecades) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    ExpectDecades({0.0, -3.0, nan, inf, 0.3, 2.0}, 6, -1, 2);
    ExpectDecades({1e-12, 1e-3, 800.0}, 6, -3, 6);  // at most six, the top kept
    EXPECT_FALSE(DecadesCovering(std::vector<double>{0.0, -1.0, nan}, 6).has_value());
    EXPECT_FALSE(DecadesCovering(std::vector<double>{}, 6).has_value());
}

TEST(ClipToBox, APolylineInsideTheBoxIsKeptAsItIs) {
    const std::vector<double> x{0.1, 1.0, 10.0};
    const std::vector<double> y{2.0, 30.0, 5.0};
    const auto pieces = ClipToBox(x, y, {{-1, 2}, {0, 2}});
    ASSERT_EQ(pieces.size(), 1u);
    ASSERT_EQ(pieces[0].x.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(pieces[0].x[i], x[i], 1e-12 * x[i]);
        EXPECT_NEAR(pieces[0].y[i], y[i], 1e-12 * y[i]);
    }
}

// The edge point lies on the straight line between the points on log-log axes: a
// power law y = x^2 reaches 100 at x = 10.
TEST(ClipToBox, ALineLeavingAndReenteringTheBoxIsCutAtTheEdgesOnTheLogLine) {
    const std::vector<double> x{1.0, 100.0, 10000.0};
    const std::vector<double> y{1.0, 10000.0, 1.0};
    const auto pieces = ClipToBox(x, y, {{0, 4}, {0, 2}});
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_NEAR(pieces[0].x.back(), 10.0, 1e-9);
    EXPECT_NEAR(pieces[0].y.back(), 100.0, 1e-9);
    EXPECT_NEAR(pieces[1].x.front(), 1000.0, 1e-9);  // y = 1e8 / x^2 comes back down
    EXPECT_NEAR(pieces[1].y.front(), 100.0, 1e-9);
    EXPECT_NEAR(pieces[1].x.back(), 10000.0, 1e-9);
}

TEST(ClipToBox, PointsWithoutAPlaceBreakTheLineAndOutsideSegmentsVanish) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<double> x{0.0, 1.0, 2.0, 3.0, 4.0, 5.0};
    const std::vector<double> y{5.0, 5.0, 6.0, nan, 7.0, 8.0};
    const auto pieces = ClipToBox(x, y, {{-1, 2}, {0, 2}});
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].x.size(), 2u);  // 1 .. 2: the point at x = 0 has no place
    EXPECT_NEAR(pieces[1].x.front(), 4.0, 1e-12);  // 4 .. 5: the NaN at x = 3 breaks the line
    EXPECT_TRUE(ClipToBox(x, y, {{2, 1}, {0, 2}}).empty());  // all left of 100
}

// A tone on a bin: zeros on both sides of one value. Each side runs from the peak
// down to its neighbour on the frame's bottom edge; between two zeros nothing is drawn.
TEST(ClipToBox, ZerosRunTheLineDownToTheBottomEdgeInsteadOfDroppingItsNeighbours) {
    const std::vector<double> x{1.0, 2.0, 3.0, 4.0, 5.0, 6.0};
    const std::vector<double> y{0.0, 0.0, 0.0, 50.0, 0.0, -0.0};
    const auto pieces = ClipToBox(x, y, {{-1, 2}, {0, 2}});
    ASSERT_EQ(pieces.size(), 1u);
    const Polyline& line = pieces[0];
    ASSERT_EQ(line.x.size(), 3u);
    EXPECT_NEAR(line.x.front(), 3.0, 1e-12) << "from the neighbour on the bottom edge";
    EXPECT_NEAR(line.y.front(), 1.0, 1e-12);
    EXPECT_NEAR(line.x[1], 4.0, 1e-12);
    EXPECT_NEAR(line.y[1], 50.0, 1e-9);
    EXPECT_NEAR(line.x.back(), 5.0, 1e-12) << "to the neighbour on the bottom edge";
    EXPECT_NEAR(line.y.back(), 1.0, 1e-12);
}

// A value on a decade would lie on the frame: a ratio of exactly 1 everywhere gets the
// decades on both sides of it, 0.1 .. 10.
TEST(DecadesCovering, ClearOfTheEdgesNoValueLiesOnTheFrame) {
    const auto one = DecadesCovering(std::vector<double>{1.0, 1.0, 1.0}, 6, true);
    ASSERT_TRUE(one.has_value());
    EXPECT_EQ(one->first, -1);
    EXPECT_EQ(one->count, 2);
    const auto between = DecadesCovering(std::vector<double>{0.5, 3.0}, 6, true);
    ASSERT_TRUE(between.has_value());
    EXPECT_EQ(between->first, -1);  // not on a decade: as without the option
    EXPECT_EQ(between->count, 2);
    const auto top = DecadesCovering(std::vector<double>{2.0, 100.0}, 6, true);
    ASSERT_TRUE(top.has_value());
    EXPECT_EQ(top->first + top->count, 3);
}

TEST(ValueAt, InterpolatesStraightOnLogLogAxesBetweenNeighbours) {
    const std::vector<double> x{1.0, 10.0, 100.0};
    const std::vector<double> y{1.0, 100.0, 100.0};  // y = x^2, then flat
    EXPECT_NEAR(*ValueAt(x, y, std::sqrt(10.0)), 10.0, 1e-9);
    EXPECT_NEAR(*ValueAt(x, y, 2.0), 4.0, 1e-9);
    EXPECT_NEAR(*ValueAt(x, y, 50.0), 100.0, 1e-9);
    EXPECT_EQ(*ValueAt(x, y, 10.0), 100.0);
    EXPECT_FALSE(ValueAt(x, y, 0.5).has_value());
    EXPECT_FALSE(ValueAt(x, y, 101.0).has_value());
}

TEST(ValueAt, FallsBackToAStraightLineWhereAValueIsZero) {
    const std::vector<double> x{0.0, 1.0, 2.0};
    const std::vector<double> y{0.0, 4.0, 0.0};
    EXPECT_NEAR(*ValueAt(x, y, 0.5), 2.0, 1e-12);
    EXPECT_NEAR(*ValueAt(x, y, 1.5), 2.0, 1e-12);
}

TEST(KeepColumnExtremes, KeepsFirstLowestHighestAndLastOfEachColumnInTheirOrder) {
    // 100 columns a decade: 1.000 .. 1.020 share the first column, 1.05 and 1.06 the third.
    const std::vector<double> x{0.0, 1.0, 1.004, 1.008, 1.012, 1.016, 1.05, 1.06};
    const std::vector<double> y{2.0, 5.0, 9.0, 6.0, 1.0, 7.0, 4.0, 4.0};
    const Polyline kept = KeepColumnExtremes(x, y, 100.0);
    EXPECT_EQ(kept.x, (std::vector<double>{0.0, 1.0, 1.004, 1.012, 1.016, 1.05, 1.06}));
    EXPECT_EQ(kept.y, (std::vector<double>{2.0, 5.0, 9.0, 1.0, 7.0, 4.0, 4.0}));
}

TEST(KeepColumnExtremes, AMillionPointsBecomeAFewPerColumn) {
    std::vector<double> x(1000000), y(1000000);
    for (std::size_t i = 0; i < x.size(); ++i) {
        x[i] = 0.01 * (i + 1);
        y[i] = 1.0 + (i * 7919 % 1000);
    }
    const Polyline kept = KeepColumnExtremes(x, y, 90.0);  // six decades of 90 pixels
    EXPECT_LE(kept.x.size(), 4u * 6u * 90u);
    EXPECT_EQ(kept.x.front(), x.front());
    EXPECT_EQ(kept.x.back(), x.back());
    EXPECT_EQ(*std::max_element(kept.y.begin(), kept.y.end()), 1000.0);
    EXPECT_TRUE(std::is_sorted(kept.x.begin(), kept.x.end()));
}

// Values far below single precision's range still give a frame with a usable scale.
TEST(AxesOf, TinyValuesKeepTheScaleInsideSinglePrecision) {
    SpectrumPlot plot;
    plot.kind = SpectrumKind::Fourier;
    plot.curves.push_back({QStringLiteral("c"), {0.1, 1.0, 10.0}, {1e-300, 2e-300, 3e-300}, std::nullopt, 0.0});
    const LogBox box = AxesOf(plot);
    EXPECT_GT(static_cast<float>(std::pow(10.0, box.y.first)), 0.0f);
    EXPECT_EQ(box.x.first, -1);
    EXPECT_EQ(box.x.count, 2);
}
