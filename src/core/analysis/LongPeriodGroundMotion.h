#pragma once

#include "core/analysis/AnalysisRefusal.h"

#include <array>
#include <optional>
#include <span>

namespace tremvix {

// The JMA's long-period ground-motion class (長周期地震動階級) of a record's two
// horizontal components, in gal.
inline constexpr int kLongPeriodCount = 32;   // 1.6, 1.8, …, 7.8 s
inline constexpr int kLongPeriodBands = 7;    // 1秒台 … 7秒台
inline constexpr double kLongPeriodDamping = 0.05;

struct LongPeriodRow {
    double period = 0.0;  // s
    double sva = 0.0;     // cm/s: the largest horizontal vector of absolute velocity response
    int level = 0;        // class 0–4 of this period
};

struct LongPeriodResult {
    std::array<LongPeriodRow, kLongPeriodCount> rows{};
    std::array<int, kLongPeriodBands> bandLevels{};  // 1秒台 (1.6–1.8 s) … 7秒台 (7.0–7.8 s)
    int level = 0;                                   // the record's class: the largest of the rows
    std::optional<AnalysisRefusal> refusal;          // set: nothing else is meaningful
};

// T = 1.6 + 0.2 k s for k = 0 … 31.
double LongPeriod(int k);

// Class of an Sva in cm/s: 0 below 5, 1 from 5, 2 from 15, 3 from 50, 4 from 100.
int LongPeriodLevel(double sva);

// Both components are high-passed once (the JMA's filter at this rate), the ground
// velocity is the trapezoid integral of the filtered acceleration from 0, and an
// oscillator of h = 0.05 starts at relative displacement 0 and relative velocity
// -a[0] dt. Absolute velocity = relative velocity + ground velocity; per step the
// vector sqrt(Va_ns^2 + Va_ew^2), its largest value over time per period.
// Refused: fewer than 2 samples, components of different lengths, a sample not
// finite, a rate not positive, or one at which the high-pass cannot be designed.
LongPeriodResult ComputeLongPeriodClass(std::span<const float> ns, std::span<const float> ew, double rate);

}  // namespace tremvix
