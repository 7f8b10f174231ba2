#include "core/formats/NetworkRecord.h"

#include "core/formats/RecordFormats.h"
#include "core/formats/RecordChannels.h"
#include "core/formats/RecordLines.h"
#include "core/formats/RecordText.h"

#include <new>

namespace tremvix {
namespace {

bool SameFamily(NetworkLayout a, NetworkLayout b) {
    const auto isKnet = [](NetworkLayout layout) {
        return layout == NetworkLayout::Knet || layout == NetworkLayout::KiKnet;
    };
    return a == b || (isKnet(a) && isKnet(b));
}

// A file that does not begin as `layout` says is refused at its beginning; one that
// cannot be read at all is left to the reader, which says why.
std::optional<Refusal> WrongLayout(const std::filesystem::path& file, NetworkLayout layout) {
    const formats::FileHead head = formats::ReadFileHead(file);
    if (!head.firstLine && (head.bytes.empty() || !formats::FormatOf(layout).Binary())) {
        return std::nullopt;
    }
    const formats::RecordFormat* const found = formats::RecogniseFormat(file, head);
    if (found && SameFamily(found->Layout(), layout)) {
        return std::nullopt;
    }
    return formats::BadRecordAt(file, 1, NetworkLayoutName(layout) + "のファイルではありません");
}

}  // namespace

std::optional<NetworkLayout> DetectNetworkLayout(const std::filesystem::path& file) {
    const formats::RecordFormat* const format = formats::RecogniseFormat(file, formats::ReadFileHead(file));
    return format ? std::optional<NetworkLayout>(format->Layout()) : std::nullopt;
}

std::string NetworkLayoutName(NetworkLayout layout) {
    return formats::FormatOf(layout).Name();
}

std::optional<CompanionFile> MissingCompanion(const std::filesystem::path& file, NetworkLayout layout) {
    if (WrongLayout(file, layout)) return std::nullopt;
    return formats::FormatOf(layout).MissingCompanion(file);
}

ScanResult ScanNetworkRecord(const std::filesystem::path& file, NetworkLayout layout) {
    return ScanNetworkRecord(file, layout, {});
}

ScanResult ScanNetworkRecord(const std::filesystem::path& file, NetworkLayout layout,
                             const std::filesystem::path& companion) {
    if (auto refusal = WrongLayout(file, layout)) {
        return formats::ScanRefusal(*refusal);
    }
    try {
        return formats::FormatOf(layout).ScanWith(file, companion);
    } catch (const std::bad_alloc&) {
        Refusal refusal{RefusalKind::OutOfMemory};
        refusal.file = formats::FileNameText(file);
        return formats::ScanRefusal(refusal);
    }
}

TransferRead ReadNetworkChannels(const std::filesystem::path& file, NetworkLayout layout,
                                 const std::vector<int>& channels,
                                 const std::function<void(int samplesRead)>& progress) {
    return ReadNetworkChannels(file, layout, {}, channels, progress);
}

TransferRead ReadNetworkChannels(const std::filesystem::path& file, NetworkLayout layout,
                                 const std::filesystem::path& companion, const std::vector<int>& channels,
                                 const std::function<void(int samplesRead)>& progress) {
    if (auto refusal = WrongLayout(file, layout)) {
        return formats::ReadRefusal(*refusal);
    }
    try {
        return formats::FormatOf(layout).ReadWith(file, companion, channels, progress);
    } catch (const std::bad_alloc&) {
        // A record too long for the memory there is: refused, nothing half read.
        Refusal refusal{RefusalKind::OutOfMemory};
        refusal.file = formats::FileNameText(file);
        return formats::ReadRefusal(refusal);
    }
}

}  // namespace tremvix
