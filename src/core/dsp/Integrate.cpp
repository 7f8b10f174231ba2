#include "core/dsp/Integrate.h"

#include "core/dsp/FilterSettings.h"
#include "core/dsp/Fir.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

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

bool Failed(ChannelRecord& result) {
    result.SampleCount = 0;
    result.Samples.clear();
    return false;
}

}  // namespace

bool Integrate(const ChannelRecord& source, float dt, IntegrationFilter filter,
               const float* bandPass, const float* lowPass, ChannelRecord& result) {
    const std::int32_t n = source.StoredCount();
    // Worked out in a copy of its own, so that result may be the source and a
    // failure leaves nothing half done.
    std::vector<float> w;
    try {
        w.assign(source.Samples.begin(), source.Samples.begin() + n);
    } catch (const std::bad_alloc&) {
        return Failed(result);
    }
    const float mean = n > 0 ? Mean(w.data(), n) : 0.0f;
    for (float& sample : w) {
        sample -= mean;
    }
    const float* set = ChosenSet(filter, bandPass, lowPass);
    if (n > 0 && set != nullptr && !ApplyFir(FilterSettings::kCoefficients, set, w.data(), n)) {
        return Failed(result);
    }
    RectangleRule(w.data(), n, dt);
    CopyText(source, result);
    result.SampleCount = n;
    result.Samples = std::move(w);
    return true;
}

}  // namespace tremvix
