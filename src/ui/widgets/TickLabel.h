#pragma once

#include <string>

// Tick label text of the canvas components: "0" for zero, the exponent form for
// magnitudes below 0.00001 or above 100000, else four decimals with trailing zeros
// stripped (a fourth decimal of 9 is rounded up first).
// With `zeroBelow1e8`, magnitudes below 1e-8 read "0" too.
std::string TickLabel(float x, bool zeroBelow1e8 = false);

// The general decimal text of a value: shortest form with up to 15 significant digits.
std::string GeneralText(double value);
