#include "core/analysis/FourierSpectra.h"

#include "core/analysis/FourierTransformer.h"
#include "core/analysis/ParzenSmoothing.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <stdexcept>
#include <system_error>
#include <thread>

namespace tremvix {

namespace {

FourierSpectrum SpectrumOf(std::span<const float> samples, double dt, const FourierOptions& options, double smoothing,
                           FourierTransformer& transformer) {
    FourierSpectrum spectrum = ComputeFourierSpectrum(samples, dt, options, transformer);
    if (spectrum.refusal || !(smoothing > 0.0)) return spectrum;
    SmoothedSpectrum smoothed = SmoothParzen(spectrum.amplitudes, spectrum.frequencyStep, smoothing, transformer);
    if (smoothed.refusal) spectrum.refusal = smoothed.refusal;
    else spectrum.amplitudes = std::move(smoothed.amplitudes);
    return spectrum;
}

}  // namespace

std::vector<FourierSpectrum> ComputeFourierSpectra(std::span<const std::span<const float>> channels, double dt,
                                                   const FourierOptions& options, double smoothing,
                                                   std::span<FourierTransformer> transformers) {
    if (transformers.empty()) throw std::invalid_argument("ComputeFourierSpectra needs a transformer");
    std::vector<FourierSpectrum> spectra(channels.size());
    const std::size_t lanes = std::min(transformers.size(), channels.size());
    // Each lane takes the next channel not yet taken, with a transformer of its own; lane
    // 0 runs here, the others on threads of their own, and a thread that cannot be
    // started leaves its channels to the others. What a lane throws (out of memory) is
    // thrown here, as without threads.
    std::vector<std::exception_ptr> failures(lanes);
    std::atomic<std::size_t> next{0};
    auto lane = [&](std::size_t j) {
        try {
            for (std::size_t k = next++; k < channels.size(); k = next++)
                spectra[k] = SpectrumOf(channels[k], dt, options, smoothing, transformers[j]);
        } catch (...) {
            failures[j] = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (std::size_t j = 1; j < lanes; ++j) {
            try {
                helpers.emplace_back(lane, j);
            } catch (const std::system_error&) {
                break;
            }
        }
        if (lanes > 0) lane(0);
    }
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
    return spectra;
}

}  // namespace tremvix
