#include "core/formats/Win32Record.h"

#include "core/formats/BinaryBytes.h"
#include "core/formats/NetworkRecord.h"
#include "core/formats/RecordChannels.h"
#include "core/formats/RecordLines.h"
#include "core/formats/RecordText.h"
#include "core/formats/Win32Blocks.h"
#include "core/formats/Win32ChannelTable.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace tremvix::formats {
namespace {

namespace fs = std::filesystem;

std::string HeadOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string head(kFileHeadBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return head;
}

// The other regular files of the chosen file's folder, in name order.
std::vector<fs::path> Beside(const fs::path& chosen) {
    std::vector<fs::path> files;
    std::error_code error;
    const fs::path folder = chosen.has_parent_path() ? chosen.parent_path() : fs::path(".");
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->path().filename() != chosen.filename() && it->is_regular_file(error))
            files.push_back(chosen.has_parent_path() ? it->path() : it->path().filename());
    std::sort(files.begin(), files.end());
    return files;
}

// How many of the ids a channel table file lists; 0 for a file that is none.
std::size_t Listed(const std::vector<std::uint16_t>& ids, const fs::path& file) {
    Win32Table table;
    if (!LooksLikeChannelTable(HeadOf(file)) || ReadChannelTable(file, table)) return 0;
    return static_cast<std::size_t>(std::count_if(ids.begin(), ids.end(), [&table](std::uint16_t id) { return table.count(id) > 0; }));
}

// The data file and its table (empty when none is beside it).
struct Win32Files {
    fs::path data, table;
};

// With the other file as the user chose it, or else found beside.
Win32Files FindFiles(const fs::path& file, const fs::path& companion) {
    const std::string head = HeadOf(file);
    if (!companion.empty()) return LooksLikeWin32(head) ? Win32Files{file, companion} : Win32Files{companion, file};
    if (LooksLikeWin32(head)) {
        // The table listing most of the first block's channels; the first by name of equals.
        const std::vector<std::uint16_t> ids = FirstBlockChannelIds(head);
        Win32Files found{file, {}};
        std::size_t best = 0;
        for (const fs::path& other : Beside(file)) {
            if (const std::size_t listed = Listed(ids, other); listed > best) {
                best = listed;
                found.table = other;
            }
        }
        return found;
    }
    for (const fs::path& other : Beside(file)) {
        const std::string otherHead = HeadOf(other);
        if (LooksLikeWin32(otherHead) && Listed(FirstBlockChannelIds(otherHead), file) > 0) return {other, file};
    }
    return {{}, file};
}

struct Win32Record {
    Win32Files files;
    Win32Data data;
    std::vector<RecordChannel> channels;
    std::vector<double> factors;
    std::vector<std::string> notices;
    std::optional<Refusal> refusal;
};

std::string HexText(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

std::optional<Refusal> CheckRates(const fs::path& file, const Win32Data& data) {
    for (const Win32Channel& channel : data.channels)
        if (channel.rate != data.channels.front().rate)
            return BadRecordAt(file, 0,
                               "チャンネルのサンプリング周波数が違うので一緒に描けません（" +
                                   HexText(data.channels.front().id, 4) + " は " +
                                   std::to_string(data.channels.front().rate) + " Hz、" + HexText(channel.id, 4) +
                                   " は " + std::to_string(channel.rate) + " Hz）");
    return std::nullopt;
}

// A file the user chose as the other one that is not what it was chosen as.
std::optional<Refusal> WrongCompanion(const Win32Files& files, const fs::path& companion) {
    if (companion.empty()) return std::nullopt;
    if (companion == files.data && !LooksLikeWin32(HeadOf(companion)))
        return BadRecordAt(companion, 0, "WIN32 のファイルではありません");
    if (companion == files.table && !LooksLikeChannelTable(HeadOf(companion)))
        return BadRecordAt(companion, 1, "WIN32 のチャンネル表ではありません");
    return std::nullopt;
}

Win32Record ReadRecord(const fs::path& file, const fs::path& companion, bool decode) {
    Win32Record record;
    record.files = FindFiles(file, companion);
    if (record.files.data.empty()) {
        record.refusal = BadRecordAt(file, 0, "このチャンネル表のチャンネルを持つ WIN32 のファイルが隣にありません");
        return record;
    }
    if (auto refusal = WrongCompanion(record.files, companion)) {
        record.refusal = refusal;
        return record;
    }
    Win32Table table;
    if (!record.files.table.empty())
        if (auto refusal = ReadChannelTable(record.files.table, table)) {
            record.refusal = refusal;
            return record;
        }
    std::string bytes;
    if (auto refusal = ReadWholeFile(record.files.data, bytes)) {
        record.refusal = refusal;
        return record;
    }
    if (auto refusal = ReadWin32(bytes, record.files.data, decode, record.data)) {
        record.refusal = refusal;
        return record;
    }
    if (auto refusal = CheckRates(record.files.data, record.data)) {
        record.refusal = refusal;
        return record;
    }
    std::string unlisted;
    for (const Win32Channel& channel : record.data.channels) {
        const std::string memo = HexText(channel.id, 4) + " " + TimeText(record.data.start);
        const auto row = table.find(channel.id);
        if (row == table.end()) {
            unlisted += (unlisted.empty() ? "" : "、") + HexText(channel.id, 4);
            record.channels.push_back({HexText(channel.id, 4), HexText(channel.organisation, 2) + "." + HexText(channel.network, 2),
                                       memo, record.files.data, "count"});
            record.factors.push_back(1.0);
            continue;
        }
        const Win32Scale scale = ScaleOf(row->second);
        record.channels.push_back({row->second.component, row->second.station, memo, record.files.data, scale.unit});
        record.factors.push_back(scale.factor);
    }
    if (!unlisted.empty())
        record.notices.push_back((record.files.table.empty() ? std::string("チャンネル表が隣にないので")
                                                              : "チャンネル表にない " + unlisted + " は") +
                                 "カウント値のまま読みます" + std::string(kMessageEnd));
    return record;
}

class Win32Layout final : public RecordFormat {
public:
    NetworkLayout Layout() const override { return NetworkLayout::Win32; }
    std::string Name() const override { return "WIN32形式"; }
    bool Binary() const override { return true; }
    bool Recognises(const fs::path&, const FileHead& head) const override {
        return LooksLikeWin32(head.bytes) || LooksLikeChannelTable(head.bytes);
    }

    std::optional<CompanionFile> MissingCompanion(const fs::path& file) const override {
        const Win32Files files = FindFiles(file, {});
        if (files.data.empty()) return CompanionFile{"WIN32のデータファイル", "*.cnt;*.win;*.win32"};
        if (files.table.empty()) return CompanionFile{"WIN32のチャンネル表", "*.ch;*.tbl"};
        return std::nullopt;
    }

    ScanResult Scan(const fs::path& file) const override { return ScanWith(file, {}); }
    TransferRead Read(const fs::path& file, const std::vector<int>& channels,
                      const std::function<void(int)>& progress) const override {
        return ReadWith(file, {}, channels, progress);
    }

    ScanResult ScanWith(const fs::path& file, const fs::path& companion) const override {
        const Win32Record record = ReadRecord(file, companion, false);
        if (record.refusal) return ScanRefusal(*record.refusal);
        const int samples = record.data.seconds * record.data.channels.front().rate;
        ScanResult scan = RecordScan(record.channels, samples, record.data.channels.front().rate, Name());
        scan.notices = record.notices;
        return scan;
    }

    TransferRead ReadWith(const fs::path& file, const fs::path& companion, const std::vector<int>& channels,
                          const std::function<void(int)>& progress) const override {
        const Win32Record record = ReadRecord(file, companion, true);
        if (record.refusal) return ReadRefusal(*record.refusal);
        TransferRead read;
        ReadProgress report(progress, channels.size());
        for (const int index : channels) {
            if (index < 0 || static_cast<std::size_t>(index) >= record.channels.size())
                return ReadRefusal(MissingChannel(file));
            const auto k = static_cast<std::size_t>(index);
            TransferColumn column = EmptyColumn(record.channels[k], index);
            const std::vector<std::int32_t>& counts = record.data.channels[k].counts;
            column.samples.reserve(counts.size());
            for (const std::int32_t count : counts) column.samples.push_back(static_cast<float>(count * record.factors[k]));
            report.Add(column.samples.size());
            read.columns.push_back(std::move(column));
        }
        read.linesRead = record.data.seconds * record.data.channels.front().rate;
        return read;
    }

    std::vector<fs::path> RecordFiles(const fs::path& file) const override {
        const Win32Files files = FindFiles(file, {});
        std::vector<fs::path> found;
        for (const fs::path& each : {files.data, files.table})
            if (!each.empty()) found.push_back(each);
        return found.empty() ? std::vector<fs::path>{file} : found;
    }

    // A data file is a record needing the table beside it; the table is no record.
    RecordGroup GroupOf(const fs::path&, const FileHead& head) const override {
        if (LooksLikeWin32(head.bytes)) return {{}, {}, {}, false, "W"};
        return {"W", {}, {}, true, {}};
    }
};

}  // namespace

const RecordFormat& Win32Format() {
    static const Win32Layout format;
    return format;
}

}  // namespace tremvix::formats
