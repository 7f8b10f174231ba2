#include "core/formats/MiniSeedRecord.h"

#include "core/formats/BinaryBytes.h"
#include "core/formats/MiniSeedTraces.h"
#include "core/formats/NetworkRecord.h"
#include "core/formats/RecordChannels.h"
#include "core/formats/RecordLines.h"
#include "core/formats/RecordText.h"

#include <libmseed.h>

#include <algorithm>
#include <cmath>

namespace tremvix::formats {
namespace {

namespace fs = std::filesystem;

// The time all channels cover: where each begins in it and how many samples it holds.
struct Common {
    std::vector<std::int64_t> skip;
    std::int64_t count = 0;
    double start = 0.0;
    bool trimmed = false;
};

Common CommonSpan(const SeedStation& station) {
    Common common;
    const double rate = station.channels.front().rate;
    double start = -INFINITY, end = INFINITY;
    for (const SeedChannel& channel : station.channels) {
        start = std::max(start, channel.start);
        end = std::min(end, channel.start + static_cast<double>(channel.count - 1) / rate);
    }
    common.start = start;
    common.count = end < start ? 0 : static_cast<std::int64_t>(std::floor((end - start) * rate + 0.5)) + 1;
    for (const SeedChannel& channel : station.channels) {
        common.skip.push_back(static_cast<std::int64_t>(std::llround((start - channel.start) * rate)));
        common.trimmed = common.trimmed || common.skip.back() != 0 || channel.count != common.count;
    }
    return common;
}

std::vector<RecordChannel> Channels(const fs::path& file, const SeedStation& station, const Common& common) {
    std::vector<RecordChannel> channels;
    for (const SeedChannel& channel : station.channels)
        channels.push_back({channel.channel, station.network + "." + station.station + "." + channel.location,
                            TimeText(common.start), file, "count"});
    return channels;
}

std::optional<Refusal> CheckSpan(const fs::path& file, const Common& common) {
    if (common.count <= 0) return BadRecordAt(file, 0, "成分の記録の時間が重なりません");
    if (common.count > kMaxRecordSamples) return BadRecordAt(file, 0, kTooManySamples);
    return std::nullopt;
}

class MiniSeedLayout final : public RecordFormat {
public:
    NetworkLayout Layout() const override { return NetworkLayout::MiniSeed; }
    std::string Name() const override { return "MiniSEED形式"; }
    bool Binary() const override { return true; }

    bool Recognises(const fs::path&, const FileHead& head) const override {
        return head.bytes.size() >= 48 && MS_ISVALIDHEADER(head.bytes.data());
    }

    // The headers are enough to list the channels; the samples are decoded by Read.
    ScanResult Scan(const fs::path& file) const override {
        const SeedStation station = ReadSeedStation(file, false);
        if (station.refusal) return ScanRefusal(*station.refusal);
        const Common common = CommonSpan(station);
        if (auto refusal = CheckSpan(file, common)) return ScanRefusal(*refusal);
        ScanResult scan = RecordScan(Channels(file, station, common), static_cast<int>(common.count),
                                     station.channels.front().rate, Name());
        if (!station.otherStations.empty()) {
            std::string others;
            for (const std::string& other : station.otherStations) others += (others.empty() ? "" : "、") + other;
            scan.notices.push_back("このファイルの観測点 " + station.network + "." + station.station +
                                   " だけを読みます（ほかに " + others + " があります）" + std::string(kMessageEnd));
        }
        if (common.trimmed)
            scan.notices.push_back("成分の記録の時間が違うので、そろっている " + std::to_string(common.count) +
                                   " 個に切りそろえます" + std::string(kMessageEnd));
        return scan;
    }

    TransferRead Read(const fs::path& file, const std::vector<int>& channels,
                      const std::function<void(int)>& progress) const override {
        SeedStation station = ReadSeedStation(file, true);
        if (station.refusal) return ReadRefusal(*station.refusal);
        const Common common = CommonSpan(station);
        if (auto refusal = CheckSpan(file, common)) return ReadRefusal(*refusal);
        const std::vector<RecordChannel> listed = Channels(file, station, common);
        TransferRead read;
        ReadProgress report(progress, channels.size());
        for (const int index : channels) {
            if (index < 0 || static_cast<std::size_t>(index) >= listed.size()) return ReadRefusal(MissingChannel(file));
            const auto k = static_cast<std::size_t>(index);
            std::vector<float>& samples = station.channels[k].samples;
            if (samples.size() < static_cast<std::size_t>(common.skip[k] + common.count))
                return ReadRefusal(BadRecordAt(file, 0, "復号したデータの数がレコードのヘッダーと合いません"));
            TransferColumn column = EmptyColumn(listed[k], index);
            // A channel read once and whole is handed over, not copied.
            if (common.skip[k] == 0 && samples.size() == static_cast<std::size_t>(common.count) &&
                std::count(channels.begin(), channels.end(), index) == 1) {
                column.samples = std::move(samples);
            } else {
                const auto from = samples.begin() + common.skip[k];
                column.samples.assign(from, from + common.count);
            }
            report.Add(column.samples.size());
            read.columns.push_back(std::move(column));
        }
        read.linesRead = static_cast<int>(common.count);
        return read;
    }
};

}  // namespace

const RecordFormat& MiniSeedFormat() {
    static const MiniSeedLayout format;
    return format;
}

}  // namespace tremvix::formats
