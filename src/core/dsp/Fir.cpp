#include "core/dsp/Fir.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <vector>

namespace tremvix {

namespace {

// Outputs filtered side by side. Each has its own chain of dependent x87
// additions; running several at once hides their latency without changing the
// order of any single sum.
constexpr std::int32_t kLanes = 8;

// GCC would otherwise carry the neighbours that the lanes share from one step
// to the next through a rotation of registers and stack slots, which costs more
// than loading them again (about a third of the run time).
#if defined(__GNUC__) && !defined(__clang__)
#define TREMVIX_LOADS_NOT_CARRIED __attribute__((optimize("no-predictive-commoning")))
#else
#define TREMVIX_LOADS_NOT_CARRIED
#endif

// Filters Lanes consecutive outputs. `centre` points at the padded copy of the
// first of them, with at least m-1 readable samples on either side.
template <std::int32_t Lanes>
TREMVIX_LOADS_NOT_CARRIED void FilterRun(const float* centre, const float* h, std::int32_t m,
                                         float* out) {
    float acc[Lanes];
    const long double h0 = h[0];
    for (std::int32_t k = 0; k < Lanes; ++k) {
        acc[k] = static_cast<float>(centre[k] * h0);
    }
    for (std::int32_t j = 1; j < m; ++j) {
        const long double hj = h[j];
        const float* left = centre - j;
        const float* right = centre + j;
#pragma GCC unroll 16
        for (std::int32_t k = 0; k < Lanes; ++k) {
            acc[k] = static_cast<float>((static_cast<long double>(left[k]) + right[k]) * hj + acc[k]);
        }
    }
    std::copy(acc, acc + Lanes, out);
}

}  // namespace

bool ApplyFir(std::int32_t m, const float* h, float* x, std::int32_t n) {
    if (n < 1 || m < 1) {
        return true;
    }
    // The input is copied between m-1 zeros on each side, so that no output
    // needs a test for the record's ends and results go straight into x.
    // A padding zero gives the same bits as a missing neighbour: 0 + R is R.
    const std::size_t margin = static_cast<std::size_t>(m) - 1;
    const std::size_t count = static_cast<std::size_t>(n);
    std::vector<float> padded;
    try {
        padded.assign(count + 2 * margin, 0.0f);
    } catch (const std::bad_alloc&) {
        return false;
    }
    std::copy(x, x + count, padded.begin() + static_cast<std::ptrdiff_t>(margin));

    const float* centre = padded.data() + margin;
    std::int32_t i = 0;
    for (; i + kLanes <= n; i += kLanes) {
        FilterRun<kLanes>(centre + i, h, m, x + i);
    }
    for (; i < n; ++i) {
        FilterRun<1>(centre + i, h, m, x + i);
    }
    return true;
}

}  // namespace tremvix
