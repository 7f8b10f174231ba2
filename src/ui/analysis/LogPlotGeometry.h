#pragma once

#include <optional>
#include <span>
#include <vector>

// Geometry of curves on logarithmic axes, free of widgets.

// Decades 10^first .. 10^(first + count) that hold the values, at most maxCount of them
// (the lowest cut off). Only positive finite values count; none when there is none.
// clearOfEdges: a value on a decade gets the decade beyond it too, so that no value
// lies on the frame (a ratio of exactly 1 everywhere is drawn inside it).
struct DecadeRange {
    int first = 0;
    int count = 1;
};
std::optional<DecadeRange> DecadesCovering(std::span<const double> values, int maxCount, bool clearOfEdges = false);

// A box of decades on both axes.
struct LogBox {
    DecadeRange x;
    DecadeRange y;
};

// Pieces of the polyline through (x[i], y[i]) that lie inside the box, cut at its
// edges, where the line runs straight between points on the logarithmic axes.
// A y of 0 or below is drawn on the bottom edge, the line from its neighbour running
// down to it (none between two such values); other
// points without a place on the axes (x not positive, NaN, infinities) break the line.
struct Polyline {
    std::vector<double> x;
    std::vector<double> y;
};
std::vector<Polyline> ClipToBox(std::span<const double> x, std::span<const double> y, const LogBox& box);

// The points a line needs to cover the same pixels when many fall into one pixel
// column of a logarithmic x axis, columns being 1/pixelsPerDecade of a decade wide:
// of the points of each column, the first, the lowest, the highest and the last, in
// their order (the row of a value is monotonic in the value). x ascending; the
// points with x <= 0 (no column) are kept as they are.
Polyline KeepColumnExtremes(std::span<const double> x, std::span<const double> y, double pixelsPerDecade);

// The curve's value at `at` (x ascending), interpolated straight on the log-log axes
// between the neighbouring points (linearly where one of them is not positive);
// none outside the curve's x range.
std::optional<double> ValueAt(std::span<const double> x, std::span<const double> y, double at);
