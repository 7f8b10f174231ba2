// What the CSV writer writes, the reader reads back: the same header bytes and the
// same samples within the six decimals of "%f".
#include "FuzzFiles.h"
#include "core/data/ChannelStore.h"
#include "core/data/DataFileReader.h"
#include "core/export/CsvWriter.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct Bytes {
    const std::uint8_t* data;
    std::size_t size;
    std::uint8_t Next() {
        if (size == 0) return 0;
        --size;
        return *data++;
    }
};

// Header texts the format can carry: no separators, line ends or NUL.
void HeaderText(Bytes& in, char* field, int width) {
    const int length = in.Next() % width;
    int n = 0;
    for (int i = 0; i < length; ++i) {
        const char c = static_cast<char>(in.Next());
        if (c == ',' || c == '\n' || c == '\r' || c == '\0') continue;
        field[n++] = c;
    }
    field[n] = '\0';
}

float Sample(Bytes& in) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits = bits << 8 | in.Next();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    // The files hold finite values of sensible size.
    if (!std::isfinite(value) || std::fabs(value) > 1e12f) value = static_cast<float>(bits % 2000001) / 1000.0f - 1000.0f;
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in{data, size};
    auto store = std::make_unique<tremvix::ChannelStore>();
    store->ChannelCount = 1 + in.Next() % tremvix::kMaxChannels;
    store->DataCount = in.Next() % 40;
    for (int k = 0; k < store->ChannelCount; ++k) {
        tremvix::ChannelRecord& r = store->BaseBank[k];
        HeaderText(in, r.ChannelId, tremvix::kChannelIdSize);
        HeaderText(in, r.PointName, tremvix::kPointNameSize);
        HeaderText(in, r.Memo, tremvix::kMemoSize);
        HeaderText(in, r.Unit, tremvix::kUnitSize);
        r.SampleCount = store->DataCount;
        r.Samples.resize(static_cast<std::size_t>(store->DataCount));
        for (int i = 0; i < store->DataCount; ++i) r.Samples[i] = Sample(in);
    }
    if (store->BaseBank[0].Unit[0] == '%') store->BaseBank[0].Unit[0] = 'g';  // not a standard file otherwise

    const std::filesystem::path file = ScratchFile("csv");
    if (!tremvix::WriteCsv(file, *store).ok) std::abort();
    const tremvix::ScanResult scan = tremvix::ScanDataFile(file, tremvix::FileLayout::Standard);
    if (scan.refusal || scan.channelCount != store->ChannelCount || scan.dataLines != store->DataCount) std::abort();
    std::vector<int> columns;
    for (int k = 0; k < store->ChannelCount; ++k) columns.push_back(k);
    const tremvix::TransferRead read = tremvix::ReadChannels(file, tremvix::FileLayout::Standard, columns, scan.dataLines);
    if (read.refusal || read.linesRead != store->DataCount) std::abort();
    for (int k = 0; k < store->ChannelCount; ++k) {
        const tremvix::ChannelRecord& r = store->BaseBank[k];
        if (scan.ids[k] != r.ChannelId || scan.names[k] != r.PointName || scan.memos[k] != r.Memo ||
            scan.units[k] != r.Unit)
            std::abort();
        for (int i = 0; i < store->DataCount; ++i) {
            const double error = std::fabs(static_cast<double>(read.columns[k].samples[i]) - r.Samples[i]);
            if (error > 5e-7 + std::fabs(r.Samples[i]) * 1.2e-7) std::abort();
        }
    }
    return 0;
}
