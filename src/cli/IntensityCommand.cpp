// --intensity: the JMA instrumental seismic intensity of three components.
#include "cli/Commands.h"
#include "cli/CsvOutput.h"
#include "core/analysis/AccelerationUnit.h"
#include "core/analysis/ComponentRoles.h"
#include "core/analysis/JmaIntensity.h"

#include <array>

namespace tremvix::cli {
namespace {

// NS, EW and UD among the acceleration channels, by their ids and point names.
std::optional<std::array<int, 3>> FoundComponents(const CliRequest& request, const LoadedRecord& record,
                                                  std::ostream& err) {
    std::vector<int> accelerations;
    std::vector<ChannelNames> names;
    for (std::size_t k = 0; k < record.channels.size(); ++k) {
        const TransferColumn& channel = record.channels[k];
        if (!GalPerUnit(channel.unit)) continue;
        accelerations.push_back(static_cast<int>(k));
        names.push_back({channel.id, channel.name});
    }
    if (accelerations.size() < 3) {
        Refuse(err, AboutFile(request.file, "加速度のチャンネルが三つありません"));
        return std::nullopt;
    }
    const std::optional<std::array<int, 3>> found = FindThreeComponents(names);
    if (!found) {
        Refuse(err, AboutFile(request.file, "NS、EW、UD の三成分が見つかりません（--channels で指定できます）"));
        return std::nullopt;
    }
    std::array<int, 3> numbers{};
    for (int c = 0; c < 3; ++c) numbers[c] = accelerations[static_cast<std::size_t>((*found)[c])] + 1;
    return numbers;
}

std::optional<std::array<int, 3>> ChosenComponents(const CliRequest& request, const LoadedRecord& record,
                                                   std::ostream& err) {
    if (!request.channels) return FoundComponents(request, record, err);
    const std::vector<int>& given = *request.channels;
    return std::array<int, 3>{given[0], given[1], given[2]};
}

}  // namespace

int RunIntensity(const CliRequest& request, const Streams& streams) {
    const std::optional<LoadedRecord> record = LoadRequestedRecord(request, streams.err);
    if (!record) return kExitRefused;
    const std::optional<std::array<int, 3>> numbers = ChosenComponents(request, *record, streams.err);
    if (!numbers) return kExitRefused;
    std::array<std::vector<float>, 3> gal;
    for (int c = 0; c < 3; ++c) {
        const int k = (*numbers)[c];
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
    return FinishOutput(csv, streams.err);
}

}  // namespace tremvix::cli
