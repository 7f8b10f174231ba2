#include "ui/analysis/LoadedChannels.h"

#include "core/analysis/AccelerationUnit.h"
#include "core/data/ChannelStore.h"
#include "ui/base/TextCodec.h"

#include <algorithm>
#include <cstring>

namespace {

std::string_view FieldOf(const char* field, std::size_t size) { return {field, strnlen(field, size)}; }

int LoadedCount(const tremvix::ChannelStore& store) { return std::clamp(store.ChannelCount, 0, tremvix::kMaxChannels); }

}  // namespace

std::vector<LoadedChannel> LoadedChannelsOf(const tremvix::ChannelStore& store) {
    std::vector<LoadedChannel> channels;
    for (int k = 0; k < LoadedCount(store); ++k) {
        const tremvix::ChannelRecord& record = store.BaseBank[k];
        const std::string_view unit = FieldOf(record.Unit, tremvix::kUnitSize);
        LoadedChannel channel;
        channel.index = k;
        channel.id = DecodeText(FieldOf(record.ChannelId, tremvix::kChannelIdSize)).trimmed();
        channel.name = DecodeText(FieldOf(record.PointName, tremvix::kPointNameSize)).trimmed();
        channel.unit = DecodeText(unit).trimmed();
        channel.galPerUnit = tremvix::GalPerUnit(unit);
        channel.record = &record;
        channel.samples = {record.Samples.data(), static_cast<std::size_t>(record.StoredCount())};
        channels.push_back(std::move(channel));
    }
    return channels;
}

QString ChannelLabel(const LoadedChannel& channel) {
    return QStringLiteral("%1: %2").arg(channel.index + 1).arg(channel.id);
}

ChannelsSignature SignatureOf(const tremvix::ChannelStore& store) {
    ChannelsSignature signature;
    for (int k = 0; k < LoadedCount(store); ++k) {
        const tremvix::ChannelRecord& r = store.BaseBank[k];
        signature.entries.push_back({r.Samples.data(), r.StoredCount(), std::string(FieldOf(r.ChannelId, tremvix::kChannelIdSize)),
                                     std::string(FieldOf(r.PointName, tremvix::kPointNameSize)),
                                     std::string(FieldOf(r.Unit, tremvix::kUnitSize))});
    }
    return signature;
}

std::vector<float> SamplesInGal(const LoadedChannel& channel) {
    return tremvix::SamplesInGal(channel.samples, channel.galPerUnit.value_or(1.0));
}
