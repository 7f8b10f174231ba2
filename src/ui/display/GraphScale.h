#pragma once

#include <cstdint>

// The arithmetic of the graph layout, kept apart from the drawing so that it can be
// checked number by number.
namespace tremvix {

// The smallest of 1, 2, 2.5 and 5 times a decade from 1e-10 up with n * step > x.
// The decade is a float multiplied by ten again and again, so it drifts just below
// the powers of ten; the step carries that drift. A search that finds nothing (x
// infinite or not a number) ends at the largest finite float instead of looping.
float ScaleStep(int n, float x);

// The largest |x[j]|, j < count, starting from 0 and replaced only by a strictly
// larger value. Non-finite samples are passed over so that the scale stays finite.
float LargestMagnitude(const float* x, int count);

// Pixels per value division of one band when `traceCount` bands share the canvas.
std::int32_t BandUnitLenY(std::int32_t canvasHeight, std::int32_t traceCount);
// Pixels per value division of the single overlaid scale.
std::int32_t OverlayUnitLenY(std::int32_t canvasHeight);

// Samples in the display time: the quotient of the two floats in extended precision,
// truncated (so 50 s at 0.1f s gives 499).
std::int32_t WindowSamples(float displayTime, float samplingInterval);

// The window after one channel of `sampleCount` samples: shortened so that it ends at
// that channel's last sample, never lengthened.
std::int32_t ClampWindow(std::int32_t start, std::int32_t window, std::int32_t sampleCount);

// Running maximum: out[0] = x[0], then out[j] = x[j] when x[j] > out[j-1].
void PositiveEnvelope(const float* x, int count, float* out);
// Running minimum: out[0] = x[0], then out[j] = x[j] when x[j] < out[j-1].
void NegativeEnvelope(const float* x, int count, float* out);

}  // namespace tremvix
