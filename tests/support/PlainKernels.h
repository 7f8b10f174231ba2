#pragma once

#include <algorithm>
#include <vector>

// The signal kernels written out plainly from their definitions, for tests to check
// the fast ones and the windows against.
namespace plain {

// Zero-phase convolution with zeros outside the record, each step in extended
// precision kept as single, in the order j = 1, 2, ...
inline std::vector<float> Fir(const float* h, int m, const std::vector<float>& x) {
    const int n = static_cast<int>(x.size());
    std::vector<float> y(x.size());
    for (int i = 0; i < n; ++i) {
        float acc = static_cast<float>(static_cast<long double>(x[i]) * h[0]);
        for (int j = 1; j < m; ++j) {
            const float left = i - j >= 0 ? x[i - j] : 0.0f;
            const float right = i + j < n ? x[i + j] : 0.0f;
            acc = static_cast<float>((static_cast<long double>(left) + right) * h[j] + acc);
        }
        y[i] = acc;
    }
    return y;
}

// Centred mean over 2k+1 samples with zeros outside: the centre first, then the
// pairs outwards, then the side that still has samples.
// Past the record only zeros follow, so a window wider than the record sums the
// record itself and still divides by 2k+1.
inline std::vector<float> Mean(const std::vector<float>& x, int k) {
    const int n = static_cast<int>(x.size());
    const int reach = std::min(k, n);
    std::vector<float> y(x.size());
    for (int i = 0; i < n; ++i) {
        float s = x[i];
        for (int j = 1; j <= reach; ++j)
            if (i - j >= 0 && i + j < n) s = static_cast<float>(static_cast<long double>(x[i - j]) + x[i + j] + s);
        for (int j = 1; j <= reach; ++j) {
            if (i - j >= 0 && i + j >= n) s = static_cast<float>(static_cast<long double>(x[i - j]) + s);
            if (i + j < n && i - j < 0) s = static_cast<float>(static_cast<long double>(x[i + j]) + s);
        }
        y[i] = static_cast<float>(s / (2.0L * k + 1.0L));
    }
    return y;
}

// One integration: the mean (summed in single, divided in extended) taken away,
// the optional filter, then out[0] = 0, out[i+1] = w[i] dt + out[i].
inline std::vector<float> Integral(const std::vector<float>& x, float dt, const float* set, int m) {
    float sum = 0.0f;
    for (const float v : x) sum += v;
    const float mean = x.empty() ? 0.0f : static_cast<float>(static_cast<long double>(sum) / x.size());
    std::vector<float> w(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) w[i] = x[i] - mean;
    if (set) w = Fir(set, m, w);
    std::vector<float> out(x.size());
    float running = 0.0f;
    for (std::size_t i = 0; i < w.size(); ++i) {
        out[i] = running;
        running = static_cast<float>(static_cast<long double>(w[i]) * dt + running);
    }
    return out;
}

}  // namespace plain
