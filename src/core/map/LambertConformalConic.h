#pragma once

namespace tremvix {

// An ellipsoid of revolution: semi-major axis in metres and first eccentricity squared.
struct Ellipsoid {
    double a = 6378137.0;
    double e2 = 0.00669437999014;  // WGS 84
};

// The Lambert conformal conic projection with two standard parallels, on an ellipsoid.
// Degrees in, metres out: x to the east and y to the north of the origin (the central
// meridian at the latitude of origin).
class LambertConformalConic {
public:
    LambertConformalConic(const Ellipsoid& ellipsoid, double parallel1, double parallel2, double originLatitude,
                          double centralMeridian);

    struct Point {
        double x = 0.0;
        double y = 0.0;
    };
    Point Project(double latitude, double longitude) const;

    double ConeConstant() const { return n_; }

private:
    double T(double phi) const;

    double a_;
    double e_;
    double n_;
    double aF_;    // a·F
    double rho0_;  // ρ at the latitude of origin
    double lambda0_;
};

}  // namespace tremvix
