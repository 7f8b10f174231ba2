#pragma once

#include "core/analysis/FourierSpectrum.h"

#include <limits>
#include <vector>

enum class SpectrumKind { Response = 0, Fourier = 1, Ratio = 2, RotD = 3 };
enum class ResponseQuantity { Sa = 0, Sv = 1, Sd = 2, PSv = 3, PSa = 4 };

// What the spectrum window's controls ask for, gathered before anything is computed.
struct SpectrumRequest {
    SpectrumKind kind = SpectrumKind::Response;
    ResponseQuantity quantity = ResponseQuantity::Sa;
    std::vector<int> channels;     // store indices, for response and Fourier spectra
    std::vector<double> dampings;  // fractions of critical, for response spectra and RotD (one)
    double smoothing = 0.0;        // Parzen bandwidth in Hz, 0 = none (Fourier spectra)
    double ratioSmoothing = 0.4;   // Hz, spectral ratios are always smoothed
    tremvix::FourierOptions fourier;
    int numerator = -1;  // store indices of the ratio's channels
    int denominator = -1;
    double bandLow = 0.0;  // Hz, where the ratio's peak is looked for
    double bandHigh = std::numeric_limits<double>::infinity();
    int horizontalA = -1;  // store indices of the two horizontal components of RotD
    int horizontalB = -1;
    bool rotd00 = false;   // RotD00 drawn as well
};
