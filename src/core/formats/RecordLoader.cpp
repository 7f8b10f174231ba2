#include "core/formats/RecordLoader.h"

#include "core/formats/NetworkRecord.h"
#include "core/formats/RecordFormats.h"

#include <algorithm>
#include <new>
#include <numeric>
#include <utility>

namespace tremvix {
namespace {

std::vector<int> AllChannels(int count) {
    std::vector<int> channels(static_cast<std::size_t>(std::max(count, 0)));
    std::iota(channels.begin(), channels.end(), 0);
    return channels;
}

// Every message must say which file it is about, also for the CSV layouts whose
// reader leaves that to the window's title: the path as the caller gave it.
LoadedRecord Refused(Refusal refusal, const std::filesystem::path& file) {
    if (refusal.file.empty()) refusal.file = file.string();
    LoadedRecord record;
    record.refusal = std::move(refusal);
    return record;
}

LoadedRecord FromRead(TransferRead read, const ScanResult& scan, const std::filesystem::path& file,
                      double rateIfUnstated) {
    LoadedRecord record;
    record.files.push_back(file);
    for (const std::filesystem::path& component : scan.files)
        if (std::find(record.files.begin(), record.files.end(), component) == record.files.end())
            record.files.push_back(component);
    record.channels = std::move(read.columns);
    record.samplesPerChannel = read.linesRead;
    record.rateStated = scan.samplingRate > 0.0;
    record.rate = record.rateStated ? scan.samplingRate : rateIfUnstated;
    record.notices = scan.notices;
    return record;
}

LoadedRecord LoadNetworkRecord(const std::filesystem::path& file, NetworkLayout layout, double rateIfUnstated) {
    const ScanResult scan = ScanNetworkRecord(file, layout);
    if (scan.refusal) return Refused(*scan.refusal, file);
    TransferRead read = ReadNetworkChannels(file, layout, AllChannels(scan.channelCount));
    if (read.refusal) return Refused(*read.refusal, file);
    LoadedRecord record = FromRead(std::move(read), scan, file, rateIfUnstated);
    record.layoutName = scan.layoutName.empty() ? NetworkLayoutName(layout) : scan.layoutName;
    // Files read besides the channels' own, such as a channel table.
    for (const std::filesystem::path& other : formats::FormatOf(layout).RecordFiles(file))
        if (std::find(record.files.begin(), record.files.end(), other) == record.files.end()) record.files.push_back(other);
    return record;
}

LoadedRecord LoadCsvRecord(const std::filesystem::path& file, FileLayout layout, double rateIfUnstated) {
    const ScanResult scan = ScanDataFile(file, layout);
    if (scan.refusal) return Refused(*scan.refusal, file);
    TransferRead read = ReadChannels(file, layout, AllChannels(scan.channelCount), scan.dataLines);
    if (read.refusal) return Refused(*read.refusal, file);
    // The counts of the scan no longer hold: what was read is not one consistent file.
    if (read.fewerLinesThanScanned || read.moreLinesThanScanned) {
        Refusal changed{RefusalKind::BadRecord};
        changed.detail = "読み込み中にファイルが変わりました";
        return Refused(std::move(changed), file);
    }
    LoadedRecord record = FromRead(std::move(read), scan, file, rateIfUnstated);
    record.layoutName = CsvLayoutName(layout);
    return record;
}

}  // namespace

std::string CsvLayoutName(FileLayout layout) {
    return layout == FileLayout::EDefence ? "E-Defence形式" : "標準形式";
}

LoadedRecord LoadRecordFile(const std::filesystem::path& file, FileLayout csvLayout, double rateIfUnstated) {
    try {
        if (const std::optional<NetworkLayout> network = DetectNetworkLayout(file))
            return LoadNetworkRecord(file, *network, rateIfUnstated);
        return LoadCsvRecord(file, csvLayout, rateIfUnstated);
    } catch (const std::bad_alloc&) {
        return Refused(Refusal{RefusalKind::OutOfMemory}, file);
    }
}

}  // namespace tremvix
