#include "ui/analysis/IndicesExport.h"

#include "core/analysis/SpectrumIntensity.h"
#include "ui/analysis/TableText.h"

namespace {

struct Headings {
    QStringList summary;
    QStringList periods;
};

QString ChannelNumber(int index) { return index >= 0 ? QString::number(index + 1) : QString(); }

QStringList SummaryLine(const HorizontalProducts& p) {
    QStringList line{ChannelNumber(p.picks[0]), ChannelNumber(p.picks[1])};
    line.push_back(p.longPeriod ? QString::number(p.longPeriod->level) : QString());
    for (int b = 0; b < tremvix::kLongPeriodBands; ++b)
        line.push_back(p.longPeriod ? QString::number(p.longPeriod->bandLevels[static_cast<std::size_t>(b)]) : QString());
    line.push_back(p.si ? NumberText(p.si->si) : QString());
    line.push_back(p.si ? QString::fromStdString(tremvix::SiIntensityGuide(p.si->si)) : QString());
    return line;
}

std::vector<QStringList> Rows(const HorizontalProducts& p, const Headings& headings) {
    std::vector<QStringList> rows{{}, headings.summary, SummaryLine(p)};
    if (!p.longPeriod) return rows;
    rows.push_back({});
    rows.push_back(headings.periods);
    for (const tremvix::LongPeriodRow& row : p.longPeriod->rows)
        rows.push_back({NumberText(row.period), NumberText(row.sva), QString::number(row.level)});
    return rows;
}

QStringList BandHeadings(const QString& prefix, const QString& suffix) {
    QStringList names;
    for (int b = 0; b < tremvix::kLongPeriodBands; ++b) names.push_back(prefix + QString::number(b + 1) + suffix);
    return names;
}

}  // namespace

std::vector<QStringList> HorizontalCsvRows(const HorizontalProducts& products) {
    const QStringList summary = QStringList{QStringLiteral("ns_channel"), QStringLiteral("ew_channel"), QStringLiteral("lpgm_class")} +
                                BandHeadings(QStringLiteral("class_"), QStringLiteral("s")) +
                                QStringList{QStringLiteral("si_h"), QStringLiteral("si_intensity_guide")};
    return Rows(products, {summary, {QStringLiteral("period_s"), QStringLiteral("sva"), QStringLiteral("class")}});
}

std::vector<QStringList> HorizontalClipboardRows(const HorizontalProducts& products) {
    const QStringList summary = QStringList{QStringLiteral("NS"), QStringLiteral("EW"), QStringLiteral("長周期地震動階級")} +
                                BandHeadings(QString(), QStringLiteral("秒台")) +
                                QStringList{QStringLiteral("SI 水平 (cm/s)"), QStringLiteral("震度の目安")};
    return Rows(products,
                {summary, {QStringLiteral("周期 (s)"), QStringLiteral("Sva (cm/s)"), QStringLiteral("階級")}});
}
