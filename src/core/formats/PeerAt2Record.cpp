#include "core/formats/PeerAt2Record.h"

#include "core/data/NumberReader.h"
#include "core/formats/At2Header.h"
#include "core/formats/NetworkRecord.h"
#include "core/formats/RecordChannels.h"
#include "core/formats/RecordLines.h"
#include "core/formats/RecordText.h"

#include <algorithm>
#include <string>
#include <system_error>

namespace tremvix::formats {
namespace {

constexpr double kGal = 980.665;  // one g in gal

struct At2Member {
    std::filesystem::path file;
    At2Header header;
};

// Passes every value (in g) to sink(value); refuses values beyond NPTS at once and
// too few at the end.
template <class Sink>
std::optional<Refusal> ReadValues(RecordLines& lines, std::int64_t expected, Sink&& sink) {
    std::int64_t count = 0;
    const auto take = [&](const char* p, const char* end, std::optional<Refusal>& refusal) {
        const char* const numberEnd = MatchDecimal(p, end);
        // A number ends at a blank, the end of the line or the sign of the next one.
        if (numberEnd == nullptr ||
            (numberEnd != end && !IsBlank(*numberEnd) && *numberEnd != '-' && *numberEnd != '+')) {
            refusal = lines.Bad("数値ではない値があります");
        } else if (++count > expected) {
            refusal = lines.Bad("NPTS（" + std::to_string(expected) + "）より多くの値があります");
        } else {
            sink(ReadNumber(p, numberEnd));
        }
        return numberEnd;
    };
    if (auto refusal = ForEachField(lines, take)) {
        return refusal;
    }
    if (count < expected) {
        return lines.BadAt(kAt2CountLine, "値の数（" + std::to_string(count) + " 個）が NPTS（" +
                                              std::to_string(expected) + "）より少なくなっています");
    }
    return std::nullopt;
}

std::optional<Refusal> ReadHeaderOf(const std::filesystem::path& file, RecordLines& lines, At2Header& header) {
    if (auto refusal = lines.Open(file)) {
        return refusal;
    }
    return ReadAt2Header(lines, header);
}

// PEER names an up-down component "UP", "DWN", "V", "VER" and the like.
bool IsVertical(const std::string& component) {
    std::string word;
    for (const char c : component) {
        if (c >= 'a' && c <= 'z') word.push_back(static_cast<char>(c - 'a' + 'A'));
        else if (c != ' ' && c != '-') word.push_back(c);
    }
    for (const char* vertical : {"UP", "DWN", "DOWN", "UD", "V", "VER", "VERT", "VERTICAL", "Z"}) {
        if (word == vertical) return true;
    }
    return false;
}

bool SameRecord(const At2Header& a, const At2Header& b) {
    return a.identity == b.identity && a.step == b.step;
}

// The chosen file and the files beside it that belong to its record, by file name.
std::vector<At2Member> FindMembers(const std::filesystem::path& chosen, const At2Header& chosenHeader) {
    std::vector<At2Member> members{{chosen, chosenHeader}};
    const std::filesystem::path folder = chosen.has_parent_path() ? chosen.parent_path() : ".";
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::filesystem::path& candidate = it->path();
        std::error_code typeError;
        if (candidate.filename() == chosen.filename() || !it->is_regular_file(typeError)) {
            continue;
        }
        RecordLines lines(RecordLines::kPeekBlockSize);
        At2Header header;
        if (!ReadHeaderOf(candidate, lines, header) && SameRecord(header, chosenHeader)) {
            members.push_back({candidate, header});
        }
    }
    std::sort(members.begin(), members.end(), [](const At2Member& a, const At2Member& b) {
        return a.file.filename().string() < b.file.filename().string();
    });
    // Horizontals first, as the other layouts list them.
    std::stable_partition(members.begin(), members.end(),
                          [](const At2Member& m) { return !IsVertical(m.header.component); });
    return members;
}

std::int64_t ShortestCount(const std::vector<At2Member>& members) {
    std::int64_t shortest = members.front().header.count;
    for (const At2Member& member : members) {
        shortest = std::min(shortest, member.header.count);
    }
    return shortest;
}

std::optional<std::string> CutNotice(const std::vector<At2Member>& members) {
    std::int64_t longest = 0;
    for (const At2Member& member : members) {
        longest = std::max(longest, member.header.count);
    }
    const std::int64_t shortest = ShortestCount(members);
    if (shortest == longest) {
        return std::nullopt;
    }
    return "値の数が成分によって異なります（" + std::to_string(shortest) + "～" + std::to_string(longest) +
           " 個）。すべて最も短い " + std::to_string(shortest) + " 個にそろえました" + std::string(kMessageEnd);
}

RecordChannel ChannelOf(const At2Member& member) {
    return {member.header.component, member.header.station, member.header.event, member.file};
}

// Reads one member through, keeping its first `keep` values in gal when asked.
std::optional<Refusal> ReadMember(const At2Member& member, std::int64_t keep, std::vector<float>* samples,
                                  ReadProgress* progress) {
    RecordLines lines;
    At2Header header;
    if (auto refusal = ReadHeaderOf(member.file, lines, header)) {
        return refusal;
    }
    if (!SameRecord(header, member.header) || header.count != member.header.count) {
        return BadRecordAt(member.file, 0, "読み込み中にファイルが変わりました");
    }
    if (samples != nullptr) {
        // NPTS is only a claim until the values are counted; a value takes two bytes at least.
        std::error_code error;
        const std::uintmax_t bytes = std::filesystem::file_size(member.file, error);
        samples->reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(keep, error ? 0 : bytes / 2)));
    }
    std::int64_t index = 0;
    return ReadValues(lines, header.count, [&](double g) {
        if (samples != nullptr && index++ < keep) {
            samples->push_back(ToSample(g * kGal));
            progress->Add(1);
        }
    });
}

// The chosen file's header and the members of its record.
std::optional<Refusal> FindRecord(const std::filesystem::path& file, std::vector<At2Member>& members) {
    RecordLines lines(RecordLines::kPeekBlockSize);
    At2Header header;
    if (auto refusal = ReadHeaderOf(file, lines, header)) {
        return refusal;
    }
    members = FindMembers(file, header);
    return std::nullopt;
}

}  // namespace

ScanResult ScanAt2Record(const std::filesystem::path& file) {
    std::vector<At2Member> members;
    if (auto refusal = FindRecord(file, members)) {
        return ScanRefusal(*refusal);
    }
    std::vector<RecordChannel> channels;
    for (const At2Member& member : members) {
        if (auto refusal = ReadMember(member, 0, nullptr, nullptr)) {
            return ScanRefusal(*refusal);
        }
        channels.push_back(ChannelOf(member));
    }
    ScanResult scan = RecordScan(channels, static_cast<int>(ShortestCount(members)), 1.0 / members.front().header.step,
                                 NetworkLayoutName(NetworkLayout::PeerAt2));
    if (auto notice = CutNotice(members)) {
        scan.notices.push_back(std::move(*notice));
    }
    return scan;
}

TransferRead ReadAt2Channels(const std::filesystem::path& file, const std::vector<int>& channels,
                             const std::function<void(int)>& progress) {
    std::vector<At2Member> members;
    if (auto refusal = FindRecord(file, members)) {
        return ReadRefusal(*refusal);
    }
    const std::int64_t keep = ShortestCount(members);
    TransferRead read;
    for (const int index : channels) {
        if (index < 0 || static_cast<std::size_t>(index) >= members.size()) {
            return ReadRefusal(MissingChannel(file));
        }
        read.columns.push_back(EmptyColumn(ChannelOf(members[static_cast<std::size_t>(index)]), index));
    }
    ReadProgress tracker(progress, channels.size());
    tracker.Add(0);
    for (TransferColumn& column : read.columns) {
        const At2Member& member = members[static_cast<std::size_t>(column.fileColumn)];
        if (auto refusal = ReadMember(member, keep, &column.samples, &tracker)) {
            return ReadRefusal(*refusal);
        }
    }
    read.linesRead = static_cast<int>(keep);
    return read;
}

}  // namespace tremvix::formats
