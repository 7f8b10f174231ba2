#pragma once

#include "core/analysis/AnalysisRefusal.h"

#include <cstddef>
#include <optional>
#include <span>

namespace tremvix {

struct ChannelRecord;
struct IntegrationSetup;

inline constexpr double kStandardGravity = 980.665;  // cm/s^2

// Indices of one acceleration channel in gal, all of them of the record less its
// mean (the mean of the stored samples), as the networks publish them: a K-NET
// header's Max. Acc. is the peak after the mean is removed. The raw samples'
// peak is PeakOf. Sums are rectangle rules over the samples, sum of f(a[i]) dt for
// i = 0 .. n-1 with dt = 1 / rate, as the program's integration sums; the time of
// sample k is k / rate. With a refusal nothing else is meaningful.
struct GroundMotionIndices {
    double pga = 0.0;      // gal: largest |a - mean|
    double pgaTime = 0.0;  // s: index of that sample / rate, the first one in a tie
    double pgv = 0.0;      // cm/s: largest |v|, v the velocity command's result for a - mean
    double pgd = 0.0;      // cm: largest |d|, d the "cm" command's result for a - mean
    double arias = 0.0;    // cm/s: pi / (2 g) sum (a - mean)^2 dt
    std::optional<double> d5_95;  // s: t95 - t5; none when the record has no motion
    double cav = 0.0;      // cm/s: sum |a - mean| dt
    std::optional<AnalysisRefusal> refusal;
};

// rate is the sampling rate in Hz used for times and sums; setup is what the
// integration gets (its single-precision dt, filter and coefficient sets), exactly
// as the pop-up's commands get it. Refused: fewer than 2 samples, a rate or
// setup.dt not positive or not finite (or a rate whose interval is not), a sample
// not finite, an integration that could not get its memory.
GroundMotionIndices ComputeGroundMotionIndices(const ChannelRecord& acceleration, const IntegrationSetup& setup,
                                               double rate);

// The two peaks alone, each equal to ComputeGroundMotionIndices' own: pga, and pgv
// only when asked, at the cost of one integration instead of two.
struct PeakMotion {
    double pga = 0.0;
    std::optional<double> pgv;
    std::optional<AnalysisRefusal> refusal;
};
PeakMotion ComputePeakMotion(const ChannelRecord& acceleration, const IntegrationSetup& setup, double rate,
                             bool withVelocity);

struct SamplePeak {
    double magnitude = 0.0;  // largest |x|
    std::size_t index = 0;   // its first sample
};
SamplePeak PeakOf(std::span<const float> x);

// pi / (2 g) sum a[i]^2 dt, a in gal: cm/s.
double AriasIntensity(std::span<const float> a, double dt);

// Sum |a[i]| dt: the unit of a times s.
double CumulativeAbsoluteVelocity(std::span<const float> a, double dt);

// t_to - t_from = (k_to - k_from) / rate, where t_p = k_p / rate is the first time
// (k = 0 .. n) at which the running sum of a^2 over the samples before k reaches
// the fraction p of the whole sum. None when the whole sum is 0. Fractions in
// [0, 1], from <= to.
std::optional<double> SignificantDuration(std::span<const float> a, double rate, double from = 0.05,
                                          double to = 0.95);

}  // namespace tremvix
