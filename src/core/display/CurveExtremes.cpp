#include "core/display/CurveExtremes.h"

#include "core/data/ProcessorFeatures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace tremvix {

namespace {

// Vectors are returned by value from these file-local helpers alone, which the
// compiler inlines: no call across the file depends on the vector ABI.
#pragma GCC diagnostic ignored "-Wpsabi"

// Two doubles fill the registers every x86-64 processor has, four those of AVX2.
typedef double Vec2 __attribute__((vector_size(2 * sizeof(double))));
typedef std::int64_t Mask2 __attribute__((vector_size(2 * sizeof(double))));
typedef double Vec4 __attribute__((vector_size(4 * sizeof(double))));
typedef std::int64_t Mask4 __attribute__((vector_size(4 * sizeof(double))));
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kLargest = std::numeric_limits<double>::max();

template <typename V>
constexpr std::size_t kLanesOf = sizeof(V) / sizeof(double);

template <typename V>
[[gnu::always_inline]] inline V Load(const double* p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <typename V>
[[gnu::always_inline]] inline V Splat(double value) {
    V v;
    for (std::size_t l = 0; l < kLanesOf<V>; ++l) v[l] = value;
    return v;
}

template <typename V>
[[gnu::always_inline]] inline V Lower(const V& a, const V& b) {
    return a < b ? a : b;
}

template <typename V>
[[gnu::always_inline]] inline V Higher(const V& a, const V& b) {
    return a > b ? a : b;
}

void Take(PositiveBounds& b, double x, double y) {
    if (!(x > 0.0) || !(x <= kLargest)) return;
    b.lowX = std::min(b.lowX, x);
    b.highX = std::max(b.highX, x);
    if (!(y > 0.0) || !(y <= kLargest)) return;
    b.lowY = std::min(b.lowY, y);
    b.highY = std::max(b.highY, y);
}

// One point after another, as the lanes' work is checked against in the tests.
ExtremeIndices Walk(std::span<const double> y, std::size_t first, std::size_t last) {
    ExtremeIndices e{first, first};
    for (std::size_t i = first + 1; i <= last; ++i) {
        if (!(y[i] >= y[e.low])) e.low = i;
        if (!(y[i] <= y[e.high])) e.high = i;
    }
    return e;
}

template <typename V, typename M>
[[gnu::always_inline]] inline PositiveBounds BoundsBody(std::span<const double> x, std::span<const double> y) {
    constexpr std::size_t lanes = kLanesOf<V>;
    const std::size_t n = std::min(x.size(), y.size());
    const V zero = Splat<V>(0.0), largest = Splat<V>(kLargest);
    V lowX = Splat<V>(kInfinity), highX = Splat<V>(-kInfinity), lowY = lowX, highY = highX;
    std::size_t i = 0;
    for (; i + lanes <= n; i += lanes) {
        const V vx = Load<V>(x.data() + i), vy = Load<V>(y.data() + i);
        // Comparisons with NaN are false: such a point does not count.
        const M countsX = (vx > zero) & (vx <= largest);
        const M countsY = countsX & (vy > zero) & (vy <= largest);
        lowX = countsX ? Lower(lowX, vx) : lowX;
        highX = countsX ? Higher(highX, vx) : highX;
        lowY = countsY ? Lower(lowY, vy) : lowY;
        highY = countsY ? Higher(highY, vy) : highY;
    }
    PositiveBounds b;
    for (std::size_t l = 0; l < lanes; ++l) {
        b.lowX = std::min(b.lowX, lowX[l]);
        b.highX = std::max(b.highX, highX[l]);
        b.lowY = std::min(b.lowY, lowY[l]);
        b.highY = std::max(b.highY, highY[l]);
    }
    for (; i < n; ++i) Take(b, x[i], y[i]);
    return b;
}

// Without NaN, the lowest and highest of y[first .. last]; false where a NaN is met.
template <typename V, typename M>
[[gnu::always_inline]] inline bool RangeBody(std::span<const double> y, std::size_t first, std::size_t last,
                                             double& lowest, double& highest) {
    constexpr std::size_t lanes = kLanesOf<V>;
    V low = Load<V>(y.data() + first), high = low;
    M nan = low != low;
    std::size_t i = first + lanes;
    for (; i + lanes <= last + 1; i += lanes) {
        const V v = Load<V>(y.data() + i);
        low = Lower(low, v);
        high = Higher(high, v);
        nan |= v != v;
    }
    for (std::size_t l = 0; l < lanes; ++l)
        if (nan[l]) return false;
    lowest = low[0];
    highest = high[0];
    for (std::size_t l = 1; l < lanes; ++l) {
        lowest = std::min(lowest, low[l]);
        highest = std::max(highest, high[l]);
    }
    for (; i <= last; ++i) {
        if (std::isnan(y[i])) return false;
        lowest = std::min(lowest, y[i]);
        highest = std::max(highest, y[i]);
    }
    return true;
}

PositiveBounds NarrowBounds(std::span<const double> x, std::span<const double> y) {
    return BoundsBody<Vec2, Mask2>(x, y);
}

[[gnu::target("avx2")]] PositiveBounds WideBounds(std::span<const double> x, std::span<const double> y) {
    return BoundsBody<Vec4, Mask4>(x, y);
}

bool NarrowRange(std::span<const double> y, std::size_t first, std::size_t last, double& lowest, double& highest) {
    return RangeBody<Vec2, Mask2>(y, first, last, lowest, highest);
}

[[gnu::target("avx2")]] bool WideRange(std::span<const double> y, std::size_t first, std::size_t last,
                                       double& lowest, double& highest) {
    return RangeBody<Vec4, Mask4>(y, first, last, lowest, highest);
}

}  // namespace

PositiveBounds PositiveBoundsOf(std::span<const double> x, std::span<const double> y) {
    return HasAvx2() ? WideBounds(x, y) : NarrowBounds(x, y);
}

ExtremeIndices ExtremesOf(std::span<const double> y, std::size_t first, std::size_t last) {
    // Few points, or a NaN among them: the walk itself.
    constexpr std::size_t kWorthLanes = 16;
    double lowest = 0.0, highest = 0.0;
    if (last - first < kWorthLanes ||
        !(HasAvx2() ? WideRange(y, first, last, lowest, highest) : NarrowRange(y, first, last, lowest, highest)))
        return Walk(y, first, last);
    // Without NaN the walk ends at the first of the equal lowest (highest) values; -0
    // and +0 are equal to it as well.
    ExtremeIndices e{first, first};
    while (!(y[e.low] == lowest)) ++e.low;
    while (!(y[e.high] == highest)) ++e.high;
    return e;
}

}  // namespace tremvix
