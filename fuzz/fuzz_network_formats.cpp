// Detection, scan and read of arbitrary bytes in every network layout. The input is
// split at "\n--\n" into up to three files of one record (.NS, .EW, .UD) in a scratch
// folder of their own, so that sibling discovery and agreement are reached too.
#include "FuzzRecord.h"
#include "core/formats/NetworkRecord.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path folder = ScratchFile("network");
    WriteFuzzParts(folder, std::string_view(reinterpret_cast<const char*>(data), size), {"REC.NS", "REC.EW", "REC.UD"});
    const std::filesystem::path file = folder / "REC.NS";
    const std::optional<tremvix::NetworkLayout> detected = tremvix::DetectNetworkLayout(file);
    for (const auto layout : {tremvix::NetworkLayout::Knet, tremvix::NetworkLayout::KiKnet,
                              tremvix::NetworkLayout::JmaCsv, tremvix::NetworkLayout::PeerAt2}) {
        FuzzScanAndRead(file, layout, false);
    }
    // The binary layouts' scan reads headers alone: their read may still refuse samples
    // that do not decode, with the file and offset.
    const auto binary = [](tremvix::NetworkLayout layout) {
        return layout == tremvix::NetworkLayout::MiniSeed || layout == tremvix::NetworkLayout::Sac ||
               layout == tremvix::NetworkLayout::Win32;
    };
    if (detected) FuzzScanAndRead(file, *detected, binary(*detected));
    return 0;
}
