#pragma once

namespace tremvix {

// One step of length h of the damped oscillator x'' + 2 zeta omega x' + omega^2 x = -ag(t)
// with ag linear over the step (exact piecewise-linear solution):
//   x1 = a11 x0 + a12 v0 + b11 ag0 + b12 ag1
//   v1 = a21 x0 + a22 v0 + b21 ag0 + b22 ag1
// x is the displacement relative to the ground, v its velocity.
struct SdofStep {
    double a11, a12, a21, a22;
    double b11, b12, b21, b22;
};

// Requires omega > 0, 0 <= zeta < 1, h > 0.
SdofStep MakeSdofStep(double omega, double zeta, double h);

// Equal sub-steps per sample step so that none is longer than a tenth of the
// period: ceil(10 dt / period), at least 1. A ratio within a relative 1e-9 of a
// whole number counts as that number, so that 10 x 0.01 / 0.1 gives 1, not 2.
int SubstepsPerSample(double period, double dt);

inline constexpr int kMaxSubsteps = 10000;

}  // namespace tremvix
