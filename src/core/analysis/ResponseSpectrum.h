#pragma once

#include "core/analysis/AnalysisRefusal.h"

#include <optional>
#include <span>
#include <vector>

namespace tremvix {

inline constexpr double kDefaultDamping = 0.05;
inline constexpr double kShortestDefaultPeriod = 0.02;  // s
inline constexpr double kLongestDefaultPeriod = 10.0;   // s
inline constexpr int kDefaultPeriodCount = 200;

struct ResponseSpectrumOptions {
    std::vector<double> dampings{kDefaultDamping};  // fractions of critical, each in [0, 1)
    std::vector<double> extraPeriods;              // s, added to the periods below
    bool defaultPeriods = true;                    // include DefaultSpectrumPeriods()
    int threads = 2;                               // at most this many threads; results do not depend on it
    bool velocityOnly = false;                     // look for sv alone; sd, sa, psv and psa stay 0
};

// Peak responses of one oscillator, in the units of the ground acceleration
// (for gal: cm, cm/s, gal).
struct SpectrumValues {
    double period = 0.0;  // s
    double sd = 0.0;      // largest |relative displacement|
    double sv = 0.0;      // largest |relative velocity|
    double sa = 0.0;      // largest |absolute acceleration|
    double psv = 0.0;     // omega sd
    double psa = 0.0;     // omega^2 sd
};

struct DampingSpectrum {
    double damping = 0.0;
    std::vector<SpectrumValues> values;  // one per period, in the order of `periods`
};

// With a refusal nothing else is meaningful.
struct ResponseSpectrumResult {
    std::vector<double> periods;           // ascending, no duplicates
    std::vector<DampingSpectrum> spectra;  // in the order of the dampings asked for
    std::optional<AnalysisRefusal> refusal;
};

// kDefaultPeriodCount periods spaced evenly in log from kShortestDefaultPeriod to
// kLongestDefaultPeriod, both included.
std::vector<double> DefaultSpectrumPeriods();

// Elastic response spectra of a single-degree-of-freedom oscillator at rest at the
// first sample, the ground acceleration taken as linear between samples (exact
// piecewise solution). Each sample step is split into SubstepsPerSample() equal
// sub-steps so that peaks are looked for on steps no longer than a tenth of the
// period. Refused: fewer than 2 samples, dt not positive or not finite, a sample not
// finite, a damping outside [0, 1), a period not positive or not finite, no period
// or damping at all, a period shorter than dt / 1000.
ResponseSpectrumResult ComputeResponseSpectrum(std::span<const float> acceleration, double dt,
                                               const ResponseSpectrumOptions& options = {});

}  // namespace tremvix
