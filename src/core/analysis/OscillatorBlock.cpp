#include "core/analysis/OscillatorBlock.h"

#include "core/analysis/SdofRecursion.h"

#include <vector>

namespace tremvix {

namespace {

// Four doubles handled as one value; without wider registers the compiler splits
// each operation in two, with the same results.
typedef double Vec4 __attribute__((vector_size(4 * sizeof(double))));
constexpr int kLanes = 4;
constexpr int kVectors = kOscillatorsPerBlock / kLanes;
static_assert(kVectors * kLanes == kOscillatorsPerBlock);

struct BlockCoefficients {
    Vec4 a11[kVectors], a12[kVectors], a21[kVectors], a22[kVectors];
    Vec4 b11[kVectors], b12[kVectors], b21[kVectors], b22[kVectors];
    Vec4 damping[kVectors];    // 2 zeta omega
    Vec4 stiffness[kVectors];  // omega^2
};

struct BlockPeaks {
    Vec4 sd[kVectors], sv[kVectors], sa[kVectors];
};

// Vectors go by reference: passing them by value would tie the code to one ABI.
inline void KeepLarger(Vec4& peak, const Vec4& value) {
    const Vec4 magnitude = value < 0.0 ? -value : value;
    peak = peak > magnitude ? peak : magnitude;
}

// Unused lanes repeat the first oscillator; their peaks are dropped.
BlockCoefficients Coefficients(std::span<const OscillatorSpec> block, double h) {
    BlockCoefficients c{};
    for (int i = 0; i < kOscillatorsPerBlock; ++i) {
        const OscillatorSpec& o = block[static_cast<std::size_t>(i) < block.size() ? i : 0];
        const SdofStep s = MakeSdofStep(o.omega, o.zeta, h);
        const int v = i / kLanes;
        const int l = i % kLanes;
        c.a11[v][l] = s.a11;
        c.a12[v][l] = s.a12;
        c.a21[v][l] = s.a21;
        c.a22[v][l] = s.a22;
        c.b11[v][l] = s.b11;
        c.b12[v][l] = s.b12;
        c.b21[v][l] = s.b21;
        c.b22[v][l] = s.b22;
        c.damping[v][l] = 2.0 * o.zeta * o.omega;
        c.stiffness[v][l] = o.omega * o.omega;
    }
    return c;
}

// The time loop. fractions[j] = j / substeps for j = 0 .. substeps.
__attribute__((target_clones("avx", "default")))
void StepThrough(const double* ground, std::size_t n, int substeps, const double* fractions,
                 const BlockCoefficients& c, BlockPeaks& p) {
    Vec4 x[kVectors] = {};
    Vec4 v[kVectors] = {};
    p = BlockPeaks{};
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const double g0 = ground[i];
        const double g1 = ground[i + 1];
        const double dg = g1 - g0;
        double gs = g0;
        for (int j = 1; j <= substeps; ++j) {
            const double ge = j == substeps ? g1 : g0 + dg * fractions[j];
            for (int k = 0; k < kVectors; ++k) {
                const Vec4 xn = c.a11[k] * x[k] + c.a12[k] * v[k] + (c.b11[k] * gs + c.b12[k] * ge);
                const Vec4 vn = c.a21[k] * x[k] + c.a22[k] * v[k] + (c.b21[k] * gs + c.b22[k] * ge);
                x[k] = xn;
                v[k] = vn;
                const Vec4 acceleration = c.damping[k] * vn + c.stiffness[k] * xn;
                KeepLarger(p.sd[k], xn);
                KeepLarger(p.sv[k], vn);
                KeepLarger(p.sa[k], acceleration);
            }
            gs = ge;
        }
    }
}

}  // namespace

void RunOscillatorBlock(std::span<const double> ground, double dt, std::span<const OscillatorSpec> block,
                        std::span<OscillatorPeaks> peaks) {
    if (block.empty()) {
        return;
    }
    const int substeps = block.front().substeps;
    std::vector<double> fractions(static_cast<std::size_t>(substeps) + 1);
    for (int j = 0; j <= substeps; ++j) {
        fractions[static_cast<std::size_t>(j)] = static_cast<double>(j) / substeps;
    }
    const BlockCoefficients c = Coefficients(block, dt / substeps);
    BlockPeaks p;
    StepThrough(ground.data(), ground.size(), substeps, fractions.data(), c, p);
    for (std::size_t i = 0; i < block.size() && i < peaks.size(); ++i) {
        const int v = static_cast<int>(i) / kLanes;
        const int l = static_cast<int>(i) % kLanes;
        peaks[i] = {p.sd[v][l], p.sv[v][l], p.sa[v][l]};
    }
}

}  // namespace tremvix
