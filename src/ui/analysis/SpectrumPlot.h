#pragma once

#include "ui/analysis/LoadedChannels.h"
#include "ui/analysis/SpectrumRequest.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <span>
#include <vector>

namespace tremvix {
class FourierTransformer;
struct AnalysisRefusal;
}

// One drawn curve, x ascending (period in s or frequency in Hz).
struct SpectrumCurve {
    QString name;
    std::vector<double> x;
    std::vector<double> y;
    std::optional<double> peakX;  // where the curve's peak is marked
    double peakY = 0.0;
    int channel = 0;  // store index of the channel (the numerator of a ratio), or a RotD curve's slot: the colour
    int variant = 0;  // the curve's place among its channel's curves: the line style
};

struct CsvColumn {
    QString title;
    std::vector<double> values;
};

// What the window draws and exports; with a refusal nothing else is meaningful.
struct SpectrumPlot {
    SpectrumKind kind = SpectrumKind::Response;
    std::vector<SpectrumCurve> curves;
    QString titleX;
    QString titleY;
    QString unitY;  // of the drawn values, "" for ratios
    // The numbers for the CSV file: the x column and the value columns, of equal length.
    CsvColumn xColumn;
    std::vector<CsvColumn> columns;
    std::optional<QString> refusal;  // message text, house style
    QString refusalCaption;
    QStringList settings;  // how it was made, for the first line of its exports
    QString note;          // shown above the peaks: what the axes cannot show (RotD's period 0)
};

inline constexpr int kMaxSpectrumCurves = 8;  // one per trace colour

// Calls the core for every curve the request asks for. rate in Hz (the sample step is 1 / rate).
// Fourier spectra of several channels go side by side, one thread per transformer;
// the other kinds use the first. transformers must not be empty.
SpectrumPlot ComputeSpectrumPlot(const std::vector<LoadedChannel>& channels, const SpectrumRequest& request, double rate,
                                 std::span<tremvix::FourierTransformer> transformers);

// The plot refused: the text (house style) under the selection caption, or the core's reason.
SpectrumPlot RefusedPlot(SpectrumPlot plot, const QString& text);
SpectrumPlot RefusedPlot(SpectrumPlot plot, const tremvix::AnalysisRefusal& refusal);

// Units of the response values of an acceleration channel: cm, cm/s and gal for gal;
// cm, cm/s and g for g, its displacements and velocities scaled by 980.665 (gal per g).
struct ResponseUnits {
    QString sd;
    QString sv;
    QString sa;
    double scale = 1.0;  // sd, sv, psv as computed from the stored samples, into sd's and sv's units
};
ResponseUnits ResponseUnitsOf(const LoadedChannel& channel);

// The CSV table of a plot: its settings line ("# ..."), a header row, then one row
// per period or frequency with numbers that read back to the same doubles.
std::vector<QStringList> SpectrumCsvRows(const SpectrumPlot& plot);

// Largest y of a curve, over the points with x > 0; the first one in a tie.
std::optional<std::size_t> PeakIndex(const std::vector<double>& x, const std::vector<double>& y);
