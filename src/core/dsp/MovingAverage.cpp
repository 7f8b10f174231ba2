#include "core/dsp/MovingAverage.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <vector>

namespace tremvix {

namespace {

// The window sum of sample i, kept as single after each step j.
float WindowSum(std::int32_t k, std::int32_t n, const float* x, std::int32_t i) {
    const std::int32_t leftAvailable = i;
    const std::int32_t rightAvailable = n - 1 - i;
    const std::int32_t both = std::min({k, leftAvailable, rightAvailable});
    const std::int32_t reach = std::min(k, std::max(leftAvailable, rightAvailable));

    float s = x[i];
    std::int32_t j = 1;
    for (; j <= both; ++j) {
        s = static_cast<float>(static_cast<long double>(x[i - j]) + x[i + j] + s);
    }
    // Past the nearer end only one side still has samples.
    const std::int32_t direction = leftAvailable > rightAvailable ? -1 : 1;
    for (; j <= reach; ++j) {
        s = static_cast<float>(static_cast<long double>(x[i + direction * j]) + s);
    }
    return s;
}

}  // namespace

bool MovingAverage(std::int32_t k, std::int32_t n, float* x) {
    if (k < 0) {
        return false;
    }
    if (n < 1 || k == 0) {
        return true;
    }
    std::vector<float> averaged;
    try {
        averaged.assign(static_cast<std::size_t>(n), 0.0f);
    } catch (const std::bad_alloc&) {
        return false;
    }
    const long double divisor = 2.0L * k + 1.0L;
    for (std::int32_t i = 0; i < n; ++i) {
        averaged[static_cast<std::size_t>(i)] =
            static_cast<float>(WindowSum(k, n, x, i) / divisor);
    }
    std::copy(averaged.begin(), averaged.end(), x);
    return true;
}

}  // namespace tremvix
