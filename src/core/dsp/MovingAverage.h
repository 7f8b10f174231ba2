#pragma once

#include <cstdint>

namespace tremvix {

// Centred running mean over 2k+1 samples, in place. Samples outside 0 .. n-1
// count as zero: the divisor is 2k+1 also near the ends.
//
// Returns false, with the samples unchanged, when the work buffer cannot be
// obtained or when k is negative (no window to average over). k = 0 leaves the
// samples as they are; n < 1 does nothing.
bool MovingAverage(std::int32_t k, std::int32_t n, float* x);

}  // namespace tremvix
