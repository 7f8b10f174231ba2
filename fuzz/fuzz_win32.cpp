// WIN32 data and its channel table (split at "\n--\n"), opened through either, found
// beside it or given as the file the user chose for it.
#include "FuzzRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path folder = ScratchFile("win32");
    WriteFuzzParts(folder, std::string_view(reinterpret_cast<const char*>(data), size), {"a.cnt", "a.ch"});
    for (const char* name : {"a.cnt", "a.ch"}) {
        const std::filesystem::path file = folder / name;
        const std::optional<tremvix::NetworkLayout> detected = tremvix::DetectNetworkLayout(file);
        FuzzScanAndRead(file, tremvix::NetworkLayout::Win32);
        if (detected) FuzzScanAndRead(file, *detected);
        const std::filesystem::path other = folder / (name == std::string_view("a.cnt") ? "a.ch" : "a.cnt");
        FuzzScanAndRead(file, tremvix::NetworkLayout::Win32, true, other);
    }
    return 0;
}
