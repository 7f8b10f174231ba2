#pragma once

#include <cstddef>
#include <span>

namespace tremvix {

// Oscillators stepped together. They must share one sub-step count.
inline constexpr int kOscillatorsPerBlock = 16;

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

// Which peaks a block looks for; with VelocityOnly, sd and sa stay 0.
enum class PeakSet { All, VelocityOnly };

// The machine code that steps a block: Wide uses the AVX2 registers and can only run
// where the processor has them (elsewhere it falls back to Portable); Portable runs
// anywhere. Both give the same bits. Automatic takes Wide where it can run.
enum class OscillatorKernel { Automatic, Portable, Wide };

bool WideKernelAvailable();

// Steps up to kOscillatorsPerBlock oscillators, at rest at the first sample, through
// the whole ground acceleration (linear between samples) and writes their peaks.
// Each oscillator's arithmetic is the same whichever block, position or kernel it
// has, so its peaks do not depend on how oscillators are grouped or on the processor.
void RunOscillatorBlock(std::span<const double> ground, double dt, std::span<const OscillatorSpec> block,
                        std::span<OscillatorPeaks> peaks, PeakSet wanted = PeakSet::All,
                        OscillatorKernel kernel = OscillatorKernel::Automatic);

}  // namespace tremvix
