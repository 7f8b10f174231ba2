#include "core/formats/NetworkRecord.h"

#include "core/formats/At2Header.h"
#include "core/formats/JmaCsvRecord.h"
#include "core/formats/KnetHeader.h"
#include "core/formats/KnetRecord.h"
#include "core/formats/PeerAt2Record.h"
#include "core/formats/RecordChannels.h"
#include "core/formats/RecordLines.h"
#include "core/formats/RecordText.h"

#include <new>

namespace tremvix {
namespace {

bool HasKiknetExtension(const std::filesystem::path& file) {
    const std::string extension = formats::LowerAscii(file.extension().string());
    return extension.size() == 4 && (extension[3] == '1' || extension[3] == '2') &&
           (extension.starts_with(".ns") || extension.starts_with(".ew") || extension.starts_with(".ud"));
}

std::optional<NetworkLayout> LayoutOfFirstLine(std::string_view line, const std::filesystem::path& file) {
    if (formats::IsKnetFirstLine(line)) {
        return HasKiknetExtension(file) ? NetworkLayout::KiKnet : NetworkLayout::Knet;
    }
    if (formats::IsJmaFirstLine(line)) {
        return NetworkLayout::JmaCsv;
    }
    if (formats::IsPeerFirstLine(line)) {
        return NetworkLayout::PeerAt2;
    }
    return std::nullopt;
}

bool SameFamily(NetworkLayout a, NetworkLayout b) {
    const auto isKnet = [](NetworkLayout layout) {
        return layout == NetworkLayout::Knet || layout == NetworkLayout::KiKnet;
    };
    return a == b || (isKnet(a) && isKnet(b));
}

// A file that does not begin as `layout` says is refused at line 1; one that
// cannot be read at all is left to the reader, which says why.
std::optional<Refusal> WrongLayout(const std::filesystem::path& file, NetworkLayout layout) {
    const std::optional<std::string> first = formats::ReadFirstLine(file);
    if (!first) {
        return std::nullopt;
    }
    const std::optional<NetworkLayout> found = LayoutOfFirstLine(*first, file);
    if (found && SameFamily(*found, layout)) {
        return std::nullopt;
    }
    return formats::BadRecordAt(file, 1, NetworkLayoutName(layout) + "のファイルではありません");
}

}  // namespace

std::optional<NetworkLayout> DetectNetworkLayout(const std::filesystem::path& file) {
    const std::optional<std::string> first = formats::ReadFirstLine(file);
    return first ? LayoutOfFirstLine(*first, file) : std::nullopt;
}

std::string NetworkLayoutName(NetworkLayout layout) {
    switch (layout) {
    case NetworkLayout::Knet:
        return "K-NET形式";
    case NetworkLayout::KiKnet:
        return "KiK-net形式";
    case NetworkLayout::JmaCsv:
        return "JMA形式";
    case NetworkLayout::PeerAt2:
        break;
    }
    return "PEER形式";
}

ScanResult ScanNetworkRecord(const std::filesystem::path& file, NetworkLayout layout) {
    if (auto refusal = WrongLayout(file, layout)) {
        return formats::ScanRefusal(*refusal);
    }
    switch (layout) {
    case NetworkLayout::Knet:
    case NetworkLayout::KiKnet:
        return formats::ScanKnetRecord(file, layout == NetworkLayout::KiKnet);
    case NetworkLayout::JmaCsv:
        return formats::ScanJmaRecord(file);
    case NetworkLayout::PeerAt2:
        break;
    }
    return formats::ScanAt2Record(file);
}

TransferRead ReadNetworkChannels(const std::filesystem::path& file, NetworkLayout layout,
                                 const std::vector<int>& channels,
                                 const std::function<void(int samplesRead)>& progress) {
    if (auto refusal = WrongLayout(file, layout)) {
        return formats::ReadRefusal(*refusal);
    }
    try {
        switch (layout) {
        case NetworkLayout::Knet:
        case NetworkLayout::KiKnet:
            return formats::ReadKnetChannels(file, layout == NetworkLayout::KiKnet, channels, progress);
        case NetworkLayout::JmaCsv:
            return formats::ReadJmaChannels(file, channels, progress);
        case NetworkLayout::PeerAt2:
            break;
        }
        return formats::ReadAt2Channels(file, channels, progress);
    } catch (const std::bad_alloc&) {
        // A record too long for the memory there is: refused, nothing half read.
        Refusal refusal{RefusalKind::OutOfMemory};
        refusal.file = formats::FileNameText(file);
        return formats::ReadRefusal(refusal);
    }
}

}  // namespace tremvix
