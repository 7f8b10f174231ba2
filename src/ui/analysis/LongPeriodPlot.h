#pragma once

#include "core/analysis/LongPeriodGroundMotion.h"
#include "ui/analysis/LogPlotGeometry.h"

#include <cstdint>

class TMyGraph;

// The 32-period Sva curve of the long-period class on a small graph: periods on a
// linear axis of 1 to 8 s (a division per band, 1秒台 … 7秒台), Sva in cm/s on
// logarithmic decades, and the class boundaries 5, 15, 50 and 100 cm/s as lines.

inline constexpr std::uint32_t kLongPeriodCurveColour = 0xC00000;     // 0x00BBGGRR: blue
inline constexpr std::uint32_t kLongPeriodBoundaryColour = 0x0000C0;  // dark red

// The decades of the Sva axis: at least 1 to 1000 cm/s, so that every boundary is in
// sight, widened to hold the curve's values, at most five decades (the lowest cut off;
// smaller values are drawn on the frame's bottom).
DecadeRange LongPeriodDecades(const tremvix::LongPeriodResult& result);

// The frame with the boundaries and, when there is a result, its curve; without one
// the frame alone, so that nothing is drawn half.
void DrawLongPeriodPlot(TMyGraph& graph, const tremvix::LongPeriodResult* result);
