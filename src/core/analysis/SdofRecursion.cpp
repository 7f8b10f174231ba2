#include "core/analysis/SdofRecursion.h"

#include <cmath>

namespace tremvix {

SdofStep MakeSdofStep(double omega, double zeta, double h) {
    const double root = std::sqrt(1.0 - zeta * zeta);
    const double omegaD = omega * root;
    const double e = std::exp(-zeta * omega * h);
    const double s = std::sin(omegaD * h);
    const double c = std::cos(omegaD * h);
    const double zr = zeta / root;

    SdofStep step{};
    step.a11 = e * (zr * s + c);
    step.a12 = e * s / omegaD;
    step.a21 = -omega / root * e * s;
    step.a22 = e * (c - zr * s);

    const double w2 = omega * omega;
    const double p = (2.0 * zeta * zeta - 1.0) / (w2 * h);  // (2 zeta^2 - 1) / (omega^2 h)
    const double q = 2.0 * zeta / (w2 * omega * h);          // 2 zeta / (omega^3 h)
    const double sd = s / omegaD;
    const double cz = c - zr * s;                           // the a22 bracket
    const double dz = omegaD * s + zeta * omega * c;        // minus the derivative of e c, over e
    step.b11 = e * ((p + zeta / omega) * sd + (q + 1.0 / w2) * c) - q;
    step.b12 = -e * (p * sd + q * c) - 1.0 / w2 + q;
    step.b21 = e * ((p + zeta / omega) * cz - (q + 1.0 / w2) * dz) + 1.0 / (w2 * h);
    step.b22 = -e * (p * cz - q * dz) - 1.0 / (w2 * h);
    return step;
}

int SubstepsPerSample(double period, double dt) {
    const double ratio = 10.0 * dt / period;
    const double nearest = std::round(ratio);
    const double whole = std::abs(ratio - nearest) <= 1e-9 * nearest ? nearest : std::ceil(ratio);
    if (!(whole <= kMaxSubsteps)) {
        return kMaxSubsteps + 1;
    }
    return whole < 1.0 ? 1 : static_cast<int>(whole);
}

}  // namespace tremvix
