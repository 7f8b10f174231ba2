#include "core/analysis/RotatedPeaks.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace tremvix {

namespace {

struct Direction {
    double c = 1.0;
    double s = 0.0;
};

const std::array<Direction, kRotationAngles>& Directions() {
    static const std::array<Direction, kRotationAngles> table = [] {
        std::array<Direction, kRotationAngles> d{};
        for (int k = 0; k < kRotationAngles; ++k) {
            const double theta = k * std::numbers::pi / 180.0;
            d[static_cast<std::size_t>(k)] = {std::cos(theta), std::sin(theta)};
        }
        d[0] = {1.0, 0.0};
        d[90] = {0.0, 1.0};
        return d;
    }();
    return table;
}

double Along(const PlanePoint& p, const Direction& d) { return p.a * d.c + p.b * d.s; }

// The point set is symmetric (a point and its negative give the same peaks), so the
// extremes along 0°, 45°, 90° and 135°, and their negatives, make a convex polygon
// in counter-clockwise order.
std::vector<PlanePoint> ExtremePolygon(std::span<const PlanePoint> points) {
    const Direction axes[4] = {{1.0, 0.0}, {std::numbers::sqrt2 / 2, std::numbers::sqrt2 / 2}, {0.0, 1.0},
                               {-std::numbers::sqrt2 / 2, std::numbers::sqrt2 / 2}};
    std::vector<PlanePoint> polygon(8);
    for (int k = 0; k < 4; ++k) {
        double best = -1.0;
        for (const PlanePoint& p : points) {
            const double v = Along(p, axes[k]);
            if (std::abs(v) > best) {
                best = std::abs(v);
                polygon[static_cast<std::size_t>(k)] = v >= 0.0 ? p : PlanePoint{-p.a, -p.b};
            }
        }
    }
    for (int k = 0; k < 4; ++k) {
        const PlanePoint& p = polygon[static_cast<std::size_t>(k)];
        polygon[static_cast<std::size_t>(k + 4)] = {-p.a, -p.b};
    }
    return polygon;
}

// Strictly inside, by a margin far above rounding: a point on an edge is kept.
bool StrictlyInside(const PlanePoint& p, const std::vector<PlanePoint>& polygon, double margin) {
    for (std::size_t k = 0; k < polygon.size(); ++k) {
        const PlanePoint& u = polygon[k];
        const PlanePoint& w = polygon[(k + 1) % polygon.size()];
        const double cross = (w.a - u.a) * (p.b - u.b) - (w.b - u.b) * (p.a - u.a);
        if (!(cross > margin)) return false;
    }
    return true;
}

}  // namespace

std::array<double, kRotationAngles> RotatedPeaks(std::span<const PlanePoint> points) {
    std::array<double, kRotationAngles> peaks{};
    if (points.empty()) return peaks;
    const std::vector<PlanePoint> polygon = ExtremePolygon(points);
    double scale = 0.0;
    for (const PlanePoint& v : polygon) scale = std::max({scale, std::abs(v.a), std::abs(v.b)});
    const double margin = 1e-9 * scale * scale;

    std::vector<PlanePoint> candidates(polygon.begin(), polygon.begin() + 4);
    for (const PlanePoint& p : points)
        if (!StrictlyInside(p, polygon, margin)) candidates.push_back(p);

    const auto& directions = Directions();
    for (int k = 0; k < kRotationAngles; ++k) {
        double largest = 0.0;
        for (const PlanePoint& p : candidates) largest = std::max(largest, std::abs(Along(p, directions[static_cast<std::size_t>(k)])));
        peaks[static_cast<std::size_t>(k)] = largest;
    }
    return peaks;
}

}  // namespace tremvix
