#include "ui/analysis/HorizontalChoice.h"

#include "core/analysis/ComponentRoles.h"

#include <algorithm>

namespace {

LongPeriodOutcome Refused(const QString& text) { return {std::nullopt, text, QStringLiteral("選択エラー")}; }

const LoadedChannel* ChannelAt(const std::vector<LoadedChannel>& channels, int k) {
    return k >= 0 && k < static_cast<int>(channels.size()) ? &channels[k] : nullptr;
}

const IndicesRow* RowOf(const std::vector<IndicesRow>& rows, int index) {
    const auto found = std::find_if(rows.begin(), rows.end(), [index](const IndicesRow& r) { return r.index == index; });
    return found == rows.end() ? nullptr : &*found;
}

}  // namespace

std::optional<ComponentPicks> FindHorizontals(const std::vector<LoadedChannel>& channels) {
    std::vector<tremvix::ChannelNames> names;
    for (const LoadedChannel& c : channels) names.push_back({c.id.toStdString(), c.name.toStdString(), c.galPerUnit.has_value()});
    const auto found = tremvix::FindTwoHorizontals(names);
    if (!found) return std::nullopt;
    return ComponentPicks{channels[(*found)[0]].index, channels[(*found)[1]].index, -1};
}

LongPeriodOutcome ComputeLongPeriodOf(const std::vector<LoadedChannel>& channels, int ns, int ew, double rate) {
    const auto accelerations = std::count_if(channels.begin(), channels.end(), [](const LoadedChannel& c) { return c.galPerUnit.has_value(); });
    if (accelerations < 2) return Refused(QStringLiteral("長周期地震動階級の計算には水平2成分（NS・EW）の加速度が必要です"));
    const LoadedChannel* picked[2] = {ChannelAt(channels, ns), ChannelAt(channels, ew)};
    if (!picked[0] || !picked[1]) return Refused(QStringLiteral("NS・EWの成分を選んでください"));
    if (ns == ew) return Refused(QStringLiteral("同じチャンネルがNSとEWに選ばれています"));
    if (!picked[0]->galPerUnit || !picked[1]->galPerUnit) return Refused(QStringLiteral("加速度でないチャンネルが選ばれています"));
    tremvix::LongPeriodResult result =
        tremvix::ComputeLongPeriodClass(SamplesInGal(*picked[0]), SamplesInGal(*picked[1]), rate);
    if (result.refusal)
        return {std::nullopt, QString::fromStdString(tremvix::AnalysisRefusalText(*result.refusal)).trimmed(),
                QString::fromStdString(tremvix::AnalysisRefusalCaption(*result.refusal))};
    return {std::move(result), QString(), QString()};
}

std::optional<HorizontalSi> LargerHorizontalSi(const std::vector<IndicesRow>& rows, int ns, int ew) {
    const IndicesRow* a = RowOf(rows, ns);
    const IndicesRow* b = RowOf(rows, ew);
    if (ns == ew || !a || !b || !a->si || !b->si) return std::nullopt;
    return *b->si > *a->si ? HorizontalSi{*b->si, ew} : HorizontalSi{*a->si, ns};
}

QString LongPeriodClassText(int level) { return QStringLiteral("長周期地震動階級%1").arg(level); }

QString LongPeriodBandName(int band) { return QStringLiteral("%1秒台").arg(band + 1); }
