#pragma once

#include <cstdint>

namespace tremvix {

// Zero-phase symmetric FIR filter, in place:
//   y[i] = h[0] x[i] + sum over j = 1 .. m-1 of h[j] (x[i-j] + x[i+j]),
// samples outside 0 .. n-1 counting as zero. Each step of the sum is formed in
// extended precision and kept as single, in the order j = 1, 2, ... .
// Every output is computed from the unchanged input.
//
// Returns false, with the samples unchanged, when the work buffer cannot be
// obtained. Nothing to do (n < 1 or m < 1) counts as success.
bool ApplyFir(std::int32_t m, const float* h, float* x, std::int32_t n);

}  // namespace tremvix
