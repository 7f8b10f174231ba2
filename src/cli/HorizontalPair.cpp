#include "cli/HorizontalPair.h"

#include "core/analysis/ComponentRoles.h"

namespace tremvix::cli {
namespace {

ChannelPick FoundHorizontals(const CliRequest& request, const LoadedRecord& record, std::ostream& err) {
    const std::optional<std::array<int, 2>> found = FindTwoHorizontals(ChannelNamesOf(record));
    if (!found)
        return {{}, Refuse(err, AboutFile(request.file, "水平二成分（NS、EW）が見つかりません（--channels で指定できます）"))};
    return {{(*found)[0] + 1, (*found)[1] + 1}, kExitOk};
}

}  // namespace

std::optional<HorizontalPair> ChooseHorizontals(const CliRequest& request, const LoadedRecord& record, std::ostream& err,
                                                int& status) {
    ChannelPick pick;
    if (request.channels) {
        if (request.channels->size() != 2) {
            status = WrongUsage(err, "--channels には水平二成分を二つ指定してください");
            return std::nullopt;
        }
        pick = ComponentsOfChoices(request, record, err);
    } else {
        pick = FoundHorizontals(request, record, err);
    }
    status = pick.status;
    if (status != kExitOk) return std::nullopt;
    HorizontalPair pair;
    for (std::size_t c = 0; c < 2; ++c) {
        const int k = pick.channels[c];
        const TransferColumn* channel = ChosenChannel(request, record, k, err);
        if (!channel) {
            status = kExitRefused;
            return std::nullopt;
        }
        std::optional<std::vector<float>> samples = SamplesInGal(*channel);
        if (!samples) {
            status = Refuse(err, NotAccelerationText(request, *channel, k));
            return std::nullopt;
        }
        pair.gal[c] = std::move(*samples);
        pair.numbers[c] = k;
    }
    return pair;
}

}  // namespace tremvix::cli
