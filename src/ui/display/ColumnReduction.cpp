#include "ui/display/ColumnReduction.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Four floats at a time in plain SSE, which every x86-64 has; other machines get
// the same arithmetic from the compiler's generic vectors.
using Float4 = float __attribute__((vector_size(16)));
using Int4 = int __attribute__((vector_size(16)));

struct ColumnRange {
    float low;
    float high;
    bool ordered;  // no not-a-number in the column
};

// The lowest and highest value of samples[first .. last] and whether every sample
// is a number. Comparisons that a not-a-number spoils are settled by `ordered`.
ColumnRange RangeOf(const float* samples, int first, int last) {
    ColumnRange range{samples[first], samples[first], true};
    int i = first;
    if (last - first + 1 >= 8) {
        Float4 low = {range.low, range.low, range.low, range.low};
        Float4 high = low;
        Int4 numbers = low == low;
        for (; i + 3 <= last; i += 4) {
            Float4 x;
            std::memcpy(&x, samples + i, sizeof x);
            low = x < low ? x : low;
            high = x > high ? x : high;
            numbers = (x == x) & numbers;
        }
        for (int k = 0; k < 4; ++k) {
            range.low = std::min(range.low, low[k]);
            range.high = std::max(range.high, high[k]);
            range.ordered = range.ordered && numbers[k] != 0;
        }
    }
    for (; i <= last; ++i) {
        range.ordered = range.ordered && !std::isnan(samples[i]);
        range.low = std::min(range.low, samples[i]);
        range.high = std::max(range.high, samples[i]);
    }
    range.ordered = range.ordered && !std::isnan(samples[first]);
    return range;
}

// The first sample equal to `value`: equal values lie on the same row.
int FirstEqual(const float* samples, int first, int last, float value) {
    int i = first;
    while (i < last && !(samples[i] == value)) ++i;
    return i;
}

}  // namespace

void AppendColumnSamples(const float* samples, int first, int last, std::vector<int>& kept) {
    const ColumnRange range = RangeOf(samples, first, last);
    if (!range.ordered || last - first < 4) {
        for (int i = first; i <= last; ++i) kept.push_back(i);
        return;
    }
    const int low = FirstEqual(samples, first, last, range.low);
    const int high = FirstEqual(samples, first, last, range.high);
    kept.push_back(first);
    const auto [early, late] = std::minmax(low, high);
    if (early != first && early != last) kept.push_back(early);
    if (late != first && late != last && late != early) kept.push_back(late);
    kept.push_back(last);
}
