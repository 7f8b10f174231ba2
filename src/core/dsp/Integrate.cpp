#include "core/dsp/Integrate.h"

#include "core/dsp/FilterSettings.h"
#include "core/dsp/Fir.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tremvix {

namespace {

// Summed upwards in single precision, divided in extended.
float Mean(const float* w, std::int32_t n) {
    float sum = 0.0f;
    for (std::int32_t i = 0; i < n; ++i) {
        sum += w[i];
    }
    return static_cast<float>(static_cast<long double>(sum) / n);
}

const float* ChosenSet(IntegrationFilter filter, const float* bandPass, const float* lowPass) {
    switch (filter) {
    case IntegrationFilter::BandPass:
        return bandPass;
    case IntegrationFilter::LowPass:
        return lowPass;
    case IntegrationFilter::None:
        break;
    }
    return nullptr;
}

// In place: w[i] becomes the sum of w[0 .. i-1] times dt.
void RectangleRule(float* w, std::int32_t n, float dt) {
    float running = 0.0f;
    for (std::int32_t i = 0; i < n; ++i) {
        const float sample = w[i];
        w[i] = running;
        running = static_cast<float>(static_cast<long double>(sample) * dt + running);
    }
}

void CopyText(const ChannelRecord& source, ChannelRecord& result) {
    if (&source == &result) {
        return;
    }
    result.Filled = source.Filled;
    std::memcpy(result.ChannelId, source.ChannelId, sizeof result.ChannelId);
    std::memcpy(result.PointName, source.PointName, sizeof result.PointName);
    std::memcpy(result.Memo, source.Memo, sizeof result.Memo);
    std::memcpy(result.Unit, source.Unit, sizeof result.Unit);
}

}  // namespace

bool Integrate(const ChannelRecord& source, float dt, IntegrationFilter filter,
               const float* bandPass, const float* lowPass, ChannelRecord& result) {
    const std::int32_t n = std::clamp(source.SampleCount, 0, kMaxSamples);
    CopyText(source, result);
    result.SampleCount = n;
    if (n == 0) {
        return true;
    }
    // The result's samples serve as the work array; memmove copes with result
    // being the source.
    float* w = result.Samples;
    std::memmove(w, source.Samples, static_cast<std::size_t>(n) * sizeof(float));

    const float mean = Mean(w, n);
    for (std::int32_t i = 0; i < n; ++i) {
        w[i] -= mean;
    }
    const float* set = ChosenSet(filter, bandPass, lowPass);
    if (set != nullptr && !ApplyFir(FilterSettings::kCoefficients, set, w, n)) {
        result.SampleCount = 0;
        return false;
    }
    RectangleRule(w, n, dt);
    return true;
}

}  // namespace tremvix
