#include "core/dsp/FirDesign.h"

#include <cmath>

namespace tremvix {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kPi = 3.141592653589793;

// Edge frequency in cycles per sample, the way the design forms it:
// 2*pi*f / omega in extended precision, kept as single.
float EdgeInCycles(float f, float omega) {
    return static_cast<float>(static_cast<long double>(kTwoPi) * f / omega);
}

float AngularSamplingRate(float dt) {
    return static_cast<float>(static_cast<long double>(kTwoPi) / dt);
}

// i * pi, kept as single.
float TapAngle(std::int32_t i) {
    return static_cast<float>(static_cast<long double>(i) * kPi);
}

// sin(t*d) * sin(t*sum) / d / t / t: each sine argument goes to double for the
// sine, the rest stays in extended precision.
long double PairTerm(float t, float d, long double sum) {
    const double s1 = std::sin(static_cast<double>(static_cast<long double>(t) * d));
    const double s2 = std::sin(static_cast<double>(sum * t));
    return static_cast<long double>(s1) * s2 / d / t / t;
}

}  // namespace

void DesignLowPass(std::int32_t N, float* h, float dt, float fa, float fb) {
    if (N <= 0) {
        return;
    }
    const float omega = AngularSamplingRate(dt);
    const float a = EdgeInCycles(fa, omega);
    const float b = EdgeInCycles(fb, omega);
    const float d = static_cast<float>(static_cast<long double>(a) - b);
    const long double sum = static_cast<long double>(a) + b;
    h[0] = static_cast<float>(sum);
    for (std::int32_t i = 1; i < N; ++i) {
        h[i] = static_cast<float>(PairTerm(TapAngle(i), d, sum));
    }
}

void DesignBandPass(std::int32_t N, float* h, float dt, float highStop, float highPass,
                    float lowStop, float lowPass) {
    if (N <= 0) {
        return;
    }
    const float omega = AngularSamplingRate(dt);
    const float p = EdgeInCycles(lowPass, omega);
    const float q = EdgeInCycles(lowStop, omega);
    const float d1 = static_cast<float>(static_cast<long double>(q) - p);
    const float r = EdgeInCycles(highPass, omega);
    const float s = EdgeInCycles(highStop, omega);
    const float d2 = static_cast<float>(static_cast<long double>(s) - r);
    const long double highSum = static_cast<long double>(s) + r;
    const long double lowSum = static_cast<long double>(q) + p;
    h[0] = static_cast<float>(highSum - lowSum);
    for (std::int32_t i = 1; i < N; ++i) {
        const float t = TapAngle(i);
        h[i] = static_cast<float>(PairTerm(t, d2, highSum) - PairTerm(t, d1, lowSum));
    }
}

}  // namespace tremvix
