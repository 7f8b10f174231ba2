// --intensity: the JMA instrumental seismic intensity of three components.
#include "cli/Commands.h"
#include "cli/CsvOutput.h"
#include "core/analysis/ComponentRoles.h"
#include "core/analysis/JmaIntensity.h"

#include <algorithm>
#include <array>

namespace tremvix::cli {
namespace {

// NS, EW and UD among the acceleration channels, by their ids and point names.
ChannelPick FoundComponents(const CliRequest& request, const LoadedRecord& record, std::ostream& err) {
    const std::vector<ChannelNames> names = ChannelNamesOf(record);
    if (std::count_if(names.begin(), names.end(), [](const ChannelNames& c) { return c.acceleration; }) < 3)
        return {{}, Refuse(err, AboutFile(request.file, "加速度のチャンネルが三つありません"))};
    const std::optional<std::array<int, 3>> found = FindThreeComponents(names);
    if (!found)
        return {{}, Refuse(err, AboutFile(request.file, "NS、EW、UD の三成分が見つかりません（--channels で指定できます）"))};
    return {{(*found)[0] + 1, (*found)[1] + 1, (*found)[2] + 1}, kExitOk};
}

ChannelPick ChosenComponents(const CliRequest& request, const LoadedRecord& record, std::ostream& err) {
    if (!request.channels) return FoundComponents(request, record, err);
    return ComponentsOfChoices(request, record, err);
}

}  // namespace

int RunIntensity(const CliRequest& request, const Streams& streams) {
    const std::optional<LoadedRecord> record = LoadRequestedRecord(request, streams.err);
    if (!record) return kExitRefused;
    const ChannelPick numbers = ChosenComponents(request, *record, streams.err);
    if (numbers.status != kExitOk) return numbers.status;
    std::array<std::vector<float>, 3> gal;
    for (std::size_t c = 0; c < 3; ++c) {
        const int k = numbers.channels[c];
        const TransferColumn* channel = ChosenChannel(request, *record, k, streams.err);
        if (!channel) return kExitRefused;
        std::optional<std::vector<float>> samples = SamplesInGal(*channel);
        if (!samples) return Refuse(streams.err, NotAccelerationText(request, *channel, k));
        gal[c] = std::move(*samples);
    }
    const JmaIntensity intensity = ComputeJmaIntensity(gal[0], gal[1], gal[2], record->rate);
    if (intensity.refusal) return RefuseAnalysis(request, *intensity.refusal, streams.err);

    CsvOutput csv(streams.out);
    csv.Header({"a0", "intensity", "reported", "class"});
    csv.Number(intensity.a0);
    csv.Number(intensity.intensity);
    csv.Text(intensity.reported);
    csv.Text(intensity.intensityClass);
    csv.EndRow();
    return FinishOutput(csv, request, streams.err);
}

}  // namespace tremvix::cli
