#pragma once

#include "core/analysis/FourierSpectrum.h"

#include <span>
#include <vector>

namespace tremvix {

class FourierTransformer;

// The Fourier spectra of several channels of equal step, each smoothed with Parzen's
// window of `smoothing` Hz when that is positive (its refusal then becomes the
// channel's). The channels go side by side, one thread per transformer, each thread
// taking the next channel left; every result is exactly what ComputeFourierSpectrum
// and SmoothParzen give for that channel alone, whichever transformer computed it.
// Results in channel order. transformers must not be empty.
std::vector<FourierSpectrum> ComputeFourierSpectra(std::span<const std::span<const float>> channels, double dt,
                                                   const FourierOptions& options, double smoothing,
                                                   std::span<FourierTransformer> transformers);

}  // namespace tremvix
