#pragma once

#include <cstddef>

namespace tremvix {

// Room enough for any double in "%f": sign, 309 integer digits, point, six decimals.
inline constexpr std::size_t kMaxFixed6Chars = 320;

// Writes `value` exactly as the C library's "%f" does in the C locale ("0.120000",
// "-0.000000", "inf", "-nan"), whatever locale the program runs in, and returns
// the end of the text. [first, last) must hold at least kMaxFixed6Chars bytes.
// Correctly rounded, ties to even, like glibc's printf.
char* WriteFixed6(char* first, char* last, double value);

}  // namespace tremvix
