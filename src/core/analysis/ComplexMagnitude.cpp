#include "core/analysis/ComplexMagnitude.h"

#include "core/data/ProcessorFeatures.h"

#include <immintrin.h>

#include <cmath>
#include <cstddef>

namespace tremvix {

namespace {

// The C library's hypot takes the larger part ax and the smaller ay, and where neither
// is near the ends of the range of doubles (ax up to 2^511, ay from 2^-459, ay above
// ax 2^-54) returns h = sqrt(ax² + ay²) with one correction step (C. F. Borges, "An
// improved algorithm for hypot(a, b)", 2019): h - (t1 + t2) / 2h, t1 + t2 being the
// rounding error of h² against ax² + ay², in an order that loses nothing. The same
// operations in the same order give the same bits four at a time. Every other pair
// (zeros, parts of very unequal size, the extremes, infinities, NaN) is left to hypot.
constexpr double kLargest = 0x1p+511;
constexpr double kSmallest = 0x1p-459;
constexpr double kNegligible = 0x1p-54;

[[gnu::target("avx2")]] __m256d Corrected(__m256d ax, __m256d ay) {
    const __m256d two = _mm256_set1_pd(2.0), four = _mm256_set1_pd(4.0);
    const __m256d h = _mm256_sqrt_pd(_mm256_add_pd(_mm256_mul_pd(ax, ax), _mm256_mul_pd(ay, ay)));
    const __m256d twiceAy = _mm256_mul_pd(two, ay);
    // Where h <= 2 ay: delta = h - ay, t1 = ax (2 delta - ax), t2 = (delta - 2 (ax - ay)) delta.
    const __m256d nearDelta = _mm256_sub_pd(h, ay);
    const __m256d nearT1 = _mm256_mul_pd(ax, _mm256_sub_pd(_mm256_mul_pd(two, nearDelta), ax));
    const __m256d nearT2 =
        _mm256_mul_pd(_mm256_sub_pd(nearDelta, _mm256_mul_pd(two, _mm256_sub_pd(ax, ay))), nearDelta);
    // Else: delta = h - ax, t1 = 2 delta (ax - 2 ay), t2 = (4 delta - ay) ay + delta².
    const __m256d farDelta = _mm256_sub_pd(h, ax);
    const __m256d farT1 = _mm256_mul_pd(_mm256_mul_pd(two, farDelta), _mm256_sub_pd(ax, twiceAy));
    const __m256d farT2 = _mm256_add_pd(_mm256_mul_pd(_mm256_sub_pd(_mm256_mul_pd(four, farDelta), ay), ay),
                                        _mm256_mul_pd(farDelta, farDelta));
    const __m256d near = _mm256_cmp_pd(h, twiceAy, _CMP_LE_OQ);
    const __m256d t1 = _mm256_blendv_pd(farT1, nearT1, near);
    const __m256d t2 = _mm256_blendv_pd(farT2, nearT2, near);
    return _mm256_sub_pd(h, _mm256_div_pd(_mm256_add_pd(t1, t2), _mm256_mul_pd(two, h)));
}

[[gnu::target("avx2")]] void WideMagnitudes(const std::complex<double>* z, std::size_t n, double scale, double* out) {
    const __m256d noSign = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7fffffffffffffffLL));
    const __m256d largest = _mm256_set1_pd(kLargest), smallest = _mm256_set1_pd(kSmallest);
    const __m256d negligible = _mm256_set1_pd(kNegligible), factor = _mm256_set1_pd(scale);
    const auto* parts = reinterpret_cast<const double*>(z);
    std::size_t k = 0;
    for (; k + 4 <= n; k += 4) {
        const __m256d first = _mm256_loadu_pd(parts + 2 * k), second = _mm256_loadu_pd(parts + 2 * k + 4);
        // Lanes in the order 0, 2, 1, 3 until the permutation at the end.
        const __m256d re = _mm256_and_pd(_mm256_unpacklo_pd(first, second), noSign);
        const __m256d im = _mm256_and_pd(_mm256_unpackhi_pd(first, second), noSign);
        const __m256d ax = _mm256_max_pd(re, im), ay = _mm256_min_pd(re, im);
        // The larger and smaller of a pair with a NaN are the other part: such lanes go to hypot.
        const __m256d plain = _mm256_and_pd(
            _mm256_and_pd(_mm256_cmp_pd(ax, largest, _CMP_LE_OQ), _mm256_cmp_pd(ay, smallest, _CMP_GE_OQ)),
            _mm256_and_pd(_mm256_cmp_pd(ay, _mm256_mul_pd(ax, negligible), _CMP_GT_OQ),
                          _mm256_cmp_pd(re, im, _CMP_ORD_Q)));
        const __m256d magnitude = _mm256_permute4x64_pd(_mm256_mul_pd(factor, Corrected(ax, ay)), 0xD8);
        _mm256_storeu_pd(out + k, magnitude);
        const int lanes = _mm256_movemask_pd(_mm256_permute4x64_pd(plain, 0xD8));
        if (lanes != 0xF) {
            for (int l = 0; l < 4; ++l)
                if (!(lanes & (1 << l))) out[k + l] = scale * std::abs(z[k + l]);
        }
    }
    for (; k < n; ++k) out[k] = scale * std::abs(z[k]);
}

}  // namespace

void ScaledMagnitudes(std::span<const std::complex<double>> z, double scale, std::span<double> out) {
    if (HasAvx2()) {
        WideMagnitudes(z.data(), z.size(), scale, out.data());
        return;
    }
    for (std::size_t k = 0; k < z.size(); ++k) out[k] = scale * std::abs(z[k]);
}

}  // namespace tremvix
