#pragma once

#include "ui/analysis/LoadedChannels.h"
#include "ui/analysis/SpectrumRequest.h"

#include <QString>
#include <QStringList>

struct SpectrumPlot;

// "1: ACC-NS h=5%: Sa 523.4 gal (T = 0.320 s)", one line per curve with a peak, after the plot's note.
QString PeakText(const SpectrumPlot& plot);

// "T = 0.500 s" or "f = 2.000 Hz", then each curve's value there, one line each.
QString ReadoutText(const SpectrumPlot& plot, double x);

// How a plot is made, for the first line of its exports: the kind, then "key=value"
// settings (filter, drawn quantity, dampings, smoothing, mean removal, taper, padding,
// peak band; for RotD the damping, the two channels and the unit), last the sampling rate in Hz.
QStringList SpectrumSettings(const SpectrumRequest& request, double rate, const std::vector<LoadedChannel>& channels);
