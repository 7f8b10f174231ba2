#pragma once

#include "core/data/ChannelRecord.h"

namespace tremvix {

// Which coefficient set filters the mean-removed samples before the sum.
enum class IntegrationFilter { None = 0, BandPass = 1, LowPass = 2 };

// One integration step: mean removal, the optional FIR filter (the chosen set
// of 300 coefficients), then the rectangle rule out[0] = 0,
// out[i+1] = w[i] dt + out[i]. The result keeps the source's text fields and
// holds as many samples as the source; result may be the source itself.
//
// bandPass and lowPass point to 300 coefficients each (a null set filters
// nothing). Returns false when the memory for the work could not be had; the
// result is then left empty (sample count 0) rather than silently unfiltered.
bool Integrate(const ChannelRecord& source, float dt, IntegrationFilter filter,
               const float* bandPass, const float* lowPass, ChannelRecord& result);

}  // namespace tremvix
