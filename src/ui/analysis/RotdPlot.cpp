#include "ui/analysis/RotdPlot.h"

#include "core/analysis/RotatedSpectrum.h"
#include "ui/analysis/TableText.h"
#include "ui/base/CNumberFormat.h"

namespace {

const LoadedChannel* ChannelAt(const std::vector<LoadedChannel>& channels, int k) {
    return k >= 0 && k < static_cast<int>(channels.size()) ? &channels[k] : nullptr;
}

// The unit the values are given in and its size in gal.
struct OutputUnit {
    QString name;
    double gal = 1.0;
};

OutputUnit UnitOf(const LoadedChannel& a, const LoadedChannel& b) {
    if (a.unit == b.unit && a.galPerUnit == b.galPerUnit && a.galPerUnit) return {a.unit, *a.galPerUnit};
    return {QStringLiteral("gal"), 1.0};
}

// "1: ACC-NS" without commas: the settings line stays one CSV field.
QString SettingText(const LoadedChannel& channel) { return ChannelLabel(channel).replace(QLatin1Char(','), QLatin1Char(' ')); }

QString DampingText(double h) { return QStringLiteral("h=") + FormattedNumber("%g", h * 100.0) + QStringLiteral("%"); }

SpectrumCurve Curve(const QString& name, const std::vector<double>& periods, std::vector<double> values, int slot, int variant) {
    SpectrumCurve curve{name, periods, std::move(values), std::nullopt, 0.0, slot, variant};
    if (const auto i = PeakIndex(curve.x, curve.y)) {
        curve.peakX = curve.x[*i];
        curve.peakY = curve.y[*i];
    }
    return curve;
}

// "PGA（回転）: RotD50 312.5 gal, RotD100 340.1 gal (θ = 37°)".
QString PgaNote(const tremvix::RotatedSpectrumRow& row, const OutputUnit& unit) {
    const auto value = [&](double v) { return FormattedNumber("%.4g", v / unit.gal) + QLatin1Char(' ') + unit.name; };
    return QStringLiteral("PGA（回転）: RotD50 ") + value(row.rotd50) + QStringLiteral(", RotD100 ") + value(row.rotd100) +
           QStringLiteral(" (θ = ") + QString::number(row.angle100) + QStringLiteral("°)");
}

// The table of the command line: period_s, psa_a, psa_b, rotd00, rotd50, rotd100, angle100_deg, gmroti50.
void SetColumns(SpectrumPlot& plot, const std::vector<tremvix::RotatedSpectrumRow>& rows, double gal) {
    static const char* const kTitles[7] = {"psa_a", "psa_b", "rotd00", "rotd50", "rotd100", "angle100_deg", "gmroti50"};
    plot.xColumn.title = QStringLiteral("period_s");
    for (const char* title : kTitles) plot.columns.push_back({QString::fromLatin1(title), {}});
    for (const tremvix::RotatedSpectrumRow& row : rows) {
        plot.xColumn.values.push_back(row.period);
        const double values[7] = {row.psaA / gal, row.psaB / gal, row.rotd00 / gal, row.rotd50 / gal, row.rotd100 / gal,
                                  static_cast<double>(row.angle100), row.gmroti50 / gal};
        for (int c = 0; c < 7; ++c) plot.columns[c].values.push_back(values[c]);
    }
}

}  // namespace

SpectrumPlot RotdPlot(const std::vector<LoadedChannel>& channels, const SpectrumRequest& request, double rate) {
    SpectrumPlot plot;
    plot.kind = SpectrumKind::RotD;
    plot.titleX = QStringLiteral("周期 [s]");
    plot.titleY = QStringLiteral("pSa");
    plot.xColumn.title = QStringLiteral("period_s");
    const LoadedChannel* a = ChannelAt(channels, request.horizontalA);
    const LoadedChannel* b = ChannelAt(channels, request.horizontalB);
    if (!a || !b) return plot;
    if (request.dampings.empty()) return RefusedPlot(plot, QStringLiteral("減衰定数を選んでください"));
    if (request.dampings.size() > 1) return RefusedPlot(plot, QStringLiteral("RotD の減衰定数は一つだけ選んでください"));
    if (a == b) return RefusedPlot(plot, QStringLiteral("二つの成分には異なるチャンネルを選んでください"));
    if (!a->galPerUnit || !b->galPerUnit)
        return RefusedPlot(plot, QStringLiteral("加速度でないチャンネルの RotD は計算できません"));

    tremvix::RotatedSpectrumOptions options;
    options.damping = request.dampings.front();
    const tremvix::RotatedSpectrumResult result =
        tremvix::ComputeRotatedSpectrum(SamplesInGal(*a), SamplesInGal(*b), rate, options);
    if (result.refusal) return RefusedPlot(plot, *result.refusal);
    if (result.rows.size() < 2) return plot;

    const OutputUnit unit = UnitOf(*a, *b);
    plot.unitY = unit.name;
    // The pair in the title: the picture saved or copied says which components it rotates.
    plot.titleY = QStringLiteral("pSa [") + unit.name + QStringLiteral("]   A = ") + ChannelLabel(*a) + QStringLiteral(", B = ") +
                  ChannelLabel(*b);
    SetColumns(plot, result.rows, unit.gal);
    // Period 0 stays in the table; the curves start at the first oscillator.
    const auto drawn = [&](const CsvColumn& column) { return std::vector<double>(column.values.begin() + 1, column.values.end()); };
    const std::vector<double> periods = drawn(plot.xColumn);
    const QString suffix = QLatin1Char(' ') + DampingText(options.damping);
    plot.curves.push_back(Curve(QStringLiteral("RotD100") + suffix, periods, drawn(plot.columns[4]), kRotd100Slot, 0));
    plot.curves.push_back(Curve(QStringLiteral("RotD50") + suffix, periods, drawn(plot.columns[3]), kRotd50Slot, 0));
    if (request.rotd00)
        plot.curves.push_back(Curve(QStringLiteral("RotD00") + suffix, periods, drawn(plot.columns[2]), kRotd00Slot, 1));
    plot.note = PgaNote(result.rows.front(), unit);
    return plot;
}

QStringList RotdSettings(const std::vector<LoadedChannel>& channels, const SpectrumRequest& request, double rate) {
    QStringList dampings;
    for (const double h : request.dampings) dampings << NumberText(h);
    const LoadedChannel* a = ChannelAt(channels, request.horizontalA);
    const LoadedChannel* b = ChannelAt(channels, request.horizontalB);
    QStringList settings{QStringLiteral("RotD50/RotD100"), QStringLiteral("filter=none"),
                         QStringLiteral("damping=") + dampings.join(QLatin1Char(' ')),
                         QStringLiteral("channel_a=") + (a ? SettingText(*a) : QString()),
                         QStringLiteral("channel_b=") + (b ? SettingText(*b) : QString())};
    if (a && b) settings << QStringLiteral("unit=") + UnitOf(*a, *b).name;
    settings << QStringLiteral("psa = omega^2 Sd") << QStringLiteral("rotated 0-179 deg")
             << QStringLiteral("rate_hz=") + NumberText(rate);
    return settings;
}
