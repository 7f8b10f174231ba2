#include "ui/analysis/IntensityChoice.h"

#include "core/analysis/ComponentRoles.h"
#include "core/analysis/FourierTransformer.h"

#include <algorithm>

namespace {

IntensityOutcome Refused(const QString& text) {
    return {std::nullopt, text + QString(5, QChar(0x3000)), QStringLiteral("選択エラー")};
}

const LoadedChannel* ChannelAt(const std::vector<LoadedChannel>& channels, int k) {
    return k >= 0 && k < static_cast<int>(channels.size()) ? &channels[k] : nullptr;
}

}  // namespace

std::optional<ComponentPicks> FindComponents(const std::vector<LoadedChannel>& channels) {
    std::vector<tremvix::ChannelNames> names;
    for (const LoadedChannel& c : channels) names.push_back({c.id.toStdString(), c.name.toStdString(), c.galPerUnit.has_value()});
    const auto found = tremvix::FindThreeComponents(names);
    if (!found) return std::nullopt;
    return ComponentPicks{channels[(*found)[0]].index, channels[(*found)[1]].index, channels[(*found)[2]].index};
}

bool AnyIntensityPossible(const std::vector<LoadedChannel>& channels) {
    return std::count_if(channels.begin(), channels.end(), [](const LoadedChannel& c) { return c.galPerUnit.has_value(); }) >= 3;
}

IntensityOutcome ComputeIntensityOf(const std::vector<LoadedChannel>& channels, const ComponentPicks& picks, double rate,
                                    tremvix::FourierTransformer& transformer) {
    if (!AnyIntensityPossible(channels)) return Refused(QStringLiteral("震度の計算には加速度のチャンネルが3つ必要です"));
    std::array<const LoadedChannel*, 3> picked{};
    for (int i = 0; i < 3; ++i) {
        picked[i] = ChannelAt(channels, picks[i]);
        if (!picked[i]) return Refused(QStringLiteral("NS・EW・UDの成分をすべて選んでください"));
    }
    if (picks[0] == picks[1] || picks[0] == picks[2] || picks[1] == picks[2])
        return Refused(QStringLiteral("同じチャンネルが2つの成分に選ばれています"));
    if (std::any_of(picked.begin(), picked.end(), [](const LoadedChannel* c) { return !c->galPerUnit; }))
        return Refused(QStringLiteral("加速度でないチャンネルが選ばれています"));
    const std::vector<float> ns = SamplesInGal(*picked[0]);
    const std::vector<float> ew = SamplesInGal(*picked[1]);
    const std::vector<float> ud = SamplesInGal(*picked[2]);
    tremvix::JmaIntensity intensity = tremvix::ComputeJmaIntensity(ns, ew, ud, rate, transformer);
    if (intensity.refusal)
        return {std::nullopt, QString::fromStdString(tremvix::AnalysisRefusalText(*intensity.refusal)),
                QString::fromStdString(tremvix::AnalysisRefusalCaption(*intensity.refusal))};
    return {std::move(intensity), QString(), QString()};
}
