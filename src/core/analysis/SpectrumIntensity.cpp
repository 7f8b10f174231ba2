#include "core/analysis/SpectrumIntensity.h"

#include "core/analysis/ResponseSpectrum.h"

namespace tremvix {

std::vector<double> SiPeriods(int intervals) {
    std::vector<double> periods(static_cast<std::size_t>(intervals) + 1);
    for (int i = 0; i <= intervals; ++i)
        periods[static_cast<std::size_t>(i)] = kSiFirstPeriod + (kSiLastPeriod - kSiFirstPeriod) * i / intervals;
    periods.back() = kSiLastPeriod;
    return periods;
}

SiResult ComputeSpectrumIntensity(std::span<const float> acceleration, double rate, int intervals) {
    SiResult result;
    if (intervals < 1) {
        result.refusal = AnalysisRefusal{AnalysisRefusalKind::BadPeriod};
        return result;
    }
    ResponseSpectrumOptions options;
    options.dampings = {kSiDamping};
    options.defaultPeriods = false;
    options.extraPeriods = SiPeriods(intervals);
    const ResponseSpectrumResult spectrum = ComputeResponseSpectrum(acceleration, 1.0 / rate, options);
    if (spectrum.refusal) {
        result.refusal = spectrum.refusal;
        return result;
    }
    const std::vector<SpectrumValues>& values = spectrum.spectra.front().values;
    double sum = 0.0;
    for (std::size_t i = 0; i + 1 < values.size(); ++i) sum += values[i].sv + values[i + 1].sv;
    const double h = (kSiLastPeriod - kSiFirstPeriod) / intervals;
    result.si = sum * h / 2.0 / 2.4;
    return result;
}

std::string SiIntensityGuide(double si) {
    struct Step {
        double from;
        const char* intensity;
    };
    static constexpr Step kSteps[] = {{120.0, "7"}, {70.0, "6強"}, {40.0, "6弱"}, {20.0, "5強"},
                                      {10.0, "5弱"}, {4.0, "4"},    {1.0, "3"}};
    for (const Step& step : kSteps)
        if (si >= step.from) return step.intensity;
    return "2以下";
}

}  // namespace tremvix
