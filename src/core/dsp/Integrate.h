#pragma once

#include "core/data/ChannelRecord.h"

namespace tremvix {

// Which coefficient set filters the mean-removed samples before the sum.
enum class IntegrationFilter { None = 0, BandPass = 1, LowPass = 2 };

// One integration step: mean removal, the optional FIR filter (the chosen set
// of 300 coefficients), then the rectangle rule out[0] = 0,
// out[i+1] = w[i] dt + out[i]. The result keeps the source's text fields and
// sample count; samples past the count are left as they were. result may be
// the source itself. A sample count outside 0 .. kMaxSamples is clamped.
//
// bandPass and lowPass point to 300 coefficients each (a null set filters
// nothing). Returns false when the filter could not get its work buffer; the result is
// then left empty (sample count 0) rather than silently unfiltered.
bool Integrate(const ChannelRecord& source, float dt, IntegrationFilter filter,
               const float* bandPass, const float* lowPass, ChannelRecord& result);

}  // namespace tremvix
