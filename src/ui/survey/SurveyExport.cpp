#include "ui/survey/SurveyExport.h"

#include "core/survey/SurveyText.h"

namespace {

// As every export of the program begins: "# " and the settings joined by "; ".
QByteArray FirstLine(const QStringList& settings) { return (QStringLiteral("# ") + settings.join(QStringLiteral("; "))).toUtf8() + '\n'; }

}  // namespace

QStringList SurveySettings() {
    return {QStringLiteral("survey of records"),
            QStringLiteral("units=gal (pga; sa); cm/s (pgv_h; lpgm_sva; si_h); s (lpgm_period_s); degrees (latitude; longitude)"),
            QStringLiteral("pga=peak of the record less its mean (as --indices)"),
            QStringLiteral("pgv_h=peak velocity of the record less its mean; the larger of NS and EW"),
            QStringLiteral("intensity=JMA instrumental seismic intensity of NS; EW and UD"),
            QStringLiteral("lpgm=JMA long-period ground-motion class; damping=0.05; mean_removed=no"),
            QStringLiteral("si_h=(1/2.4)·∫Sv dT over 0.1-2.5 s; damping=0.20; mean_removed=no; the larger of NS and EW"),
            QStringLiteral("sa=absolute acceleration response; damping=0.05; mean_removed=no; the larger of NS and EW")};
}

QString SurveyConventionsText() {
    return QStringLiteral(
        "単位: PGA・sa は gal、PGV・SI・Sva は cm/s、周期は s。PGA・PGV は記録から平均値を除いて計算（--indices と同じ）\n"
        "sa: 絶対加速度応答 h = 0.05、SI: 相対速度応答 h = 0.20 で (1/2.4)·∫Sv dT（0.1〜2.5 秒）、"
        "長周期地震動階級: h = 0.05（いずれも平均値は除かず、NS・EW の大きい方）");
}

QByteArray SurveyRowsCsv(const std::vector<tremvix::SurveyRow>& rows) {
    std::string text = tremvix::SurveyHeaderLine();
    for (const tremvix::SurveyRow& row : rows) text += tremvix::SurveyRowLine(row);
    return FirstLine(SurveySettings()) + QByteArray::fromStdString(text);
}

QByteArray SurveyFailuresCsv(const std::vector<SurveyFailure>& failures) {
    std::string text = tremvix::FailureHeaderLine();
    for (const SurveyFailure& failure : failures) text += tremvix::FailureLine(failure.record, failure.reason);
    return FirstLine({QStringLiteral("records the survey could not read")}) + QByteArray::fromStdString(text);
}
