#include "core/analysis/OscillatorBlock.h"

#include "core/analysis/SdofRecursion.h"
#include "core/data/ProcessorFeatures.h"

#include <algorithm>
#include <vector>

namespace tremvix {

namespace {

// Four doubles handled as one value; without wider registers the compiler splits
// each operation in two, with the same results.
typedef double Vec4 __attribute__((vector_size(4 * sizeof(double))));
typedef long long Bits4 __attribute__((vector_size(4 * sizeof(double))));
constexpr int kLanes = 4;
constexpr int kMaxVectors = kOscillatorsPerBlock / kLanes;
static_assert(kMaxVectors * kLanes == kOscillatorsPerBlock);

struct BlockCoefficients {
    Vec4 a11[kMaxVectors], a12[kMaxVectors], a21[kMaxVectors], a22[kMaxVectors];
    Vec4 b11[kMaxVectors], b12[kMaxVectors], b21[kMaxVectors], b22[kMaxVectors];
    Vec4 damping[kMaxVectors];    // 2 zeta omega
    Vec4 stiffness[kMaxVectors];  // omega^2
};

struct BlockPeaks {
    Vec4 sd[kMaxVectors], sv[kMaxVectors], sa[kMaxVectors];
};

// What one time loop needs; fractions[j] = j / substeps for j = 0 .. substeps.
struct StepInput {
    const double* ground;
    std::size_t n;
    int substeps;
    const double* fractions;
};

// Vectors go by reference: passing them by value would tie the code to one ABI.
// The magnitude is the value with its sign bit cleared: one bitwise and, where a
// negation and a comparison took two of the few arithmetic units the step needs.
[[gnu::always_inline]] inline void KeepLarger(Vec4& peak, const Vec4& value) {
    const Bits4 noSign = {0x7fffffffffffffffLL, 0x7fffffffffffffffLL, 0x7fffffffffffffffLL, 0x7fffffffffffffffLL};
    const Vec4 magnitude = reinterpret_cast<Vec4>(reinterpret_cast<Bits4>(value) & noSign);
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

// One sub-step of every vector from ground gs to ge. The state and the peaks live
// in locals of the caller, so that the compiler keeps them in registers.
template <int V, PeakSet S>
[[gnu::always_inline]] inline void Substep(const BlockCoefficients& c, double gs, double ge, Vec4* x, Vec4* v,
                                           BlockPeaks& p) {
#pragma GCC unroll 4
    for (int k = 0; k < V; ++k) {
        const Vec4 xn = c.a11[k] * x[k] + c.a12[k] * v[k] + (c.b11[k] * gs + c.b12[k] * ge);
        const Vec4 vn = c.a21[k] * x[k] + c.a22[k] * v[k] + (c.b21[k] * gs + c.b22[k] * ge);
        x[k] = xn;
        v[k] = vn;
        KeepLarger(p.sv[k], vn);
        if constexpr (S == PeakSet::All) {
            const Vec4 acceleration = c.damping[k] * vn + c.stiffness[k] * xn;
            KeepLarger(p.sd[k], xn);
            KeepLarger(p.sa[k], acceleration);
        }
    }
}

// The time loop, written once and compiled for each kernel.
template <int V, PeakSet S>
[[gnu::always_inline]] inline void StepThrough(const StepInput& in, const BlockCoefficients& coefficients,
                                               BlockPeaks& out) {
    const BlockCoefficients c = coefficients;
    Vec4 x[V] = {};
    Vec4 v[V] = {};
    BlockPeaks p{};
    const double* g = in.ground;
    if (in.substeps == 1) {
        for (std::size_t i = 0; i + 1 < in.n; ++i) Substep<V, S>(c, g[i], g[i + 1], x, v, p);
    } else {
        for (std::size_t i = 0; i + 1 < in.n; ++i) {
            const double dg = g[i + 1] - g[i];
            double gs = g[i];
            for (int j = 1; j <= in.substeps; ++j) {
                const double ge = j == in.substeps ? g[i + 1] : g[i] + dg * in.fractions[j];
                Substep<V, S>(c, gs, ge, x, v, p);
                gs = ge;
            }
        }
    }
    out = p;
}

template <int V, PeakSet S>
void StepPortable(const StepInput& in, const BlockCoefficients& c, BlockPeaks& p) {
    StepThrough<V, S>(in, c, p);
}

// No "fma" here: a fused multiply-add would change the results.
template <int V, PeakSet S>
[[gnu::target("avx2")]] void StepWide(const StepInput& in, const BlockCoefficients& c, BlockPeaks& p) {
    StepThrough<V, S>(in, c, p);
}

using StepFunction = void (*)(const StepInput&, const BlockCoefficients&, BlockPeaks&);

// The kernel for the fewest vectors that hold the block.
template <PeakSet S, int V = kMaxVectors>
StepFunction Pick(int vectors, bool wide) {
    if constexpr (V > 1) {
        if (vectors < V) return Pick<S, V - 1>(vectors, wide);
    }
    return wide ? StepWide<V, S> : StepPortable<V, S>;
}

}  // namespace

bool WideKernelAvailable() { return HasAvx2(); }

void RunOscillatorBlock(std::span<const double> ground, double dt, std::span<const OscillatorSpec> block,
                        std::span<OscillatorPeaks> peaks, PeakSet wanted, OscillatorKernel kernel) {
    if (block.empty()) {
        return;
    }
    const int substeps = block.front().substeps;
    std::vector<double> fractions(static_cast<std::size_t>(substeps) + 1);
    for (int j = 0; j <= substeps; ++j) {
        fractions[static_cast<std::size_t>(j)] = static_cast<double>(j) / substeps;
    }
    const BlockCoefficients c = Coefficients(block, dt / substeps);
    const int vectors = static_cast<int>((std::min<std::size_t>(block.size(), kOscillatorsPerBlock) + kLanes - 1) / kLanes);
    const bool wide = kernel != OscillatorKernel::Portable && WideKernelAvailable();
    const StepFunction step = wanted == PeakSet::All ? Pick<PeakSet::All>(vectors, wide)
                                                     : Pick<PeakSet::VelocityOnly>(vectors, wide);
    BlockPeaks p{};
    step({ground.data(), ground.size(), substeps, fractions.data()}, c, p);
    for (std::size_t i = 0; i < block.size() && i < peaks.size(); ++i) {
        const int v = static_cast<int>(i) / kLanes;
        const int l = static_cast<int>(i) % kLanes;
        peaks[i] = {p.sd[v][l], p.sv[v][l], p.sa[v][l]};
    }
}

}  // namespace tremvix
