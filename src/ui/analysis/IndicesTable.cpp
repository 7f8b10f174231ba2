#include "ui/analysis/IndicesTable.h"

#include "core/analysis/SpectrumIntensity.h"
#include "core/data/ChannelRecord.h"
#include "ui/analysis/TableText.h"
#include "ui/base/CNumberFormat.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace {

// The channel's record with its samples in gal.
tremvix::ChannelRecord RecordInGal(const LoadedChannel& channel) {
    tremvix::ChannelRecord gal;
    gal.Filled = channel.record->Filled;
    gal.Samples = SamplesInGal(channel);
    gal.SampleCount = static_cast<std::int32_t>(gal.Samples.size());
    return gal;
}

// pga, pga time, pgv, pgd, arias, d5-95, cav; none for a refused row or a missing duration.
std::vector<std::optional<double>> Values(const IndicesRow& row) {
    const tremvix::GroundMotionIndices& v = row.values;
    if (v.refusal) return std::vector<std::optional<double>>(7);
    return {v.pga, v.pgaTime, v.pgv, v.pgd, v.arias, v.d5_95, v.cav};
}

QString SiText(const IndicesRow& row) { return row.si ? NumberText(*row.si) : QString(); }

std::vector<QStringList> Table(const std::vector<IndicesRow>& rows, const QStringList& settings, const QStringList& header,
                               bool withSi) {
    std::vector<QStringList> table{{SettingsLine(settings)}, header};
    for (const IndicesRow& row : rows) {
        QStringList line{QString::number(row.index + 1), row.id};
        for (const std::optional<double>& value : Values(row)) line.push_back(value ? NumberText(*value) : QString());
        if (withSi) line.push_back(SiText(row));
        table.push_back(line);
    }
    return table;
}

// The SI of the samples in gal as the command line computes it: without removing the mean.
std::optional<double> SiOf(const tremvix::ChannelRecord& gal, double rate) {
    const tremvix::SiResult si = tremvix::ComputeSpectrumIntensity(gal.Samples, rate);
    return si.refusal ? std::nullopt : std::optional<double>(si.si);
}

}  // namespace

std::vector<IndicesRow> ComputeIndicesRows(const std::vector<LoadedChannel>& channels,
                                           const tremvix::IntegrationSetup& setup, double rate) {
    std::vector<IndicesRow> rows;
    for (const LoadedChannel& channel : channels) {
        if (!channel.galPerUnit || !channel.record) continue;
        const tremvix::ChannelRecord gal = RecordInGal(channel);
        rows.push_back({channel.index, channel.id, tremvix::ComputeGroundMotionIndices(gal, setup, rate), SiOf(gal, rate)});
    }
    return rows;
}

QStringList IndicesHeadings() {
    return {QStringLiteral("番号"),       QStringLiteral("ID"),        QStringLiteral("PGA (gal)"),
            QStringLiteral("時刻 (s)"),   QStringLiteral("PGV (cm/s)"), QStringLiteral("PGD (cm)"),
            QStringLiteral("Arias (cm/s)"), QStringLiteral("D5-95 (s)"), QStringLiteral("CAV (cm/s)"),
            QStringLiteral("SI (cm/s)")};
}

QStringList IndicesCells(const IndicesRow& row, double dt) {
    const std::string timeFormat = "%." + std::to_string(TimeDecimals(dt)) + "f";
    const char* const formats[7] = {"%.3f", timeFormat.c_str(), "%.3f", "%.3f", "%.3f", "%.3f", "%.3f"};
    QStringList cells{QStringLiteral("  %1").arg(row.index + 1), row.id};
    const std::vector<std::optional<double>> values = Values(row);
    for (int i = 0; i < 7; ++i) cells.push_back(values[i] ? FormattedNumber(formats[i], *values[i]) : QStringLiteral("—"));
    cells.push_back(row.si ? FormattedNumber("%.3f", *row.si) : QStringLiteral("—"));
    return cells;
}

int TimeDecimals(double dt) {
    double scaled = dt;
    for (int d = 0; d < 6; ++d, scaled *= 10.0)
        if (std::abs(scaled - std::round(scaled)) <= 1e-9 * std::max(1.0, scaled)) return d;
    return 6;
}

// The table as `tremvix --indices` writes it, then, after a blank line, the SI of each
// channel as `tremvix --si` writes it.
std::vector<QStringList> IndicesCsvRows(const std::vector<IndicesRow>& rows, const QStringList& settings) {
    std::vector<QStringList> table =
        Table(rows, settings,
              {QStringLiteral("channel"), QStringLiteral("id"), QStringLiteral("pga"), QStringLiteral("pga_time_s"),
               QStringLiteral("pgv"), QStringLiteral("pgd"), QStringLiteral("arias"), QStringLiteral("d5_95"), QStringLiteral("cav")},
              false);
    table.push_back({});
    table.push_back({QStringLiteral("channel"), QStringLiteral("id"), QStringLiteral("si")});
    for (const IndicesRow& row : rows) table.push_back({QString::number(row.index + 1), row.id, SiText(row)});
    return table;
}

std::vector<QStringList> IndicesClipboardRows(const std::vector<IndicesRow>& rows, const QStringList& settings) {
    return Table(rows, settings, IndicesHeadings(), true);
}
