#include "core/export/FixedNotation.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace tremvix {
namespace {

char* Copy(char* first, const char* text) {
    const std::size_t length = std::strlen(text);
    std::memcpy(first, text, length);
    return first + length;
}

}  // namespace

char* WriteFixed6(char* first, char* last, double value) {
    // printf writes the sign of infinities and NaNs; so do we, in its spelling.
    if (std::isnan(value)) return Copy(first, std::signbit(value) ? "-nan" : "nan");
    if (std::isinf(value)) return Copy(first, std::signbit(value) ? "-inf" : "inf");
    return std::to_chars(first, last, value, std::chars_format::fixed, 6).ptr;
}

}  // namespace tremvix
