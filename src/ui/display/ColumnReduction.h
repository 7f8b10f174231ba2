#pragma once

#include <vector>

// Samples first ... last (inclusive) fall into one pixel column of a trace. Appends to
// `kept` the indices a thin solid polyline needs to cover the same pixels: the first,
// the lowest, the highest and the last sample, in their order. The points in between
// only retrace the column's span, and the row of a value is monotonic in the value, so
// the extreme values give the extreme rows. A not-a-number sample has no place in
// that order: such a column keeps every sample.
void AppendColumnSamples(const float* samples, int first, int last, std::vector<int>& kept);
