// SAC files: up to three components of a station (split at "\n--\n"), found beside
// each other, in either byte order.
#include "FuzzRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path folder = ScratchFile("sac");
    WriteFuzzParts(folder, std::string_view(reinterpret_cast<const char*>(data), size), {"a.sac", "b.sac", "c.sac"});
    const std::filesystem::path file = folder / "a.sac";
    const std::optional<tremvix::NetworkLayout> detected = tremvix::DetectNetworkLayout(file);
    FuzzScanAndRead(file, tremvix::NetworkLayout::Sac);
    if (detected) FuzzScanAndRead(file, *detected);
    return 0;
}
