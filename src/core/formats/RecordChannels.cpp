#include "core/formats/RecordChannels.h"

#include "core/formats/RecordLines.h"

#include <algorithm>
#include <climits>

namespace tremvix::formats {

ScanResult RecordScan(const std::vector<RecordChannel>& channels, int samples, double rate,
                      std::string layoutName) {
    ScanResult scan;
    for (const RecordChannel& channel : channels) {
        scan.ids.push_back(channel.id);
        scan.names.push_back(channel.name);
        scan.memos.push_back(channel.memo);
        scan.units.push_back(channel.unit);
        scan.files.push_back(channel.file);
    }
    scan.channelCount = static_cast<int>(channels.size());
    scan.idFieldCount = scan.channelCount;
    scan.dataLines = samples;
    scan.samplingRate = rate;
    scan.layoutName = std::move(layoutName);
    return scan;
}

ScanResult ScanRefusal(Refusal refusal) {
    ScanResult scan;
    scan.refusal = std::move(refusal);
    return scan;
}

TransferRead ReadRefusal(Refusal refusal) {
    TransferRead read;
    read.refusal = std::move(refusal);
    return read;
}

TransferColumn EmptyColumn(const RecordChannel& channel, int index) {
    TransferColumn column;
    column.fileColumn = index;
    column.id = channel.id;
    column.name = channel.name;
    column.memo = channel.memo;
    column.unit = channel.unit;
    return column;
}

Refusal MissingChannel(const std::filesystem::path& file) {
    return BadRecordAt(file, 0, "選んだ成分がありません（ファイルが変わった可能性があります）");
}

ReadProgress::ReadProgress(const std::function<void(int)>& report, std::size_t channels)
    : report_(report), channels_(std::max<std::size_t>(channels, 1)) {}

void ReadProgress::Add(std::size_t samples) {
    total_ += samples;
    if (report_ && total_ >= nextReport_) {
        report_(static_cast<int>(std::min<std::size_t>(total_ / channels_, INT_MAX)));
        nextReport_ = total_ + kStep;
    }
}

}  // namespace tremvix::formats
