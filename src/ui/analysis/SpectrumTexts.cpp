#include "ui/analysis/SpectrumTexts.h"

#include "ui/analysis/LogPlotGeometry.h"
#include "ui/analysis/RotdPlot.h"
#include "ui/analysis/SpectrumPlot.h"
#include "ui/analysis/TableText.h"
#include "ui/base/CNumberFormat.h"

#include <QStringList>

namespace {

bool ByPeriod(SpectrumKind kind) { return kind == SpectrumKind::Response || kind == SpectrumKind::RotD; }

// "T = 0.320 s" or "f = 1.234 Hz".
QString Abscissa(const SpectrumPlot& plot, double x) {
    return ByPeriod(plot.kind) ? QStringLiteral("T = ") + FormattedNumber("%.3f", x) + QStringLiteral(" s")
                                               : QStringLiteral("f = ") + FormattedNumber("%.3f", x) + QStringLiteral(" Hz");
}

// "523.4 gal", the value with the plot's unit.
QString Value(const SpectrumPlot& plot, double y) {
    const QString number = FormattedNumber("%.4g", y);
    return plot.unitY.isEmpty() ? number : number + QLatin1Char(' ') + plot.unitY;
}

// "Sa " for response spectra (and "pSa " for RotD): the quantity drawn, the first word of the y title.
QString Quantity(const SpectrumPlot& plot) {
    if (!ByPeriod(plot.kind)) return {};
    return plot.titleY.section(QLatin1Char(' '), 0, 0) + QLatin1Char(' ');
}

}  // namespace

QString PeakText(const SpectrumPlot& plot) {
    QStringList lines;
    if (!plot.note.isEmpty()) lines.push_back(plot.note);
    for (const SpectrumCurve& curve : plot.curves) {
        if (!curve.peakX) continue;
        lines.push_back(curve.name + QStringLiteral(": 最大 ") + Quantity(plot) + Value(plot, curve.peakY) +
                        QStringLiteral(" (") + Abscissa(plot, *curve.peakX) + QLatin1Char(')'));
    }
    return lines.join(QLatin1Char('\n'));
}

QString ReadoutText(const SpectrumPlot& plot, double x) {
    QStringList lines{Abscissa(plot, x)};
    for (const SpectrumCurve& curve : plot.curves) {
        const std::optional<double> y = ValueAt(curve.x, curve.y, x);
        lines.push_back(curve.name + QStringLiteral(": ") + (y ? Quantity(plot) + Value(plot, *y) : QStringLiteral("—")));
    }
    return lines.join(QLatin1Char('\n'));
}

QStringList SpectrumSettings(const SpectrumRequest& request, double rate, const std::vector<LoadedChannel>& channels) {
    if (request.kind == SpectrumKind::RotD) return RotdSettings(channels, request, rate);
    const auto yesNo = [](bool on) { return on ? QStringLiteral("yes") : QStringLiteral("no"); };
    const auto parzen = [](double bandwidth) {
        return bandwidth > 0.0 ? QStringLiteral("smoothing=Parzen ") + NumberText(bandwidth) + QStringLiteral(" Hz")
                               : QStringLiteral("smoothing=none");
    };
    static const char* const kQuantities[5] = {"Sa", "Sv", "Sd", "pSv", "pSa"};
    QStringList settings;
    if (request.kind == SpectrumKind::Response) {
        QStringList dampings;
        for (const double h : request.dampings) dampings << NumberText(h);
        settings << QStringLiteral("response spectrum") << QStringLiteral("filter=none")
                 << QStringLiteral("drawn=") + QString::fromLatin1(kQuantities[static_cast<int>(request.quantity)])
                 << QStringLiteral("damping=") + dampings.join(QLatin1Char(' ')) << QStringLiteral("smoothing=none")
                 << QStringLiteral("mean_removed=no");
    } else {
        const bool ratio = request.kind == SpectrumKind::Ratio;
        settings << (ratio ? QStringLiteral("spectral ratio") : QStringLiteral("Fourier spectrum")) << QStringLiteral("filter=none")
                 << parzen(ratio ? request.ratioSmoothing : request.smoothing)
                 << QStringLiteral("mean_removed=") + yesNo(request.fourier.removeMean)
                 << QStringLiteral("taper=") + NumberText(request.fourier.taperFraction)
                 << QStringLiteral("padded_to_power_of_two=") + yesNo(request.fourier.padToPowerOfTwo);
        if (ratio)
            settings << QStringLiteral("peak_band_hz=") + NumberText(request.bandLow) + QLatin1Char(' ') + NumberText(request.bandHigh);
    }
    settings << QStringLiteral("rate_hz=") + NumberText(rate);
    return settings;
}
