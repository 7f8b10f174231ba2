#include "core/formats/SacRecord.h"

#include "core/formats/BinaryBytes.h"
#include "core/formats/NetworkRecord.h"
#include "core/formats/RecordChannels.h"
#include "core/formats/RecordLines.h"
#include "core/formats/RecordText.h"
#include "core/formats/SacHeader.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace tremvix::formats {
namespace {

namespace fs = std::filesystem;

struct SacComponent {
    fs::path file;
    SacHeader header;
};

std::optional<SacHeader> HeaderOfFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string bytes(kSacHeaderBytes, '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) return std::nullopt;
    SacHeader header;
    if (!LooksLikeSac(bytes) || ParseSacHeader(bytes, file, header)) return std::nullopt;
    return header;
}

bool SameStation(const SacHeader& a, const SacHeader& b) {
    return SacPointName(a) == SacPointName(b) && a.delta == b.delta && std::fabs(a.start - b.start) < 0.5 * a.delta;
}

// The chosen file and the SAC files beside it of the same station, start and rate.
std::vector<SacComponent> FindComponents(const fs::path& chosen, const SacHeader& header) {
    std::vector<SacComponent> components{{chosen, header}};
    std::error_code error;
    const fs::path folder = chosen.has_parent_path() ? chosen.parent_path() : fs::path(".");
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path& candidate = it->path();
        if (candidate.filename() == chosen.filename() || !it->is_regular_file(error)) continue;
        if (const std::optional<SacHeader> other = HeaderOfFile(candidate); other && SameStation(header, *other))
            components.push_back({chosen.has_parent_path() ? candidate : candidate.filename(), *other});
    }
    std::sort(components.begin(), components.end(),
              [](const SacComponent& a, const SacComponent& b) { return a.file.filename() < b.file.filename(); });
    return components;
}

double RateOf(float delta) {
    const double rate = 1.0 / static_cast<double>(delta);
    const double rounded = std::round(rate * 1000.0) / 1000.0;
    return std::fabs(rate - rounded) < 1e-6 * rate ? rounded : rate;
}

// The samples of one file, checked, in the unit its header states.
std::optional<Refusal> ReadSamples(const fs::path& file, SacHeader& header, std::vector<float>* samples) {
    std::string bytes;
    if (auto refusal = ReadWholeFile(file, bytes)) return refusal;
    if (auto refusal = ParseSacHeader(bytes, file, header)) return refusal;
    const std::uint64_t end = kSacHeaderBytes + 4 * static_cast<std::uint64_t>(header.npts);
    if (end > bytes.size())
        return BadBytesAt(file, bytes.size(),
                          "NPTS の " + std::to_string(header.npts) + " 個の値の途中でファイルが終わります");
    const double scale = SacUnitOf(header.idep).scale;
    if (samples) samples->resize(static_cast<std::size_t>(header.npts));
    for (std::int32_t k = 0; k < header.npts; ++k) {
        const std::size_t offset = kSacHeaderBytes + 4 * static_cast<std::size_t>(k);
        const float value = F32At(bytes, offset, header.bigEndian);
        if (!std::isfinite(value)) return BadBytesAt(file, offset, "数ではない値があります");
        if (samples) (*samples)[static_cast<std::size_t>(k)] = static_cast<float>(value * scale);
    }
    return std::nullopt;
}

struct SacRecord {
    std::vector<SacComponent> components;
    std::int32_t count = 0;  // samples per channel: the shortest component's
    std::optional<Refusal> refusal;
};

SacRecord FindRecord(const fs::path& file) {
    SacRecord record;
    SacHeader header;
    std::string bytes;
    if (auto refusal = ReadWholeFile(file, bytes)) {
        record.refusal = refusal;
        return record;
    }
    if (auto refusal = ParseSacHeader(bytes, file, header)) {
        record.refusal = refusal;
        return record;
    }
    record.components = FindComponents(file, header);
    record.count = header.npts;
    for (const SacComponent& component : record.components) record.count = std::min(record.count, component.header.npts);
    return record;
}

RecordChannel ChannelOf(const SacComponent& component) {
    return {component.header.component, SacPointName(component.header), TimeText(component.header.start), component.file,
            SacUnitOf(component.header.idep).unit};
}

class SacLayout final : public RecordFormat {
public:
    NetworkLayout Layout() const override { return NetworkLayout::Sac; }
    std::string Name() const override { return "SAC形式"; }
    bool Binary() const override { return true; }
    bool Recognises(const fs::path&, const FileHead& head) const override { return LooksLikeSac(head.bytes); }

    ScanResult Scan(const fs::path& file) const override {
        SacRecord record = FindRecord(file);
        if (record.refusal) return ScanRefusal(*record.refusal);
        std::vector<RecordChannel> channels;
        bool uneven = false;
        for (SacComponent& component : record.components) {
            if (auto refusal = ReadSamples(component.file, component.header, nullptr)) return ScanRefusal(*refusal);
            uneven = uneven || component.header.npts != record.count;
            channels.push_back(ChannelOf(component));
        }
        ScanResult scan = RecordScan(channels, record.count, RateOf(record.components.front().header.delta), Name());
        if (uneven)
            scan.notices.push_back("成分の長さが違うので、いちばん短い成分の " + std::to_string(record.count) +
                                   " 個に切りそろえます" + std::string(kMessageEnd));
        return scan;
    }

    TransferRead Read(const fs::path& file, const std::vector<int>& channels,
                      const std::function<void(int)>& progress) const override {
        SacRecord record = FindRecord(file);
        if (record.refusal) return ReadRefusal(*record.refusal);
        TransferRead read;
        ReadProgress report(progress, channels.size());
        for (const int index : channels) {
            if (index < 0 || static_cast<std::size_t>(index) >= record.components.size())
                return ReadRefusal(MissingChannel(file));
            SacComponent& component = record.components[static_cast<std::size_t>(index)];
            TransferColumn column = EmptyColumn(ChannelOf(component), index);
            if (auto refusal = ReadSamples(component.file, component.header, &column.samples)) return ReadRefusal(*refusal);
            column.samples.resize(static_cast<std::size_t>(record.count));
            report.Add(column.samples.size());
            read.columns.push_back(std::move(column));
        }
        read.linesRead = record.count;
        return read;
    }

    std::vector<fs::path> RecordFiles(const fs::path& file) const override {
        const std::optional<SacHeader> header = HeaderOfFile(file);
        if (!header) return {file};
        std::vector<fs::path> files;
        for (const SacComponent& component : FindComponents(file, *header)) files.push_back(component.file);
        return files;
    }

    RecordGroup GroupOf(const fs::path&, const FileHead& head) const override {
        SacHeader header;
        if (ParseSacHeader(head.bytes, {}, header)) return {};
        return {"S|" + SacPointName(header) + "|" + TimeText(header.start) + "|" + ShortestText(header.delta), {}, {},
                false, {}};
    }
};

}  // namespace

const RecordFormat& SacFormat() {
    static const SacLayout format;
    return format;
}

}  // namespace tremvix::formats
