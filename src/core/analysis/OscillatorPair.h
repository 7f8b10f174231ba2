#pragma once

#include "core/analysis/SdofRecursion.h"

#include <cstddef>
#include <span>
#include <vector>

namespace tremvix {

// One oscillator driven by two ground accelerations at once (two components of one
// record), so that the two responses are known at the same instants.
struct PairState {
    double xa = 0.0, va = 0.0;  // relative displacement and velocity under the first ground
    double xb = 0.0, vb = 0.0;  // under the second
};

// Steps from `start` at the first sample through both grounds (linear between samples,
// `substeps` equal sub-steps per sample step, the exact piecewise-linear solution) and
// calls visit(i, j, state) at the start (0, 0) and after each sub-step j = 1 … substeps
// of the step from sample i to i + 1. The grounds must be of one length.
template <typename Visit>
void StepOscillatorPair(std::span<const double> groundA, std::span<const double> groundB, double dt, double omega,
                        double zeta, int substeps, PairState start, Visit&& visit) {
    const SdofStep s = MakeSdofStep(omega, zeta, dt / substeps);
    std::vector<double> fractions(static_cast<std::size_t>(substeps) + 1);
    for (int j = 0; j <= substeps; ++j) fractions[static_cast<std::size_t>(j)] = static_cast<double>(j) / substeps;
    PairState p = start;
    visit(std::size_t{0}, 0, p);
    for (std::size_t i = 0; i + 1 < groundA.size(); ++i) {
        double ga = groundA[i], gb = groundB[i];
        const double dga = groundA[i + 1] - ga, dgb = groundB[i + 1] - gb;
        for (int j = 1; j <= substeps; ++j) {
            const double f = fractions[static_cast<std::size_t>(j)];
            const double gae = j == substeps ? groundA[i + 1] : groundA[i] + dga * f;
            const double gbe = j == substeps ? groundB[i + 1] : groundB[i] + dgb * f;
            const PairState n{s.a11 * p.xa + s.a12 * p.va + (s.b11 * ga + s.b12 * gae),
                              s.a21 * p.xa + s.a22 * p.va + (s.b21 * ga + s.b22 * gae),
                              s.a11 * p.xb + s.a12 * p.vb + (s.b11 * gb + s.b12 * gbe),
                              s.a21 * p.xb + s.a22 * p.vb + (s.b21 * gb + s.b22 * gbe)};
            p = n;
            visit(i, j, p);
            ga = gae;
            gb = gbe;
        }
    }
}

}  // namespace tremvix
