#pragma once

#include <cstdint>

namespace tremvix {

// Closed-form design of a symmetric FIR set of N coefficients: h[0] weighs the
// sample itself, h[i] the samples i places before and after. The response is the
// ideal one with linear transition bands, truncated to N terms.

// Low-pass that passes up to the lower of fa and fb (Hz) and stops from the higher.
void DesignLowPass(std::int32_t N, float* h, float dt, float fa, float fb);

// The low-pass for the high edge pair minus the low-pass for the low edge pair.
void DesignBandPass(std::int32_t N, float* h, float dt, float highStop, float highPass,
                    float lowStop, float lowPass);

}  // namespace tremvix
