#pragma once

#include <optional>
#include <string>

// The arithmetic of the XY graph, free of widgets so that it can be checked on its own.
namespace graph {

// One axis of the frame: where it starts, its division length and direction, and its scale.
struct Axis {
    int origin = 0;         // pixel of the start value
    int division = 0;       // pixels per division
    int direction = 1;      // +1 for x (to the right), -1 for y (upwards on screen)
    bool linear = true;
    float start = 0.0f;     // value at the origin
    float step = 1.0f;      // linear: value per division; logarithmic: factor per division
};

// Pixel of a value on the axis, in extended precision, truncated toward zero.
// No position for a non-positive value or a zero start on a logarithmic axis, and none
// where the scale cannot place anything (zero step, zero division, non-finite result).
std::optional<int> AxisPixel(const Axis& axis, float value);

// Value of the r-th division line: step × r + start, or start × step^r on a log axis,
// there to the seven significant digits a float start holds (decades are exact).
float DivisionValue(bool linear, float start, float step, int r);

// Minor division count for a division value, and the fixed-point label format with the
// decimals its leading digits need ("%.2f" for 0.25). A value that is not positive and
// finite gives 0 and leaves the format as it was.
int SubScale(float value, std::string& format);

// True when the text holds nothing but "-", "0" and ".".
bool ZeroString(const char* text);

// Label of a division value in the given fixed-point format; "0" when only zeros remain.
std::string FormattedLabel(const std::string& format, float value);

// Tidy scale found from data.
struct Scale {
    float start = 0.0f;
    float step = 0.0f;
    int divisions = 0;
};

// Non-negative data: the first decade d (from 1e-10) and step 1, 2, 2.5 or 5 whose span
// divisions × (step + 0.001) × d exceeds the largest value; on a logarithmic axis the
// decades that end at the first power of ten above it. Non-finite values are ignored;
// no scale when no step in the finite range fits (for instance a division count below 1).
std::optional<Scale> ChooseScale(int count, const float* values, int divisions, bool linear);

// Data that may be negative: with any value below 0 the linear scale puts zero in the
// middle of an even number of divisions. `negative` tells whether such a value was met.
std::optional<Scale> ChooseSignedScale(int count, const float* values, int divisions, bool linear,
                                       bool& negative);

}  // namespace graph
