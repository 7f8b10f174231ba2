#include "core/dsp/FilterSettings.h"

#include "core/dsp/FirDesign.h"

#include <cmath>

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

FilterSettings FilterSettings::AtRate(std::int32_t rate) {
    FilterSettings filters;
    filters.StartUp();
    if (filters.SamplingRate != rate) {
        filters.SamplingRate = rate;
        filters.Recompute();
    }
    return filters;
}

std::optional<std::int32_t> WholeHertz(double rate) {
    constexpr double kHighestRate = 1000000.0;
    const double rounded = std::round(rate);
    if (!(rounded >= 1.0) || rounded > kHighestRate) return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

}  // namespace tremvix
