#include "core/map/LambertConformalConic.h"

#include <cmath>
#include <numbers>

namespace tremvix {
namespace {

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

}  // namespace

LambertConformalConic::LambertConformalConic(const Ellipsoid& ellipsoid, double parallel1, double parallel2,
                                             double originLatitude, double centralMeridian)
    : a_(ellipsoid.a), e_(std::sqrt(ellipsoid.e2)), lambda0_(Radians(centralMeridian)) {
    const auto m = [this](double phi) { return std::cos(phi) / std::sqrt(1.0 - e_ * e_ * std::sin(phi) * std::sin(phi)); };
    const double phi1 = Radians(parallel1);
    const double phi2 = Radians(parallel2);
    // One standard parallel twice is the tangent cone: n is sin φ1 in the limit.
    if (parallel1 == parallel2)
        n_ = std::sin(phi1);
    else
        n_ = (std::log(m(phi1)) - std::log(m(phi2))) / (std::log(T(phi1)) - std::log(T(phi2)));
    aF_ = a_ * m(phi1) / (n_ * std::pow(T(phi1), n_));
    rho0_ = aF_ * std::pow(T(Radians(originLatitude)), n_);
}

// Snyder's t: tan(π/4 − φ/2) over ((1 − e sin φ)/(1 + e sin φ))^(e/2).
double LambertConformalConic::T(double phi) const {
    const double s = e_ * std::sin(phi);
    return std::tan(std::numbers::pi / 4.0 - phi / 2.0) / std::pow((1.0 - s) / (1.0 + s), e_ / 2.0);
}

LambertConformalConic::Point LambertConformalConic::Project(double latitude, double longitude) const {
    const double rho = aF_ * std::pow(T(Radians(latitude)), n_);
    const double theta = n_ * (Radians(longitude) - lambda0_);
    return {rho * std::sin(theta), rho0_ - rho * std::cos(theta)};
}

}  // namespace tremvix
