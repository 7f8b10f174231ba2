#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace tremvix {

// The sampling rate, the corner frequencies derived from it and the three
// coefficient sets designed from them. Corners are fixed fractions of the
// Nyquist frequency; LowPassRatio chooses the upper pass edge.
struct FilterSettings {
    static constexpr int kCoefficients = 300;
    using CoefficientSet = std::array<float, kCoefficients>;

    std::int32_t SamplingRate = 0;   // samples per second
    float SamplingInterval = 0.0f;   // seconds, also the integration step
    float NyquistFrequency = 0.0f;   // Hz
    float LowPassRatio = 0.0f;       // upper pass edge as a fraction of Nyquist
    float LowCutStop = 0.0f;         // Hz, band-pass stops below
    float LowCutPass = 0.0f;         // Hz, band-pass passes from
    float HighCutPass = 0.0f;        // Hz, low-pass and band-pass pass up to
    float HighCutStop = 0.0f;        // Hz, low-pass and band-pass stop from

    CoefficientSet BandPass{};
    CoefficientSet LowPass{};
    CoefficientSet TransferLowPass{};

    // 100 samples per second, ratio 0.25, all three sets designed.
    void StartUp();

    // The settings the main window has at `rate`: the start-up design, designed
    // again for another rate.
    static FilterSettings AtRate(std::int32_t rate);

    // After a change of SamplingRate or LowPassRatio: corners, band-pass and
    // low-pass sets again. The transfer set keeps its start-up design.
    // A rate that is not positive changes nothing.
    void Recompute();

private:
    void ComputeCorners();
    void DesignIntegrationSets();
};

// The filters and time axes count whole samples per second: a record's rate
// rounded, or nothing outside 1 .. 1,000,000 where no such rate is kept.
std::optional<std::int32_t> WholeHertz(double rate);

}  // namespace tremvix
