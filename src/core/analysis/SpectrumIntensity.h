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
// for a record in gal. Sv of a real record is rough in T (its largest value, picked at
// sub-steps, moves from one to the next as T changes), most at short periods and less
// as T grows (the peak picked at a sub-step falls short of the true one by about
// (pi dt / T)^2 / 2 at most). The integral is therefore the trapezoid rule on nodes
// even in log T, dense where Sv is rough, in pieces that end where the sub-step count
// (and so Sv) jumps. With kSiIntervals intervals in all, doubling them changes SI by
// less than 1e-5 of itself.
inline constexpr double kSiDamping = 0.20;
inline constexpr double kSiFirstPeriod = 0.1;  // s
inline constexpr double kSiLastPeriod = 2.5;   // s
inline constexpr int kSiIntervals = 480;

struct SiResult {
    double si = 0.0;  // cm/s
    std::optional<AnalysisRefusal> refusal;
};

// One period of the integral and its weight: SI = (1 / 2.4) Σ weight Sv(period).
struct SiNode {
    double period = 0.0;  // s
    double weight = 0.0;  // s
};

// The nodes for a record at `rate` (Hz, positive), ascending; about `intervals` in all.
std::vector<SiNode> SiNodes(double rate, int intervals = kSiIntervals);

// Refused as the response spectrum refuses. `threads` as in ResponseSpectrumOptions.
SiResult ComputeSpectrumIntensity(std::span<const float> acceleration, double rate, int intervals = kSiIntervals,
                                  int threads = 2);

// The gas industry's guide from SI to the seismic intensity: "7" from 120 cm/s,
// "6強" from 70, "6弱" from 40, "5強" from 20, "5弱" from 10, "4" from 4, "3" from 1,
// below that "2以下". A guide only: the intensity itself is computed otherwise.
std::string SiIntensityGuide(double si);

}  // namespace tremvix
