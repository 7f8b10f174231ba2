// MiniSEED files through libmseed: records of any stations, channels and encodings.
#include "FuzzRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path folder = ScratchFile("miniseed");
    WriteFuzzParts(folder, std::string_view(reinterpret_cast<const char*>(data), size), {"a.mseed"});
    const std::filesystem::path file = folder / "a.mseed";
    const std::optional<tremvix::NetworkLayout> detected = tremvix::DetectNetworkLayout(file);
    FuzzScanAndRead(file, tremvix::NetworkLayout::MiniSeed);
    if (detected) FuzzScanAndRead(file, *detected);
    return 0;
}
