#pragma once

#include <cstddef>
#include <limits>
#include <span>

namespace tremvix {

// The smallest and largest x > 0 of a curve, and of y > 0 at the points whose x
// counts; infinities and NaN never count. A bound stays infinite (low +inf, high -inf)
// where nothing counted. Several points at a time; minima and maxima are exact, so the
// result is that of one point after another.
struct PositiveBounds {
    double lowX = std::numeric_limits<double>::infinity(), highX = -std::numeric_limits<double>::infinity();
    double lowY = std::numeric_limits<double>::infinity(), highY = -std::numeric_limits<double>::infinity();
};
PositiveBounds PositiveBoundsOf(std::span<const double> x, std::span<const double> y);

// Of y[first .. last], the index of the lowest and of the highest value, the earlier
// one of equal values, as a walk from `first` finds them that takes y[i] for the
// lowest unless y[i] >= the lowest so far (and for the highest unless y[i] <= it):
// a NaN is taken when met, and the walk goes on from it.
struct ExtremeIndices {
    std::size_t low = 0, high = 0;
};
ExtremeIndices ExtremesOf(std::span<const double> y, std::size_t first, std::size_t last);

}  // namespace tremvix
