#include "core/formats/MiniSeedTraces.h"

#include "core/formats/BinaryBytes.h"
#include "core/formats/BlockWindow.h"
#include "core/formats/RecordLines.h"
#include "core/formats/RecordText.h"

#include <libmseed.h>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <tuple>
#include <vector>
#include <map>
#include <mutex>

namespace tremvix::formats {
namespace {

double Seconds(hptime_t time) { return static_cast<double>(time) / HPTMODULUS; }

void Silent(char*) {}

// libmseed's own messages would go to standard error; its refusals are ours to word.
void SilenceLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { ms_loginit(Silent, nullptr, Silent, nullptr); });
}

// The continuous pieces of the file's channels, built record by record: a record that
// does not begin where the piece before it ends (within half a sample) starts another.
struct Piece {
    std::string network, station, location, channel;
    double start = 0.0, rate = 0.0;
    std::int64_t count = 0;
    std::vector<float> samples;

    std::string Name() const { return network + "." + station + "." + location + "." + channel; }
    double End() const { return start + static_cast<double>(count - 1) / rate; }
};

struct Gap {
    double after = 0.0, next = 0.0;
};

class Pieces {
public:
    void Add(const MSRecord& record, bool decode) {
        const std::string name = std::string(record.network) + "." + record.station + "." + record.location + "." +
                                 record.channel;
        const double start = Seconds(record.starttime);
        const auto last = last_.find(name);
        Piece* piece = last == last_.end() ? nullptr : &pieces_[last->second];
        if (piece && (piece->rate != record.samprate ||
                      std::fabs(start - (piece->start + static_cast<double>(piece->count) / piece->rate)) >= 0.5 / piece->rate)) {
            if (!gaps_.count(name)) gaps_[name] = {piece->End(), start};
            piece = nullptr;
        }
        if (!piece) {
            last_[name] = pieces_.size();
            piece = &pieces_.emplace_back();
            *piece = {record.network, record.station, record.location, record.channel, start, record.samprate, 0, {}};
        }
        piece->count += record.samplecnt;
        if (decode) Append(record, piece->samples);
    }

    std::vector<Piece>& All() { return pieces_; }
    const std::map<std::string, Gap>& Gaps() const { return gaps_; }

private:
    static void Append(const MSRecord& record, std::vector<float>& samples) {
        const auto n = static_cast<std::size_t>(std::max<std::int64_t>(record.numsamples, 0));
        if (record.sampletype == 'i') {
            const auto* values = static_cast<const std::int32_t*>(record.datasamples);
            const std::size_t at = samples.size();
            samples.resize(at + n);
            for (std::size_t k = 0; k < n; ++k) samples[at + k] = static_cast<float>(values[k]);
        } else if (record.sampletype == 'f') {
            const auto* values = static_cast<const float*>(record.datasamples);
            samples.insert(samples.end(), values, values + n);
        } else if (record.sampletype == 'd') {
            const auto* values = static_cast<const double*>(record.datasamples);
            for (std::size_t k = 0; k < n; ++k) samples.push_back(static_cast<float>(values[k]));
        }
    }

    std::vector<Piece> pieces_;
    std::map<std::string, std::size_t> last_;
    std::map<std::string, Gap> gaps_;
};

constexpr std::size_t kFixedHeader = 48;

// libmseed checks that a blockette starts inside the record but reads its body (up to
// a length field's 65,535 bytes) without checking that it ends there: each record is
// handed over in a buffer of its own with that many zeros after it, so that such a
// record reads zeros rather than memory beyond.
class PaddedRecord {
public:
    static constexpr std::size_t kSlack = 65536 + 64;

    // `largest`: the longest record the read window can show.
    explicit PaddedRecord(std::size_t largest) : bytes_(largest + kSlack, '\0') {}

    char* Hold(std::string_view record) {
        if (record.size() + kSlack > bytes_.size()) bytes_.resize(record.size() + kSlack, '\0');  // the file grew
        std::fill(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(held_), '\0');
        std::copy(record.begin(), record.end(), bytes_.begin());
        held_ = record.size();
        return bytes_.data();
    }

private:
    std::vector<char> bytes_;
    std::size_t held_ = 0;  // the last record's length: zeroed before the next is copied
};

// The length of the record at the start of `bytes`: its blockette 1000's (which may
// run past the end), or without one the distance to the next record header (at a
// multiple of the shortest record length) or to the end. 0 when no record begins there.
std::size_t RecordLength(std::string_view bytes) {
    if (bytes.size() < kFixedHeader) return 0;
    const int detected = ms_detect(bytes.data(), static_cast<int>(std::min<std::size_t>(bytes.size(), MAXRECLEN)));
    if (detected > 0) return static_cast<std::size_t>(detected);
    if (detected < 0) return 0;
    const auto headerAt = [&](std::size_t at) {
        return bytes.size() - at >= kFixedHeader && MS_ISVALIDHEADER(bytes.data() + at);
    };
    std::size_t length = MINRECLEN;
    while (length < bytes.size() && length < MAXRECLEN && !headerAt(length)) length += MINRECLEN;
    return std::min(length, bytes.size());
}

// Every record of the file; a record that does not read is refused with its offset.
// The file is framed here and each record handed to libmseed alone: its own file
// reader, on bytes it cannot take for a record, walks that record's blockettes for a
// diagnostic and never ends when they point back at each other.
std::optional<Refusal> ReadPieces(const std::filesystem::path& file, bool decode, Pieces& pieces,
                                  std::vector<std::string>& stationOrder) {
    // A record without a blockette 1000 is measured up to the next header: one record
    // and a fixed header ahead of the position are always in view.
    BlockWindow window(MAXRECLEN + kFixedHeader);
    if (auto refusal = window.Open(file)) return refusal;
    PaddedRecord padded(window.Capacity());
    MSRecord* record = nullptr;
    std::optional<Refusal> refusal;
    for (std::string_view rest = window.View(); !rest.empty(); rest = window.View()) {
        const std::uint64_t position = window.Offset();
        const std::size_t length = RecordLength(rest);
        constexpr int kCut = 1;  // the record runs past the end of the file
        const int status = length == 0             ? MS_NOTSEED
                           : length > rest.size() ? kCut
                                                   : msr_parse(padded.Hold(rest.substr(0, length)),
                                                               static_cast<int>(length), &record,
                                                               static_cast<int>(length), decode ? 1 : 0, 0);
        if (status != MS_NOERROR) {
            const std::string reason = status > 0 ? "レコードが途中で切れています" : ms_errorstr(status);
            refusal = BadBytesAt(file, position, "MiniSEED のレコードを読めません（" + reason + "）");
            break;
        }
        const std::string station = std::string(record->network) + "." + record->station;
        if (std::find(stationOrder.begin(), stationOrder.end(), station) == stationOrder.end())
            stationOrder.push_back(station);
        if (record->samprate <= 0.0 || !std::isfinite(record->samprate) || record->samplecnt < 0) {
            refusal = BadBytesAt(file, position, "サンプリング周波数かデータ数が正しくありません");
            break;
        }
        if (decode && record->sampletype != 'i' && record->sampletype != 'f' && record->sampletype != 'd') {
            refusal = BadBytesAt(file, position, "数ではないデータ（文字）のレコードです");
            break;
        }
        if (decode && record->numsamples != record->samplecnt) {
            refusal = BadBytesAt(file, position, "復号したデータの数がヘッダーと合いません");
            break;
        }
        pieces.Add(*record, decode);
        window.Advance(length);
    }
    if (!refusal && window.Failed()) refusal = BadBytesAt(file, window.Offset(), "ファイルを読めません");
    msr_free(&record);
    return refusal;
}

std::optional<Refusal> CheckRates(const std::filesystem::path& file, const SeedStation& station) {
    for (const SeedChannel& channel : station.channels) {
        const SeedChannel& first = station.channels.front();
        if (channel.rate != first.rate)
            return BadRecordAt(file, 0,
                               "成分のサンプリング周波数が違うので一緒に描けません（" + first.channel + " は " +
                                   ShortestText(first.rate) + " Hz、" + channel.channel + " は " +
                                   ShortestText(channel.rate) + " Hz）");
    }
    return std::nullopt;
}

}  // namespace

SeedStation ReadSeedStation(const std::filesystem::path& file, bool decode) {
    SilenceLibrary();
    SeedStation station;
    Pieces pieces;
    std::vector<std::string> stations;
    if (auto refusal = ReadPieces(file, decode, pieces, stations)) {
        station.refusal = refusal;
        return station;
    }
    if (stations.empty()) {
        station.refusal = BadRecordAt(file, 0, "MiniSEED のレコードがありません");
        return station;
    }
    // A channel in more than one piece has a gap or an overlap: the earliest is named.
    std::optional<std::pair<std::string, Gap>> first;
    for (const auto& [name, gap] : pieces.Gaps())
        if (name.starts_with(stations.front() + ".") && (!first || gap.after < first->second.after)) first = {name, gap};
    if (first) {
        station.refusal = BadRecordAt(file, 0,
                                      first->first + " の " + TimeText(first->second.after) +
                                          " の後に欠測か重なりがあります（次のデータは " +
                                          TimeText(first->second.next) + " から）");
        return station;
    }
    for (Piece& piece : pieces.All()) {
        if (piece.network + "." + piece.station != stations.front()) continue;
        if (station.channels.empty()) {
            station.network = piece.network;
            station.station = piece.station;
            station.location = piece.location;
        }
        station.channels.push_back({piece.location, piece.channel, piece.start, piece.rate, piece.count, std::move(piece.samples)});
    }
    std::sort(station.channels.begin(), station.channels.end(), [](const SeedChannel& a, const SeedChannel& b) {
        return std::tie(a.location, a.channel) < std::tie(b.location, b.channel);
    });
    station.otherStations.assign(stations.begin() + 1, stations.end());
    if (auto refusal = CheckRates(file, station)) station.refusal = refusal;
    return station;
}

}  // namespace tremvix::formats
