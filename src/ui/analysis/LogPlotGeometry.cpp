#include "ui/analysis/LogPlotGeometry.h"

#include "core/display/CurveExtremes.h"

#include <algorithm>
#include <cmath>

namespace {

bool Drawable(double v) { return std::isfinite(v) && v > 0.0; }

// A value the logarithmic axis has no place for because it is 0 or negative is drawn
// on the box's bottom edge, so that the line from its neighbour runs down to it.
bool BelowAxis(double v) { return std::isfinite(v) && v <= 0.0; }

// Liang-Barsky: the part of the segment p0-p1 inside [lo, hi] on both coordinates, as
// the parameters t0 <= t1 along it; false when none of it is.
bool ClipSegment(const double p0[2], const double p1[2], const double lo[2], const double hi[2], double& t0,
                 double& t1) {
    t0 = 0.0;
    t1 = 1.0;
    for (int axis = 0; axis < 2; ++axis) {
        const double d = p1[axis] - p0[axis];
        const double toLo = lo[axis] - p0[axis];
        const double toHi = hi[axis] - p0[axis];
        if (d == 0.0) {
            if (toLo > 0.0 || toHi < 0.0) return false;
            continue;
        }
        double a = toLo / d;
        double b = toHi / d;
        if (a > b) std::swap(a, b);
        t0 = std::max(t0, a);
        t1 = std::min(t1, b);
        if (t0 > t1) return false;
    }
    return true;
}

void Append(Polyline& line, double u, double v) {
    const double x = std::pow(10.0, u);
    const double y = std::pow(10.0, v);
    if (!line.x.empty() && line.x.back() == x && line.y.back() == y) return;
    line.x.push_back(x);
    line.y.push_back(y);
}

}  // namespace

std::optional<DecadeRange> DecadesCovering(std::span<const double> values, int maxCount, bool clearOfEdges) {
    double low = 0.0;
    double high = 0.0;
    bool any = false;
    for (const double v : values) {
        if (!Drawable(v)) continue;
        low = any ? std::min(low, v) : v;
        high = any ? std::max(high, v) : v;
        any = true;
    }
    if (!any) return std::nullopt;
    const int top = static_cast<int>(clearOfEdges ? std::floor(std::log10(high)) + 1.0 : std::ceil(std::log10(high)));
    int bottom = static_cast<int>(clearOfEdges ? std::ceil(std::log10(low)) - 1.0 : std::floor(std::log10(low)));
    bottom = std::max(bottom, top - std::max(maxCount, 1));
    return DecadeRange{std::min(bottom, top - 1), std::max(top - bottom, 1)};
}

std::vector<Polyline> ClipToBox(std::span<const double> x, std::span<const double> y, const LogBox& box) {
    const double lo[2] = {static_cast<double>(box.x.first), static_cast<double>(box.y.first)};
    const double hi[2] = {static_cast<double>(box.x.first + box.x.count), static_cast<double>(box.y.first + box.y.count)};
    std::vector<Polyline> pieces;
    Polyline current;
    const auto finish = [&] {
        if (current.x.size() >= 2) pieces.push_back(std::move(current));
        current = {};
    };
    const auto placed = [&lo](double v) { return BelowAxis(v) ? lo[1] : std::log10(v); };
    const auto placeable = [](double v) { return Drawable(v) || BelowAxis(v); };
    const std::size_t n = std::min(x.size(), y.size());
    for (std::size_t i = 0; i + 1 < n; ++i) {
        // Two values below the axis in a row: nothing to draw between them, not even along the frame.
        const bool bothBelow = BelowAxis(y[i]) && BelowAxis(y[i + 1]);
        if (bothBelow || !Drawable(x[i]) || !placeable(y[i]) || !Drawable(x[i + 1]) || !placeable(y[i + 1])) {
            finish();
            continue;
        }
        const double p0[2] = {std::log10(x[i]), placed(y[i])};
        const double p1[2] = {std::log10(x[i + 1]), placed(y[i + 1])};
        double t0 = 0.0;
        double t1 = 0.0;
        if (!ClipSegment(p0, p1, lo, hi, t0, t1)) {
            finish();
            continue;
        }
        if (t0 > 0.0) finish();  // entered the box here
        Append(current, p0[0] + t0 * (p1[0] - p0[0]), p0[1] + t0 * (p1[1] - p0[1]));
        Append(current, p0[0] + t1 * (p1[0] - p0[0]), p0[1] + t1 * (p1[1] - p0[1]));
        if (t1 < 1.0) finish();  // left the box here
    }
    finish();
    return pieces;
}

std::optional<double> ValueAt(std::span<const double> x, std::span<const double> y, double at) {
    const std::size_t n = std::min(x.size(), y.size());
    if (n == 0 || !std::isfinite(at) || at < x.front() || at > x[n - 1]) return std::nullopt;
    const auto upper = std::lower_bound(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(n), at);
    const std::size_t j = static_cast<std::size_t>(upper - x.begin());
    if (x[j] == at) return y[j];
    const std::size_t i = j - 1;
    if (Drawable(x[i]) && Drawable(y[i]) && Drawable(y[j])) {
        const double t = (std::log10(at) - std::log10(x[i])) / (std::log10(x[j]) - std::log10(x[i]));
        return std::pow(10.0, std::log10(y[i]) + t * (std::log10(y[j]) - std::log10(y[i])));
    }
    const double t = (at - x[i]) / (x[j] - x[i]);
    return y[i] + t * (y[j] - y[i]);
}

Polyline KeepColumnExtremes(std::span<const double> x, std::span<const double> y, double pixelsPerDecade) {
    Polyline kept;
    const auto keep = [&](std::size_t i) {
        if (!kept.x.empty() && kept.x.back() == x[i] && kept.y.back() == y[i]) return;
        kept.x.push_back(x[i]);
        kept.y.push_back(y[i]);
    };
    const std::size_t n = std::min(x.size(), y.size());
    std::size_t first = 0;
    while (first < n) {
        if (!(x[first] > 0.0) || !std::isfinite(x[first])) {
            keep(first++);
            continue;
        }
        // The column's right edge, found by search: one logarithm per column, not per point.
        const double column = std::floor(std::log10(x[first]) * pixelsPerDecade);
        const double edge = std::pow(10.0, (column + 1.0) / pixelsPerDecade);
        const auto end = std::lower_bound(x.begin() + static_cast<std::ptrdiff_t>(first) + 1,
                                          x.begin() + static_cast<std::ptrdiff_t>(n), edge);
        const std::size_t last = static_cast<std::size_t>(end - x.begin()) - 1;
        // A value without a place on the axis (NaN) is kept wherever it stands.
        const auto [low, high] = tremvix::ExtremesOf(y.first(n), first, last);
        keep(first);
        keep(std::min(low, high));
        keep(std::max(low, high));
        keep(last);
        first = last + 1;
    }
    return kept;
}
