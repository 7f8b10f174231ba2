#pragma once

#include <array>
#include <span>

namespace tremvix {

inline constexpr int kRotationAngles = 180;  // 0°, 1°, …, 179°

struct PlanePoint {
    double a = 0.0;  // along the first component
    double b = 0.0;  // along the second
};

// For each angle θ, the largest |a cos θ + b sin θ| over the points: the peak of the
// motion rotated by θ. Points inside the polygon of the extremes along four axes
// cannot be the largest in any direction and are skipped; the rest are evaluated
// directly, so the values are those of the plain maximum.
std::array<double, kRotationAngles> RotatedPeaks(std::span<const PlanePoint> points);

}  // namespace tremvix
