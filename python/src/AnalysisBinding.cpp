// The analyses of the command line on numpy arrays; the GIL is released while they run.
#include "Bindings.h"

#include "core/analysis/FourierSpectrum.h"
#include "core/analysis/FourierTransformer.h"
#include "core/analysis/GroundMotionIndices.h"
#include "core/analysis/JmaIntensity.h"
#include "core/analysis/LongPeriodGroundMotion.h"
#include "core/analysis/ParzenSmoothing.h"
#include "core/analysis/ResponseSpectrum.h"
#include "core/analysis/RotatedSpectrum.h"
#include "core/analysis/SpectrumIntensity.h"
#include "core/data/ChannelRecord.h"
#include "core/dsp/ChannelConversion.h"
#include "core/dsp/FilterSettings.h"
#include "core/export/CsvText.h"

#include <pybind11/stl.h>

#include <cmath>
#include <optional>
#include <vector>

namespace tremvix::python {
namespace {

// Refusals that come from the arguments rather than from the samples.
bool IsArgumentFault(AnalysisRefusalKind kind) {
    switch (kind) {
    case AnalysisRefusalKind::BadSamplingStep:
    case AnalysisRefusalKind::BadPeriod:
    case AnalysisRefusalKind::PeriodTooShort:
    case AnalysisRefusalKind::BadDamping:
    case AnalysisRefusalKind::BadBandwidth:
    case AnalysisRefusalKind::BadBand:
    case AnalysisRefusalKind::BadTaper:
    case AnalysisRefusalKind::LengthsDiffer:
        return true;
    default:
        return false;
    }
}

void ThrowIfRefused(const std::optional<AnalysisRefusal>& refusal) {
    if (!refusal) return;
    const std::string text = MessageText(AnalysisRefusalText(*refusal));
    if (IsArgumentFault(refusal->kind)) throw py::value_error(text);
    throw RecordRefused(text);
}

void CheckRate(double rate) {
    if (!std::isfinite(rate) || rate <= 0.0) throw py::value_error("rate_hz must be a positive number of Hz");
}

py::array_t<double> Array(const std::vector<double>& values) {
    return py::array_t<double>(static_cast<py::ssize_t>(values.size()), values.data());
}

py::dict ResponseSpectrum(const FloatArray& acceleration, double rate, const std::vector<double>& dampings,
                          const std::optional<std::vector<double>>& periods) {
    CheckRate(rate);
    ResponseSpectrumOptions options;
    options.dampings = dampings;
    if (periods) {
        options.defaultPeriods = false;
        options.extraPeriods = *periods;
    }
    ResponseSpectrumResult result;
    {
        py::gil_scoped_release unlocked;
        result = ComputeResponseSpectrum(SpanOf(acceleration), 1.0 / rate, options);
    }
    ThrowIfRefused(result.refusal);
    std::vector<double> columns[7];
    for (const DampingSpectrum& spectrum : result.spectra)
        for (const SpectrumValues& v : spectrum.values) {
            const double row[7] = {spectrum.damping, v.period, v.sd, v.sv, v.sa, v.psv, v.psa};
            for (int c = 0; c < 7; ++c) columns[c].push_back(row[c]);
        }
    py::dict table;
    const char* names[7] = {"damping", "period_s", "sd", "sv", "sa", "psv", "psa"};
    for (int c = 0; c < 7; ++c) table[names[c]] = Array(columns[c]);
    return table;
}

py::dict Fourier(const FloatArray& samples, double rate, std::optional<double> smoothing) {
    CheckRate(rate);
    FourierSpectrum spectrum;
    std::optional<AnalysisRefusal> refusal;
    {
        py::gil_scoped_release unlocked;
        FourierTransformer transformer;
        spectrum = ComputeFourierSpectrum(SpanOf(samples), 1.0 / rate, {}, transformer);
        refusal = spectrum.refusal;
        if (!refusal && smoothing) {
            SmoothedSpectrum smoothed = SmoothParzen(spectrum.amplitudes, spectrum.frequencyStep, *smoothing, transformer);
            refusal = smoothed.refusal;
            spectrum.amplitudes = std::move(smoothed.amplitudes);
        }
    }
    ThrowIfRefused(refusal);
    py::dict table;
    table["frequency_hz"] = Array(spectrum.frequencies);
    table["amplitude"] = Array(spectrum.amplitudes);
    return table;
}

py::dict Intensity(const FloatArray& ns, const FloatArray& ew, const FloatArray& ud, double rate) {
    CheckRate(rate);
    JmaIntensity intensity;
    {
        py::gil_scoped_release unlocked;
        intensity = ComputeJmaIntensity(SpanOf(ns), SpanOf(ew), SpanOf(ud), rate);
    }
    ThrowIfRefused(intensity.refusal);
    py::dict result;
    result["a0"] = intensity.a0;
    result["intensity"] = intensity.intensity;
    result["reported"] = intensity.reported;
    result["class"] = intensity.intensityClass;
    return result;
}

IntegrationFilter FilterNamed(const std::string& name) {
    if (name == "bandpass") return IntegrationFilter::BandPass;
    if (name == "lowpass") return IntegrationFilter::LowPass;
    if (name == "none") return IntegrationFilter::None;
    throw py::value_error("integration must be \"bandpass\", \"lowpass\" or \"none\", not \"" + name + "\"");
}

py::dict Indices(const FloatArray& acceleration, double rate, const std::string& integration) {
    CheckRate(rate);
    const IntegrationFilter filter = FilterNamed(integration);
    // The integration is the main window's: its filter sets for its whole-number rate.
    const std::optional<std::int32_t> wholeRate = WholeHertz(rate);
    if (!wholeRate) throw py::value_error("サンプリング振動数 " + ShortestText(rate) + " Hz では描画も積分もできません");
    GroundMotionIndices x;
    {
        py::gil_scoped_release unlocked;
        const FilterSettings filters = FilterSettings::AtRate(*wholeRate);
        const IntegrationSetup setup = IntegrationSetupOf(filters, filter);
        x = ComputeGroundMotionIndices(
            FilledRecord(std::vector<float>(acceleration.data(), acceleration.data() + acceleration.size())), setup, rate);
    }
    ThrowIfRefused(x.refusal);
    py::dict result;
    result["pga"] = x.pga;
    result["pga_time_s"] = x.pgaTime;
    result["pgv"] = x.pgv;
    result["pgd"] = x.pgd;
    result["arias"] = x.arias;
    result["d5_95"] = x.d5_95 ? py::cast(*x.d5_95) : py::none();
    result["cav"] = x.cav;
    return result;
}

py::dict Lpgm(const FloatArray& ns, const FloatArray& ew, double rate) {
    CheckRate(rate);
    LongPeriodResult result;
    {
        py::gil_scoped_release unlocked;
        result = ComputeLongPeriodClass(SpanOf(ns), SpanOf(ew), rate);
    }
    ThrowIfRefused(result.refusal);
    std::vector<double> periods, sva;
    std::vector<int> levels;
    for (const LongPeriodRow& row : result.rows) {
        periods.push_back(row.period);
        sva.push_back(row.sva);
        levels.push_back(row.level);
    }
    py::dict table;
    table["period_s"] = Array(periods);
    table["sva"] = Array(sva);
    table["class"] = py::array_t<int>(static_cast<py::ssize_t>(levels.size()), levels.data());
    table["record_class"] = result.level;
    return table;
}

double Si(const FloatArray& acceleration, double rate) {
    CheckRate(rate);
    SiResult result;
    {
        py::gil_scoped_release unlocked;
        result = ComputeSpectrumIntensity(SpanOf(acceleration), rate);
    }
    ThrowIfRefused(result.refusal);
    return result.si;
}

py::dict Rotd(const FloatArray& a, const FloatArray& b, double rate, double damping,
              const std::optional<std::vector<double>>& periods) {
    CheckRate(rate);
    RotatedSpectrumOptions options;
    options.damping = damping;
    if (periods) {
        if (periods->empty()) throw py::value_error("periods is empty");
        options.periods = *periods;
    }
    RotatedSpectrumResult result;
    {
        py::gil_scoped_release unlocked;
        result = ComputeRotatedSpectrum(SpanOf(a), SpanOf(b), rate, options);
    }
    ThrowIfRefused(result.refusal);
    std::vector<double> columns[7];
    std::vector<int> angles;
    for (const RotatedSpectrumRow& row : result.rows) {
        const double values[7] = {row.period, row.psaA, row.psaB, row.rotd00, row.rotd50, row.rotd100, row.gmroti50};
        for (int c = 0; c < 7; ++c) columns[c].push_back(values[c]);
        angles.push_back(row.angle100);
    }
    py::dict table;
    const char* names[7] = {"period_s", "psa_a", "psa_b", "rotd00", "rotd50", "rotd100", "gmroti50"};
    for (int c = 0; c < 7; ++c) table[names[c]] = Array(columns[c]);
    table["angle100_deg"] = py::array_t<int>(static_cast<py::ssize_t>(angles.size()), angles.data());
    return table;
}

}  // namespace

void DefineAnalyses(py::module_& module) {
    using py::arg;
    module.def("response_spectrum", &ResponseSpectrum, arg("acceleration"), arg("rate_hz"), arg("dampings"),
               arg("periods") = py::none());
    module.def("fourier", &Fourier, arg("samples"), arg("rate_hz"), arg("smooth") = py::none());
    module.def("jma_intensity", &Intensity, arg("ns"), arg("ew"), arg("ud"), arg("rate_hz"));
    module.def("indices", &Indices, arg("acceleration"), arg("rate_hz"), arg("integration") = "bandpass");
    module.def("lpgm", &Lpgm, arg("ns"), arg("ew"), arg("rate_hz"));
    module.def("si", &Si, arg("acceleration"), arg("rate_hz"));
    module.def("rotd", &Rotd, arg("a"), arg("b"), arg("rate_hz"), arg("damping") = kDefaultDamping,
               arg("periods") = py::none());
}

}  // namespace tremvix::python
