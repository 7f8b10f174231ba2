#pragma once

#include <complex>
#include <span>

namespace tremvix {

// out[k] = scale * |z[k]|, the same bits as scale * std::abs(z[k]) with the C library's
// hypot, four values at a time where the processor has AVX2. `out` holds z.size() values.
void ScaledMagnitudes(std::span<const std::complex<double>> z, double scale, std::span<double> out);

}  // namespace tremvix
