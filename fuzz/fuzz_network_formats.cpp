// Detection, scan and read of arbitrary bytes in every network layout. The input is
// split at "\n--\n" into up to three files of one record (.NS, .EW, .UD) in a scratch
// folder of their own, so that sibling discovery and agreement are reached too.
#include "FuzzFiles.h"
#include "core/formats/NetworkRecord.h"

#include <cstdlib>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void WriteParts(const std::filesystem::path& folder, std::string_view input) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder);
    const char* const names[] = {"REC.NS", "REC.EW", "REC.UD"};
    for (int k = 0; k < 3 && (k == 0 || !input.empty()); ++k) {
        const std::size_t cut = k < 2 ? input.find("\n--\n") : std::string_view::npos;
        const std::string_view part = input.substr(0, cut);
        WriteScratch(folder / names[k], reinterpret_cast<const std::uint8_t*>(part.data()), part.size());
        input = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 4);
    }
}

void ScanAndRead(const std::filesystem::path& file, tremvix::NetworkLayout layout) {
    const tremvix::ScanResult scan = tremvix::ScanNetworkRecord(file, layout);
    if (scan.refusal) {
        Check(!scan.refusal->file.empty());
        Check(!tremvix::RefusalText(*scan.refusal).empty());
        return;
    }
    const std::size_t n = static_cast<std::size_t>(scan.channelCount);
    Check(n > 0 && scan.ids.size() == n && scan.names.size() == n && scan.memos.size() == n &&
          scan.units.size() == n && scan.files.size() == n);
    Check(scan.dataLines >= 0 && scan.samplingRate > 0 && !scan.layoutName.empty());

    std::vector<int> all;
    for (int k = 0; k < scan.channelCount; ++k) all.push_back(k);
    const tremvix::TransferRead read = tremvix::ReadNetworkChannels(file, layout, all);
    Check(!read.refusal);  // the files have not changed since the scan
    Check(read.linesRead == scan.dataLines && read.columns.size() == n);
    for (std::size_t k = 0; k < n; ++k) {
        Check(read.columns[k].samples.size() == static_cast<std::size_t>(read.linesRead));
        Check(read.columns[k].id == scan.ids[k]);
    }
    Check(tremvix::ReadNetworkChannels(file, layout, {scan.channelCount}).refusal.has_value());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path folder = ScratchFile("network");
    WriteParts(folder, std::string_view(reinterpret_cast<const char*>(data), size));
    const std::filesystem::path file = folder / "REC.NS";
    const std::optional<tremvix::NetworkLayout> detected = tremvix::DetectNetworkLayout(file);
    for (const auto layout : {tremvix::NetworkLayout::Knet, tremvix::NetworkLayout::KiKnet,
                              tremvix::NetworkLayout::JmaCsv, tremvix::NetworkLayout::PeerAt2}) {
        ScanAndRead(file, layout);
    }
    if (detected) ScanAndRead(file, *detected);
    return 0;
}
