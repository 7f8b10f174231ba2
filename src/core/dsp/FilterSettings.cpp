#include "core/dsp/FilterSettings.h"

#include "core/dsp/FirDesign.h"

namespace tremvix {

namespace {

constexpr long double kLowCutFraction = 0.01L;
constexpr long double kTransitionFactor = 1.5L;
constexpr long double kTransferFraction = 1.0L / 3.0L;
constexpr std::int32_t kStartSamplingRate = 100;
constexpr float kStartLowPassRatio = 0.25f;

// Every product is formed in extended precision and kept as single.
float Times(float value, long double factor) {
    return static_cast<float>(value * factor);
}

}  // namespace

void FilterSettings::ComputeCorners() {
    SamplingInterval = static_cast<float>(1.0L / SamplingRate);
    NyquistFrequency = static_cast<float>((1.0L / SamplingInterval) * 0.5L);
    LowCutStop = Times(NyquistFrequency, kLowCutFraction);
    LowCutPass = Times(LowCutStop, kTransitionFactor);
    HighCutPass = Times(NyquistFrequency, LowPassRatio);
    HighCutStop = Times(HighCutPass, kTransitionFactor);
}

void FilterSettings::DesignIntegrationSets() {
    DesignLowPass(kCoefficients, LowPass.data(), SamplingInterval, HighCutStop, HighCutPass);
    DesignBandPass(kCoefficients, BandPass.data(), SamplingInterval, HighCutStop, HighCutPass,
                   LowCutStop, LowCutPass);
}

void FilterSettings::StartUp() {
    SamplingRate = kStartSamplingRate;
    LowPassRatio = kStartLowPassRatio;
    ComputeCorners();
    DesignIntegrationSets();
    DesignLowPass(kCoefficients, TransferLowPass.data(), SamplingInterval,
                  Times(HighCutStop, kTransferFraction), Times(HighCutPass, kTransferFraction));
}

void FilterSettings::Recompute() {
    if (SamplingRate <= 0) {
        return;  // no interval to design for; keep the sets that work
    }
    ComputeCorners();
    DesignIntegrationSets();
}

}  // namespace tremvix
