// The scan and the channel read on arbitrary files, in both layouts.
#include "FuzzFiles.h"
#include "core/data/ChannelRecord.h"
#include "core/data/DataFileReader.h"

#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void ReadBothWays(const std::filesystem::path& file, tremvix::FileLayout layout) {
    const tremvix::ScanResult scan = tremvix::ScanDataFile(file, layout);
    if (!scan.refusal) {
        const std::size_t n = static_cast<std::size_t>(scan.channelCount);
        Check(scan.ids.size() == n && scan.names.size() == n && scan.memos.size() == n && scan.units.size() == n);
        Check(scan.channelCount <= 100 && scan.dataLines >= 0);
    }
    const int maxLines = scan.refusal ? 40000 : scan.dataLines;
    const tremvix::TransferRead read = tremvix::ReadChannels(file, layout, {0, 1, 7, 99, 150}, maxLines);
    if (read.refusal) {
        Check(read.columns.empty());
        return;
    }
    Check(read.linesRead >= 0 && read.linesRead <= maxLines);
    for (const auto& column : read.columns) Check(column.samples.size() == static_cast<std::size_t>(read.linesRead));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path file = ScratchFile("data");
    WriteScratch(file, data, size);
    ReadBothWays(file, tremvix::FileLayout::Standard);
    ReadBothWays(file, tremvix::FileLayout::EDefence);
    return 0;
}
