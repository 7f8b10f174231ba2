#include "core/analysis/JmaIntensity.h"

#include "core/analysis/FourierTransformer.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <charconv>
#include <cstdlib>
#include <functional>

namespace tremvix {

namespace {

// Beyond any real intensity; keeps the decimal text and the tenths small.
constexpr double kLargestIntensity = 1.0e6;

// exp(-40) < 2^-54: 1 - exp(-x) rounds to exactly 1 from here on.
constexpr double kLowCutSaturated = 40.0;

std::optional<AnalysisRefusal> CheckInput(std::span<const float> ns, std::span<const float> ew,
                                          std::span<const float> ud, double rate) {
    auto refuse = [](AnalysisRefusalKind kind) { return std::optional<AnalysisRefusal>(AnalysisRefusal{kind}); };
    if (ns.size() != ew.size() || ns.size() != ud.size()) {
        return refuse(AnalysisRefusalKind::LengthsDiffer);
    }
    if (ns.size() < 3) {
        return refuse(AnalysisRefusalKind::TooFewSamples);
    }
    if (!std::isfinite(rate) || rate <= 0.0) {
        return refuse(AnalysisRefusalKind::BadSamplingStep);
    }
    auto finite = [](std::span<const float> x) {
        return std::all_of(x.begin(), x.end(), [](float a) { return std::isfinite(a); });
    };
    if (!finite(ns) || !finite(ew) || !finite(ud)) {
        return refuse(AnalysisRefusalKind::NonFiniteSample);
    }
    if (ns.size() < JmaA0SampleCount(rate)) {
        return refuse(AnalysisRefusalKind::RecordTooShort);
    }
    return std::nullopt;
}

// The filter at each transform frequency k rate / n, k = 0 .. n/2, divided by n
// because the inverse transform does not divide.
std::vector<double> Gains(std::size_t n, double rate) {
    std::vector<double> gains(n / 2 + 1);
    const double length = static_cast<double>(n);
    for (std::size_t k = 0; k < gains.size(); ++k) {
        gains[k] = JmaFilterGain(static_cast<double>(k) * rate / length) / length;
    }
    return gains;
}

// One component through the filter chain, in the plan's own buffers: its filtered
// samples are left in plan.Real().
void Filter(std::span<const float> component, const std::vector<double>& gains, const FourierPlan& plan) {
    std::copy(component.begin(), component.end(), plan.Real().begin());
    plan.Forward();
    const std::span<std::complex<double>> spectrum = plan.Spectrum();
    for (std::size_t k = 0; k < spectrum.size(); ++k) {
        spectrum[k] *= gains[k];
    }
    plan.Inverse();
}

// sqrt(a^2 + b^2 + c^2) of the three filtered components, summed in that order.
std::vector<double> VectorSum(std::span<const float> ns, std::span<const float> ew, std::span<const float> ud,
                              const std::vector<double>& gains, FourierTransformer& transformer) {
    const FourierPlan plan = transformer.PlanFor(ns.size());
    const std::span<const double> x = plan.Real();
    std::vector<double> sum(ns.size());
    Filter(ns, gains, plan);
    for (std::size_t i = 0; i < sum.size(); ++i) sum[i] = x[i] * x[i];
    Filter(ew, gains, plan);
    for (std::size_t i = 0; i < sum.size(); ++i) sum[i] = sum[i] + x[i] * x[i];
    Filter(ud, gains, plan);
    for (std::size_t i = 0; i < sum.size(); ++i) sum[i] = std::sqrt(sum[i] + x[i] * x[i]);
    return sum;
}

// The count-th largest value: the count largest kept in a heap with the smallest
// on top, far cheaper than ordering the whole record for the few dozen wanted.
double LargestOf(std::span<const double> values, std::size_t count) {
    if (count == 0 || values.size() < count) {
        return 0.0;
    }
    std::vector<double> largest(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(count));
    std::make_heap(largest.begin(), largest.end(), std::greater<>());
    for (const double v : values.subspan(count)) {
        if (v > largest.front()) {
            std::pop_heap(largest.begin(), largest.end(), std::greater<>());
            largest.back() = v;
            std::push_heap(largest.begin(), largest.end(), std::greater<>());
        }
    }
    return largest.front();
}

std::string TenthsText(int tenths) {
    const int magnitude = std::abs(tenths);
    return (tenths < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10);
}

}  // namespace

double JmaFilterGain(double frequency) {
    if (!(frequency > 0.0)) {
        return 0.0;
    }
    const double periodEffect = std::sqrt(1.0 / frequency);
    const double y = frequency / 10.0;
    const double y2 = y * y;
    const double polynomial =
        1.0 + y2 * (0.694 + y2 * (0.241 + y2 * (0.0557 + y2 * (0.009664 + y2 * (0.00134 + y2 * 0.000155)))));
    const double highCut = 1.0 / std::sqrt(polynomial);
    // Past a cube of 40, exp gives less than half a unit in the last place of 1: the
    // low cut is exactly 1, and exp, slow where it underflows, is not called.
    const double cube = (frequency / 0.5) * (frequency / 0.5) * (frequency / 0.5);
    const double lowCut = cube > kLowCutSaturated ? 1.0 : std::sqrt(1.0 - std::exp(-cube));
    return periodEffect * highCut * lowCut;
}

std::size_t JmaA0SampleCount(double rate) {
    const double samples = 0.3 * rate;
    const double nearest = std::round(samples);
    const double whole = std::abs(samples - nearest) <= 1e-9 * nearest ? nearest : std::ceil(samples);
    return whole < 1.0 ? 1 : static_cast<std::size_t>(whole);
}

double JmaA0(std::span<const double> vectorSum, double rate) {
    return LargestOf(vectorSum, JmaA0SampleCount(rate));
}

int PublishedIntensityTenths(double intensity) {
    if (!std::isfinite(intensity)) {
        return 0;
    }
    const double magnitude = std::min(std::abs(intensity), kLargestIntensity);
    // Correctly rounded and free of the locale: "<whole>.<12 digits>".
    char text[64] = {};
    std::to_chars(text, text + sizeof text - 1, magnitude, std::chars_format::fixed, 12);
    const char* point = text;
    long whole = 0;
    for (; *point != '.'; ++point) whole = whole * 10 + (*point - '0');
    const int d1 = point[1] - '0', d2 = point[2] - '0', d3 = point[3] - '0';
    const long hundredths = whole * 100 + d1 * 10 + d2 + (d3 >= 5 ? 1 : 0);
    const int tenths = static_cast<int>(hundredths / 10);
    return intensity < 0.0 ? -tenths : tenths;
}

std::string IntensityClassText(int reportedTenths) {
    if (reportedTenths < 5) return "震度0";
    if (reportedTenths < 15) return "震度1";
    if (reportedTenths < 25) return "震度2";
    if (reportedTenths < 35) return "震度3";
    if (reportedTenths < 45) return "震度4";
    if (reportedTenths < 50) return "震度5弱";
    if (reportedTenths < 55) return "震度5強";
    if (reportedTenths < 60) return "震度6弱";
    if (reportedTenths < 65) return "震度6強";
    return "震度7";
}

JmaIntensity ComputeJmaIntensity(std::span<const float> ns, std::span<const float> ew, std::span<const float> ud,
                                 double rate, FourierTransformer& transformer) {
    JmaIntensity result;
    result.refusal = CheckInput(ns, ew, ud, rate);
    if (result.refusal) {
        return result;
    }
    const std::vector<double> gains = Gains(ns.size(), rate);
    result.a0 = LargestOf(VectorSum(ns, ew, ud, gains, transformer), JmaA0SampleCount(rate));
    if (!(result.a0 > 0.0)) {
        result = JmaIntensity{};
        result.refusal = AnalysisRefusal{AnalysisRefusalKind::NoMotion};
        return result;
    }
    result.intensity = 2.0 * std::log10(result.a0) + 0.94;
    result.reportedTenths = PublishedIntensityTenths(result.intensity);
    result.reported = TenthsText(result.reportedTenths);
    result.intensityClass = IntensityClassText(result.reportedTenths);
    return result;
}

JmaIntensity ComputeJmaIntensity(std::span<const float> ns, std::span<const float> ew, std::span<const float> ud,
                                 double rate) {
    FourierTransformer transformer;
    return ComputeJmaIntensity(ns, ew, ud, rate, transformer);
}

}  // namespace tremvix
