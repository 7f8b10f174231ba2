#pragma once

#include "core/analysis/AnalysisRefusal.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tremvix {

class FourierTransformer;

// With a refusal nothing else is meaningful.
struct JmaIntensity {
    double a0 = 0.0;           // gal: the level the filtered vector sum reaches for 0.3 s in total
    double intensity = 0.0;    // 2 log10(a0) + 0.94, unrounded
    int reportedTenths = 0;    // the published value times ten: 52 for 5.2
    std::string reported;      // the published value as text, "5.2", "-0.3"
    std::string intensityClass;  // "震度0" ... "震度7" (UTF-8)
    std::optional<AnalysisRefusal> refusal;
};

// JMA instrumental seismic intensity of three orthogonal acceleration components
// in gal, sampled at `rate` Hz. Each component is transformed over the whole record
// (no padding, no mean removal), weighted by JmaFilterGain, transformed back; a0
// comes from the vector sum of the three (JmaA0). Refused: lengths differ, fewer
// than 3 samples, rate not positive or not finite, a sample not finite, a record
// shorter than 0.3 s (fewer samples than JmaA0SampleCount), a0 = 0.
JmaIntensity ComputeJmaIntensity(std::span<const float> ns, std::span<const float> ew, std::span<const float> ud,
                                 double rate, FourierTransformer& transformer);
JmaIntensity ComputeJmaIntensity(std::span<const float> ns, std::span<const float> ew, std::span<const float> ud,
                                 double rate);

// The product of the period-effect filter sqrt(1/f), the high-cut filter
// (1 + 0.694 y^2 + 0.241 y^4 + 0.0557 y^6 + 0.009664 y^8 + 0.00134 y^10 + 0.000155 y^12)^(-1/2),
// y = f / 10, and the low-cut filter sqrt(1 - exp(-(f / 0.5)^3)); 0 at f <= 0.
double JmaFilterGain(double frequency);

// Samples that make 0.3 s at `rate` Hz: ceil(0.3 rate), a product within a
// relative 1e-9 of a whole number counting as that number (100 Hz gives 30).
std::size_t JmaA0SampleCount(double rate);

// The JmaA0SampleCount(rate)-th largest value of the vector sum; 0 when the sum
// has fewer values than that.
double JmaA0(std::span<const double> vectorSum, double rate);

// The published value in tenths: I rounded at the third decimal (half away from
// zero), then cut to one decimal (toward zero), both on the decimal digits of I
// written with 12 decimals, so that a computed 5.19499999999999 still gives 5.2.
// A negative I is treated as its magnitude with the sign kept (-0.345 gives -0.3);
// a result of zero is never negative.
int PublishedIntensityTenths(double intensity);

// "震度0" below 0.5, "震度1" ... "震度4", "震度5弱" [4.5, 5.0), "震度5強" [5.0, 5.5),
// "震度6弱" [5.5, 6.0), "震度6強" [6.0, 6.5), "震度7" from 6.5; from the published value.
std::string IntensityClassText(int reportedTenths);

}  // namespace tremvix
