#pragma once

#include <cstddef>
#include <span>

namespace tremvix {

// Oscillators stepped together. They must share one sub-step count.
inline constexpr int kOscillatorsPerBlock = 8;

struct OscillatorSpec {
    double omega = 0.0;  // rad/s
    double zeta = 0.0;
    int substeps = 1;    // equal sub-steps per sample step
};

struct OscillatorPeaks {
    double sd = 0.0;  // largest |x|
    double sv = 0.0;  // largest |x'|
    double sa = 0.0;  // largest |2 zeta omega x' + omega^2 x|
};

// Steps up to kOscillatorsPerBlock oscillators, at rest at the first sample, through
// the whole ground acceleration (linear between samples) and writes their peaks.
// Each oscillator's arithmetic is the same whichever block or position it has, so
// its peaks do not depend on how oscillators are grouped.
void RunOscillatorBlock(std::span<const double> ground, double dt, std::span<const OscillatorSpec> block,
                        std::span<OscillatorPeaks> peaks);

}  // namespace tremvix
