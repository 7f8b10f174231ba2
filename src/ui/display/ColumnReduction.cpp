#include "ui/display/ColumnReduction.h"

#include <algorithm>
#include <cmath>

void AppendColumnSamples(const float* samples, int first, int last, std::vector<int>& kept) {
    int low = first;
    int high = first;
    bool ordered = !std::isnan(samples[first]);
    for (int i = first + 1; i <= last && ordered; ++i) {
        if (std::isnan(samples[i])) ordered = false;
        if (samples[i] < samples[low]) low = i;
        if (samples[i] > samples[high]) high = i;
    }
    if (!ordered || last - first < 4) {
        for (int i = first; i <= last; ++i) kept.push_back(i);
        return;
    }
    kept.push_back(first);
    const auto [early, late] = std::minmax(low, high);
    if (early != first && early != last) kept.push_back(early);
    if (late != first && late != last && late != early) kept.push_back(late);
    kept.push_back(last);
}
