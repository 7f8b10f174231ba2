#pragma once

#include "ui/analysis/LogPlotGeometry.h"

#include <cstdint>

class TMyGraph;
struct SpectrumPlot;

// Size of the spectrum graph and of its frame, in pixels.
inline constexpr int kSpectrumGraphWidth = 660;
inline constexpr int kSpectrumGraphHeight = 520;

// Colour of the curves of a channel (store index): the main window's trace colours by
// channel, olive for yellow, which cannot be read on white.
std::uint32_t ChannelColour(int channel);

// The axes a plot is drawn on: decades that cover its curves (at most six each way).
LogBox AxesOf(const SpectrumPlot& plot);

// Frame, curves (cut at the frame), a circle at each curve's peak and a legend under
// the frame, on logarithmic axes.
void DrawSpectrumPlot(TMyGraph& graph, const SpectrumPlot& plot);
