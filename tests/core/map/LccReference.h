#pragma once

#include <cmath>
#include <utility>

namespace lcc_testing {

// Snyder, Map Projections: A Working Manual (USGS PP 1395), equations (14-15), (15-7)
// to (15-11), evaluated in long double.
struct Reference {
    long double a, e, n, F, rho0, lambda0;
    static long double Rad(long double d) { return d * 3.141592653589793238462643383279502884L / 180.0L; }
    long double m(long double phi) const { return cosl(phi) / sqrtl(1.0L - e * e * sinl(phi) * sinl(phi)); }
    long double t(long double phi) const {
        return tanl(0.25L * 3.141592653589793238462643383279502884L - phi / 2.0L) /
               powl((1.0L - e * sinl(phi)) / (1.0L + e * sinl(phi)), e / 2.0L);
    }
    Reference(long double a_, long double e2, long double p1, long double p2, long double p0, long double l0) : a(a_), e(sqrtl(e2)) {
        const long double phi1 = Rad(p1), phi2 = Rad(p2);
        n = (logl(m(phi1)) - logl(m(phi2))) / (logl(t(phi1)) - logl(t(phi2)));
        F = m(phi1) / (n * powl(t(phi1), n));
        rho0 = a * F * powl(t(Rad(p0)), n);
        lambda0 = Rad(l0);
    }
    std::pair<long double, long double> Xy(long double lat, long double lon) const {
        const long double rho = a * F * powl(t(Rad(lat)), n);
        const long double theta = n * (Rad(lon) - lambda0);
        return {rho * sinl(theta), rho0 - rho * cosl(theta)};
    }
};

}  // namespace lcc_testing
