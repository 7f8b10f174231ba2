#pragma once

#include <string_view>

namespace tremvix {

// Reads the number at the start of [begin, end) the way the data files have
// always been read: leading white space (space, \t, \n, \v, \f, \r) skipped, an
// optional sign, decimal digits with an optional "." fraction (".5" and "5." are
// numbers, "." alone is not), an optional exponent "e"/"E" with an optional sign and
// at least one digit (otherwise it is not part of the number: "1e+" reads 1).
// Reading stops at the first byte that does not fit; no number reads 0. Only
// decimal numbers are read: "inf", "nan" and hexadecimal text read 0 ("0x1A" reads
// the 0). Values beyond the double range read as infinity, values too small as 0.
// The result does not depend on the locale.
double ReadNumber(const char* begin, const char* end);
double ReadNumber(std::string_view text);

// A sample as the records keep it: the double rounded to the nearest float, with
// magnitudes beyond the float range becoming infinity (or the largest float when
// they round to it), without relying on an out-of-range conversion.
float ToSample(double value);

}  // namespace tremvix
