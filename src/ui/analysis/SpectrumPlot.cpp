#include "ui/analysis/SpectrumPlot.h"

#include "core/analysis/FourierSpectra.h"
#include "core/analysis/FourierTransformer.h"
#include "core/analysis/ParzenSmoothing.h"
#include "core/analysis/ResponseSpectrum.h"
#include "core/analysis/SpectralRatio.h"
#include "ui/analysis/RotdPlot.h"
#include "ui/analysis/TableText.h"
#include "ui/base/CNumberFormat.h"

#include <algorithm>
#include <array>

namespace {

std::vector<const LoadedChannel*> Picked(const std::vector<LoadedChannel>& channels, const std::vector<int>& indices) {
    std::vector<const LoadedChannel*> picked;
    for (const int k : indices)
        if (k >= 0 && k < static_cast<int>(channels.size())) picked.push_back(&channels[k]);
    return picked;
}

const LoadedChannel* ChannelAt(const std::vector<LoadedChannel>& channels, int k) {
    return k >= 0 && k < static_cast<int>(channels.size()) ? &channels[k] : nullptr;
}

bool UnitsDiffer(const std::vector<const LoadedChannel*>& picked) {
    return std::any_of(picked.begin(), picked.end(), [&](const LoadedChannel* c) { return c->unit != picked.front()->unit; });
}

bool LengthsDiffer(const std::vector<const LoadedChannel*>& picked) {
    return std::any_of(picked.begin(), picked.end(),
                       [&](const LoadedChannel* c) { return c->samples.size() != picked.front()->samples.size(); });
}

QString WithUnit(const QString& title, const QString& unit) {
    return unit.isEmpty() ? title : title + QStringLiteral(" [") + unit + QStringLiteral("]");
}

void SetPeak(SpectrumCurve& curve) {
    if (const auto i = PeakIndex(curve.x, curve.y)) {
        curve.peakX = curve.x[*i];
        curve.peakY = curve.y[*i];
    }
}

// The five peak responses of one damping, in the order sd, sv, sa, psv, psa; the
// displacements and velocities times `scale` (into the units of ResponseUnits).
std::array<std::vector<double>, 5> ResponseColumns(const tremvix::DampingSpectrum& spectrum, double scale) {
    std::array<std::vector<double>, 5> columns;
    for (const tremvix::SpectrumValues& v : spectrum.values) {
        columns[0].push_back(v.sd * scale);
        columns[1].push_back(v.sv * scale);
        columns[2].push_back(v.sa);
        columns[3].push_back(v.psv * scale);
        columns[4].push_back(v.psa);
    }
    return columns;
}

// Column of `columns` (sd, sv, sa, psv, psa) that a quantity draws.
int ColumnOf(ResponseQuantity quantity) {
    switch (quantity) {
        case ResponseQuantity::Sd: return 0;
        case ResponseQuantity::Sv: return 1;
        case ResponseQuantity::Sa: return 2;
        case ResponseQuantity::PSv: return 3;
        case ResponseQuantity::PSa: return 4;
    }
    return 2;
}

QString UnitOfColumn(const ResponseUnits& units, int column) {
    const QString byColumn[5] = {units.sd, units.sv, units.sa, units.sv, units.sa};
    return byColumn[column];
}

SpectrumPlot ResponsePlot(const std::vector<LoadedChannel>& channels, const SpectrumRequest& request, double dt) {
    static const char* const kQuantityNames[5] = {"Sd", "Sv", "Sa", "pSv", "pSa"};
    static const char* const kColumnNames[5] = {"sd", "sv", "sa", "psv", "psa"};
    SpectrumPlot plot;
    plot.kind = SpectrumKind::Response;
    const int drawn = ColumnOf(request.quantity);
    plot.titleX = QStringLiteral("周期 [s]");
    plot.titleY = QString::fromLatin1(kQuantityNames[drawn]);
    plot.xColumn.title = QStringLiteral("period_s");
    const std::vector<const LoadedChannel*> picked = Picked(channels, request.channels);
    if (picked.empty()) return plot;
    if (request.dampings.empty()) return RefusedPlot(plot, QStringLiteral("減衰定数を選んでください"));
    if (picked.size() * request.dampings.size() > kMaxSpectrumCurves)
        return RefusedPlot(plot, QStringLiteral("一度に描ける曲線は8本までです"));
    if (std::any_of(picked.begin(), picked.end(), [](const LoadedChannel* c) { return !c->galPerUnit; }))
        return RefusedPlot(plot, QStringLiteral("加速度でないチャンネルの応答スペクトルは計算できません"));
    if (UnitsDiffer(picked)) return RefusedPlot(plot, QStringLiteral("単位の異なるチャンネルは重ねて描けません"));

    const ResponseUnits units = ResponseUnitsOf(*picked.front());
    plot.unitY = UnitOfColumn(units, drawn);
    plot.titleY = WithUnit(plot.titleY, plot.unitY);
    tremvix::ResponseSpectrumOptions options;
    options.dampings = request.dampings;
    for (const LoadedChannel* channel : picked) {
        const tremvix::ResponseSpectrumResult result = tremvix::ComputeResponseSpectrum(channel->samples, dt, options);
        if (result.refusal) return RefusedPlot(plot, *result.refusal);
        plot.xColumn.values = result.periods;
        int variant = 0;
        for (const tremvix::DampingSpectrum& spectrum : result.spectra) {
            const QString name = ChannelLabel(*channel) + QStringLiteral(" h=") + FormattedNumber("%g", spectrum.damping * 100.0) +
                                 QStringLiteral("%");
            std::array<std::vector<double>, 5> columns = ResponseColumns(spectrum, units.scale);
            SpectrumCurve curve{name, result.periods, columns[drawn], std::nullopt, 0.0, channel->index, variant++};
            SetPeak(curve);
            plot.curves.push_back(std::move(curve));
            for (int q = 0; q < 5; ++q)
                plot.columns.push_back({name + QLatin1Char(' ') + QString::fromLatin1(kColumnNames[q]) +
                                            QStringLiteral(" [") + UnitOfColumn(units, q) + QStringLiteral("]"),
                                        std::move(columns[q])});
        }
    }
    return plot;
}

QString SmoothingNote(double bandwidth) {
    return bandwidth > 0.0 ? QStringLiteral(" (Parzen ") + FormattedNumber("%g", bandwidth) + QStringLiteral(" Hz)") : QString();
}

SpectrumPlot FourierPlot(const std::vector<LoadedChannel>& channels, const SpectrumRequest& request, double dt,
                         std::span<tremvix::FourierTransformer> transformers) {
    SpectrumPlot plot;
    plot.kind = SpectrumKind::Fourier;
    plot.titleX = QStringLiteral("振動数 [Hz]");
    plot.titleY = QStringLiteral("フーリエ振幅");
    plot.xColumn.title = QStringLiteral("frequency_hz");
    const std::vector<const LoadedChannel*> picked = Picked(channels, request.channels);
    if (picked.empty()) return plot;
    if (picked.size() > kMaxSpectrumCurves) return RefusedPlot(plot, QStringLiteral("一度に描ける曲線は8本までです"));
    if (UnitsDiffer(picked)) return RefusedPlot(plot, QStringLiteral("単位の異なるチャンネルは重ねて描けません"));
    if (LengthsDiffer(picked)) return RefusedPlot(plot, QStringLiteral("データ数の異なるチャンネルは重ねて描けません"));

    const QString unit = picked.front()->unit;
    plot.unitY = unit.isEmpty() ? QString() : unit + QStringLiteral("·s");
    plot.titleY = WithUnit(plot.titleY, plot.unitY);
    std::vector<std::span<const float>> samples;
    for (const LoadedChannel* channel : picked) samples.emplace_back(channel->samples);
    std::vector<tremvix::FourierSpectrum> spectra =
        tremvix::ComputeFourierSpectra(samples, dt, request.fourier, request.smoothing, transformers);
    for (std::size_t k = 0; k < picked.size(); ++k) {
        const LoadedChannel* channel = picked[k];
        tremvix::FourierSpectrum& spectrum = spectra[k];
        if (spectrum.refusal) return RefusedPlot(plot, *spectrum.refusal);
        std::vector<double> amplitudes = std::move(spectrum.amplitudes);
        // Equal lengths give every channel the same frequencies: one copy is enough.
        if (plot.xColumn.values.empty()) plot.xColumn.values = spectrum.frequencies;
        SpectrumCurve curve{ChannelLabel(*channel), std::move(spectrum.frequencies), amplitudes, std::nullopt, 0.0, channel->index, 0};
        SetPeak(curve);
        plot.columns.push_back({curve.name + QStringLiteral(" amplitude") +
                                    (plot.unitY.isEmpty() ? QString() : QStringLiteral(" [") + plot.unitY + QStringLiteral("]")) +
                                    SmoothingNote(request.smoothing),
                                std::move(amplitudes)});
        plot.curves.push_back(std::move(curve));
    }
    return plot;
}

SpectrumPlot RatioPlot(const std::vector<LoadedChannel>& channels, const SpectrumRequest& request, double dt,
                       tremvix::FourierTransformer& transformer) {
    SpectrumPlot plot;
    plot.kind = SpectrumKind::Ratio;
    plot.titleX = QStringLiteral("振動数 [Hz]");
    plot.titleY = QStringLiteral("スペクトル比");
    plot.xColumn.title = QStringLiteral("frequency_hz");
    const LoadedChannel* numerator = ChannelAt(channels, request.numerator);
    const LoadedChannel* denominator = ChannelAt(channels, request.denominator);
    if (!numerator || !denominator) return plot;

    tremvix::SpectralRatioOptions options;
    options.fourier = request.fourier;
    options.bandwidth = request.ratioSmoothing;
    options.bandLow = request.bandLow;
    options.bandHigh = request.bandHigh;
    tremvix::SpectralRatio ratio =
        tremvix::ComputeSpectralRatio(denominator->samples, numerator->samples, dt, options, transformer);
    if (ratio.refusal) return RefusedPlot(plot, *ratio.refusal);
    const QString name = ChannelLabel(*numerator) + QStringLiteral(" / ") + ChannelLabel(*denominator);
    plot.xColumn.values = ratio.frequencies;
    plot.columns.push_back({name + QStringLiteral(" ratio") + SmoothingNote(request.ratioSmoothing), ratio.ratios});
    plot.curves.push_back({name, std::move(ratio.frequencies), std::move(ratio.ratios), ratio.peakFrequency, ratio.peakRatio,
                           numerator->index, 0});
    return plot;
}

}  // namespace

SpectrumPlot RefusedPlot(SpectrumPlot plot, const QString& text) {
    plot.refusal = text + QString(5, QChar(0x3000));
    plot.refusalCaption = QStringLiteral("選択エラー");
    return plot;
}

SpectrumPlot RefusedPlot(SpectrumPlot plot, const tremvix::AnalysisRefusal& refusal) {
    plot.refusal = QString::fromStdString(tremvix::AnalysisRefusalText(refusal));
    plot.refusalCaption = QString::fromStdString(tremvix::AnalysisRefusalCaption(refusal));
    return plot;
}

SpectrumPlot ComputeSpectrumPlot(const std::vector<LoadedChannel>& channels, const SpectrumRequest& request, double rate,
                                 std::span<tremvix::FourierTransformer> transformers) {
    const double dt = 1.0 / rate;
    switch (request.kind) {
        case SpectrumKind::Response: return ResponsePlot(channels, request, dt);
        case SpectrumKind::Fourier: return FourierPlot(channels, request, dt, transformers);
        case SpectrumKind::Ratio: return RatioPlot(channels, request, dt, transformers.front());
        case SpectrumKind::RotD: return RotdPlot(channels, request, rate);
    }
    return {};
}

ResponseUnits ResponseUnitsOf(const LoadedChannel& channel) {
    const QString& a = channel.unit;
    const double factor = channel.galPerUnit.value_or(0.0);
    if (factor == 1.0) return {QStringLiteral("cm"), QStringLiteral("cm/s"), a};
    if (factor == 100.0) return {QStringLiteral("m"), QStringLiteral("m/s"), a};
    if (factor == 0.1) return {QStringLiteral("mm"), QStringLiteral("mm/s"), a};
    // "g·s²" is no length anyone reads: displacements in cm and velocities in cm/s.
    return {QStringLiteral("cm"), QStringLiteral("cm/s"), a, factor};
}

std::optional<std::size_t> PeakIndex(const std::vector<double>& x, const std::vector<double>& y) {
    std::optional<std::size_t> peak;
    for (std::size_t i = 0; i < std::min(x.size(), y.size()); ++i)
        if (x[i] > 0.0 && (!peak || y[i] > y[*peak])) peak = i;
    return peak;
}

std::vector<QStringList> SpectrumCsvRows(const SpectrumPlot& plot) {
    std::vector<QStringList> rows{{SettingsLine(plot.settings)}};
    QStringList header{plot.xColumn.title};
    for (const CsvColumn& column : plot.columns) header.push_back(column.title);
    rows.push_back(header);
    for (std::size_t i = 0; i < plot.xColumn.values.size(); ++i) {
        QStringList row{NumberText(plot.xColumn.values[i])};
        for (const CsvColumn& column : plot.columns)
            row.push_back(i < column.values.size() ? NumberText(column.values[i]) : QString());
        rows.push_back(row);
    }
    return rows;
}
