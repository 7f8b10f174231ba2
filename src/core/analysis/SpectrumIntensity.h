#pragma once

#include "core/analysis/AnalysisRefusal.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tremvix {

// The SI value (Housner's spectrum intensity as the gas industry uses it):
// SI = (1 / 2.4) ∫ Sv(T) dT over T = 0.1 … 2.5 s, Sv the largest relative velocity of
// an oscillator of h = 0.20 (the response spectrum's solution and sub-steps), in cm/s
// for a record in gal. The integral is the trapezoid rule on kSiIntervals equal
// intervals (0.0025 s): Sv of a real record is rough in T (its largest value moves
// from one peak of the motion to another), which higher-order rules do not follow;
// on this grid, halving the step changes SI by less than 1e-5 of itself.
inline constexpr double kSiDamping = 0.20;
inline constexpr double kSiFirstPeriod = 0.1;  // s
inline constexpr double kSiLastPeriod = 2.5;   // s
inline constexpr int kSiIntervals = 960;

struct SiResult {
    double si = 0.0;  // cm/s
    std::optional<AnalysisRefusal> refusal;
};

// The periods of the integral, both ends included.
std::vector<double> SiPeriods(int intervals = kSiIntervals);

// Refused as the response spectrum refuses.
SiResult ComputeSpectrumIntensity(std::span<const float> acceleration, double rate, int intervals = kSiIntervals);

// The gas industry's guide from SI to the seismic intensity: "7" from 120 cm/s,
// "6強" from 70, "6弱" from 40, "5強" from 20, "5弱" from 10, "4" from 4, "3" from 1,
// below that "2以下". A guide only: the intensity itself is computed otherwise.
std::string SiIntensityGuide(double si);

}  // namespace tremvix
