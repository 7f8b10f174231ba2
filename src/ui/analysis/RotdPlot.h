#pragma once

#include "ui/analysis/LoadedChannels.h"
#include "ui/analysis/SpectrumPlot.h"

#include <QStringList>

#include <vector>

// The RotD kind of the spectrum window: RotD50 and RotD100 (RotD00 when asked) of the
// request's two horizontal components at its one damping, against period. The core
// takes gal; the values are given back in the components' unit when they share one,
// else in gal. The CSV columns are the command line's; the row of period 0 (rotated
// PGA) is in the CSV and the plot's note, not on the logarithmic axis. rate in Hz.
SpectrumPlot RotdPlot(const std::vector<LoadedChannel>& channels, const SpectrumRequest& request, double rate);

// The settings of a RotD plot for the first line of its exports.
QStringList RotdSettings(const std::vector<LoadedChannel>& channels, const SpectrumRequest& request, double rate);

// Colour slots of the RotD curves (as channel indices of the trace colours).
inline constexpr int kRotd50Slot = 0;   // red
inline constexpr int kRotd100Slot = 1;  // blue
inline constexpr int kRotd00Slot = 3;   // green, dashed
