#include "core/formats/KnetRecord.h"

#include "core/data/NumberReader.h"
#include "core/formats/KnetComponents.h"
#include "core/formats/KnetHeader.h"
#include "core/formats/NetworkRecord.h"
#include "core/formats/RecordChannels.h"
#include "core/formats/RecordLines.h"
#include "core/formats/RecordText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tremvix::formats {
namespace {

// The stated peak has three decimals; beyond their rounding, allow for arithmetic.
constexpr double kMaxAccelerationTolerance = 0.0005 + 1e-6;

// One whole number of at most 18 digits starting at p and ending at a blank or at
// the end of the line; nullptr when there is none.
const char* MatchCount(const char* p, const char* end, std::int64_t& value) {
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') {
        ++p;
    }
    const char* const digits = p;
    std::int64_t magnitude = 0;
    for (; p != end && *p >= '0' && *p <= '9'; ++p) {
        if (p - digits == 18) {
            return nullptr;
        }
        magnitude = magnitude * 10 + (*p - '0');
    }
    if (p == digits || (p != end && !IsBlank(*p))) {
        return nullptr;
    }
    value = negative ? -magnitude : magnitude;
    return p;
}

// Passes every count after the header to sink(count), in file order.
template <class Sink>
std::optional<Refusal> ReadCounts(RecordLines& lines, Sink&& sink) {
    std::int64_t total = 0;
    return ForEachField(lines, [&](const char* p, const char* end, std::optional<Refusal>& refusal) {
        std::int64_t count = 0;
        p = MatchCount(p, end, count);
        if (p == nullptr) {
            refusal = lines.Bad("整数ではない値があります");
        } else if (++total > kMaxRecordSamples) {
            refusal = lines.Bad(kTooManySamples);
        } else {
            sink(count);
        }
        return p;
    });
}

// What the scan keeps of one component file.
struct ComponentFacts {
    std::filesystem::path file;
    KnetHeader header;
    std::int64_t count = 0;
    int lastLine = 0;  // the file's last line, where its values end
    long double sum = 0;
    std::int64_t min = std::numeric_limits<std::int64_t>::max();
    std::int64_t max = std::numeric_limits<std::int64_t>::min();
};

std::optional<Refusal> ReadFacts(const std::filesystem::path& file, ComponentFacts& facts) {
    facts.file = file;
    RecordLines lines;
    if (auto refusal = lines.Open(file)) {
        return refusal;
    }
    if (auto refusal = ReadKnetHeader(lines, facts.header)) {
        return refusal;
    }
    auto refusal = ReadCounts(lines, [&facts](std::int64_t count) {
        ++facts.count;
        facts.sum += static_cast<long double>(count);
        facts.min = std::min(facts.min, count);
        facts.max = std::max(facts.max, count);
    });
    facts.lastLine = lines.LineNumber();
    return refusal;
}

// Every component must have the chosen file's rate and sample count.
std::optional<Refusal> CheckAgreement(const ComponentFacts& chosen, const ComponentFacts& other) {
    const std::string chosenName = FileNameText(chosen.file);
    if (other.header.samplingRate != chosen.header.samplingRate) {
        return BadRecordAt(other.file, kKnetRateLine,
                           "サンプリング周波数（" + ShortestText(other.header.samplingRate) + " Hz）が " + chosenName +
                               " の " + ShortestText(chosen.header.samplingRate) + " Hz と異なります");
    }
    if (other.count != chosen.count) {
        return BadRecordAt(other.file, other.lastLine,
                           "値の数（" + std::to_string(other.count) + " 個）が " + chosenName + " の " +
                               std::to_string(chosen.count) + " 個と異なります");
    }
    return std::nullopt;
}

std::string ChannelId(const KnetComponent& component, const KnetHeader& header) {
    if (!component.id.empty()) {
        return component.id;
    }
    std::string id = header.direction;
    std::erase(id, '-');
    return id;
}

RecordChannel ChannelOf(const KnetComponent& component, const KnetHeader& header) {
    return {ChannelId(component, header), header.stationCode, KnetEventText(header), component.file};
}

// The header states the peak after the record's mean is removed.
std::optional<std::string> MaxAccelerationNotice(const std::string& id, const ComponentFacts& facts) {
    const KnetHeader& header = facts.header;
    if (!header.maxAcceleration || facts.count == 0) {
        return std::nullopt;
    }
    const long double mean = facts.sum / static_cast<long double>(facts.count);
    const long double peakCounts = std::max(static_cast<long double>(facts.max) - mean,
                                            mean - static_cast<long double>(facts.min));
    const double peak = static_cast<double>(peakCounts) * header.scaleNumerator / header.scaleDenominator;
    if (std::fabs(peak - *header.maxAcceleration) <= kMaxAccelerationTolerance) {
        return std::nullopt;
    }
    const std::string who = id.empty() ? FileNameText(facts.file) : id + " 成分";
    return who + "の最大加速度（平均を除いて " + FixedText(peak, 3) + " gal）がヘッダの値（" +
           FixedText(*header.maxAcceleration, 3) + " gal）と一致しません" + std::string(kMessageEnd);
}

std::size_t ChosenIndex(const std::vector<KnetComponent>& components, const std::filesystem::path& file) {
    const auto found = std::find_if(components.begin(), components.end(),
                                    [&file](const KnetComponent& c) { return c.file == file; });
    return found == components.end() ? 0 : static_cast<std::size_t>(found - components.begin());
}

// Reads one component's samples in gal into `column`.
std::optional<Refusal> ReadComponentSamples(const KnetComponent& component, ComponentFacts& facts,
                                            TransferColumn& column, ReadProgress& progress) {
    facts.file = component.file;
    RecordLines lines;
    if (auto refusal = lines.Open(component.file)) {
        return refusal;
    }
    if (auto refusal = ReadKnetHeader(lines, facts.header)) {
        return refusal;
    }
    const RecordChannel channel = ChannelOf(component, facts.header);
    column.id = channel.id;
    column.name = channel.name;
    column.memo = channel.memo;
    column.unit = "gal";
    const double numerator = facts.header.scaleNumerator;
    const double denominator = facts.header.scaleDenominator;
    auto refusal = ReadCounts(lines, [&](std::int64_t count) {
        column.samples.push_back(ToSample(static_cast<double>(count) * numerator / denominator));
        progress.Add(1);
    });
    facts.count = static_cast<std::int64_t>(column.samples.size());
    facts.lastLine = lines.LineNumber();
    return refusal;
}

}  // namespace

ScanResult ScanKnetRecord(const std::filesystem::path& file, bool kiknet) {
    const std::vector<KnetComponent> components = FindKnetComponents(file, kiknet);
    const std::size_t chosen = ChosenIndex(components, file);
    std::vector<ComponentFacts> facts(components.size());
    if (auto refusal = ReadFacts(components[chosen].file, facts[chosen])) {
        return ScanRefusal(*refusal);
    }
    for (std::size_t k = 0; k < components.size(); ++k) {
        if (k == chosen) {
            continue;
        }
        if (auto refusal = ReadFacts(components[k].file, facts[k])) {
            return ScanRefusal(*refusal);
        }
        if (auto refusal = CheckAgreement(facts[chosen], facts[k])) {
            return ScanRefusal(*refusal);
        }
    }
    std::vector<RecordChannel> channels;
    std::vector<std::string> notices;
    for (std::size_t k = 0; k < components.size(); ++k) {
        channels.push_back(ChannelOf(components[k], facts[k].header));
        if (auto notice = MaxAccelerationNotice(channels.back().id, facts[k])) {
            notices.push_back(std::move(*notice));
        }
    }
    ScanResult scan = RecordScan(channels, static_cast<int>(facts[chosen].count), facts[chosen].header.samplingRate,
                                 NetworkLayoutName(kiknet ? NetworkLayout::KiKnet : NetworkLayout::Knet));
    scan.notices = std::move(notices);
    return scan;
}

TransferRead ReadKnetChannels(const std::filesystem::path& file, bool kiknet, const std::vector<int>& channels,
                              const std::function<void(int)>& progress) {
    const std::vector<KnetComponent> components = FindKnetComponents(file, kiknet);
    for (const int index : channels) {
        if (index < 0 || static_cast<std::size_t>(index) >= components.size()) {
            return ReadRefusal(MissingChannel(file));
        }
    }
    ReadProgress tracker(progress, channels.size());
    tracker.Add(0);
    TransferRead read;
    std::vector<ComponentFacts> facts(channels.size());
    for (std::size_t j = 0; j < channels.size(); ++j) {
        TransferColumn column;
        column.fileColumn = channels[j];
        if (j > 0) {
            column.samples.reserve(read.columns.front().samples.size());
        }
        const KnetComponent& component = components[static_cast<std::size_t>(channels[j])];
        if (auto refusal = ReadComponentSamples(component, facts[j], column, tracker)) {
            return ReadRefusal(*refusal);
        }
        if (j > 0) {
            if (auto refusal = CheckAgreement(facts.front(), facts[j])) {
                return ReadRefusal(*refusal);
            }
        }
        read.columns.push_back(std::move(column));
    }
    read.linesRead = channels.empty() ? 0 : static_cast<int>(facts.front().count);
    return read;
}

}  // namespace tremvix::formats
