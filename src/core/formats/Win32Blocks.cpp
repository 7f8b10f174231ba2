#include "core/formats/Win32Blocks.h"

#include "core/formats/BinaryBytes.h"
#include "core/formats/RecordChannels.h"

#include <cmath>
#include <string>

namespace tremvix::formats {
namespace {

constexpr std::size_t kBlockHeaderBytes = 16;   // time 8, frame length 4, data length 4
constexpr std::size_t kChannelHeaderBytes = 10;  // org 1, net 1, id 2, size and rate 2, first sample 4
constexpr std::uint32_t kOneSecond = 10;         // frame length in tenths of a second

const unsigned char* At(std::string_view bytes, std::size_t offset) {
    return reinterpret_cast<const unsigned char*>(bytes.data() + offset);
}

std::optional<int> Bcd(unsigned char byte) {
    const int high = byte >> 4, low = byte & 0x0F;
    if (high > 9 || low > 9) return std::nullopt;
    return high * 10 + low;
}

// The block's time: year in four digits, month, day, hour, minute, second, hundredths.
std::optional<double> BlockTime(const unsigned char* p) {
    int parts[8];
    for (int k = 0; k < 8; ++k) {
        const std::optional<int> value = Bcd(p[k]);
        if (!value) return std::nullopt;
        parts[k] = *value;
    }
    const int year = parts[0] * 100 + parts[1];
    if (parts[2] < 1 || parts[2] > 12 || parts[3] < 1 || parts[3] > 31 || parts[4] > 23 || parts[5] > 59 || parts[6] > 60)
        return std::nullopt;
    const auto days = DaysFromCivil(year, static_cast<unsigned>(parts[2]), static_cast<unsigned>(parts[3]));
    return static_cast<double>(days) * 86400.0 + parts[4] * 3600.0 + parts[5] * 60.0 + parts[6] + parts[7] / 100.0;
}

// Bytes the rate − 1 differences of a sample-size code take: four bits each for code 0.
std::size_t DifferenceBytes(int code, int rate) {
    const auto differences = static_cast<std::size_t>(rate - 1);
    return code == 0 ? (differences + 1) / 2 : differences * static_cast<std::size_t>(code);
}

// Difference k of a channel's block, sign extended from its width.
std::int32_t Difference(const unsigned char* p, int code, std::size_t k) {
    switch (code) {
    case 0: {
        const unsigned nibble = k % 2 == 0 ? p[k / 2] >> 4 : p[k / 2] & 0x0F;
        return static_cast<std::int32_t>(nibble ^ 8u) - 8;
    }
    case 1:
        return static_cast<std::int8_t>(p[k]);
    case 2:
        return static_cast<std::int16_t>(BigU16(p + 2 * k));
    case 3: {
        const unsigned char* q = p + 3 * k;
        const std::int32_t value = (std::int32_t{q[0]} << 16) | (std::int32_t{q[1]} << 8) | q[2];
        return (value & 0x800000) ? value - 0x1000000 : value;
    }
    default:
        return static_cast<std::int32_t>(BigU32(p + 4 * k));
    }
}

class BlockReader {
public:
    BlockReader(std::string_view bytes, const std::filesystem::path& file, bool decode, Win32Data& data)
        : bytes_(bytes), file_(file), decode_(decode), data_(data) {}

    std::optional<Refusal> Block(std::size_t& offset);

private:
    std::optional<Refusal> Channel(std::size_t& offset, std::size_t end, std::size_t index);

    std::string_view bytes_;
    const std::filesystem::path& file_;
    bool decode_;
    Win32Data& data_;
};

std::optional<Refusal> BlockReader::Block(std::size_t& offset) {
    if (bytes_.size() - offset < kBlockHeaderBytes)
        return BadBytesAt(file_, offset, "秒ブロックのヘッダーの途中でファイルが終わります");
    const std::optional<double> time = BlockTime(At(bytes_, offset));
    if (!time) return BadBytesAt(file_, offset, "秒ブロックの時刻が BCD の日時ではありません");
    if (data_.seconds == 0) data_.start = *time;
    else if (std::fabs(*time - (data_.start + data_.seconds)) > 0.005)
        return BadBytesAt(file_, offset, "秒ブロックの時刻が前のブロックの 1 秒後ではありません（欠測があります）");
    if (BigU32(At(bytes_, offset + 8)) != kOneSecond)
        return BadBytesAt(file_, offset + 8, "1 秒のブロックではありません");
    const std::uint32_t length = BigU32(At(bytes_, offset + 12));
    const std::size_t begin = offset + kBlockHeaderBytes;
    if (length > bytes_.size() - begin)
        return BadBytesAt(file_, offset + 12, "ブロックの長さ（" + std::to_string(length) + " バイト）がファイルの終わりを越えます");
    const std::size_t end = begin + length;
    std::size_t index = 0;
    for (offset = begin; offset < end; ++index)
        if (auto refusal = Channel(offset, end, index)) return refusal;
    if (index != data_.channels.size())
        return BadBytesAt(file_, end, "このブロックのチャンネルの数が最初のブロックと違います");
    ++data_.seconds;
    return std::nullopt;
}

std::optional<Refusal> BlockReader::Channel(std::size_t& offset, std::size_t end, std::size_t index) {
    if (end - offset < kChannelHeaderBytes)
        return BadBytesAt(file_, offset, "チャンネルのヘッダーの途中でブロックが終わります");
    const unsigned char* p = At(bytes_, offset);
    const std::uint16_t id = BigU16(p + 2);
    const int code = p[4] >> 4;
    const int rate = BigU16(p + 4) & 0x0FFF;
    if (code > 4) return BadBytesAt(file_, offset + 4, "サンプルの大きさのコード " + std::to_string(code) + " はありません");
    if (rate == 0) return BadBytesAt(file_, offset + 4, "サンプリング周波数が 0 です");
    if (data_.seconds == 0) {
        if (index != data_.channels.size()) return BadBytesAt(file_, offset, "チャンネルの順が乱れています");
        data_.channels.push_back({p[0], p[1], id, rate, {}});
    } else if (index >= data_.channels.size() || data_.channels[index].id != id || data_.channels[index].rate != rate) {
        return BadBytesAt(file_, offset, "チャンネルかサンプリング周波数が最初のブロックと違います");
    }
    const std::size_t size = DifferenceBytes(code, rate);
    if (size > end - offset - kChannelHeaderBytes)
        return BadBytesAt(file_, offset, "チャンネルのデータがブロックの終わりを越えます");
    if (decode_) {
        std::vector<std::int32_t>& counts = data_.channels[index].counts;
        std::int32_t value = static_cast<std::int32_t>(BigU32(p + 6));
        counts.push_back(value);
        for (std::size_t k = 0; k + 1 < static_cast<std::size_t>(rate); ++k) {
            // Wrapping as the 32-bit counters of the loggers do.
            value = static_cast<std::int32_t>(static_cast<std::uint32_t>(value) +
                                              static_cast<std::uint32_t>(Difference(p + kChannelHeaderBytes, code, k)));
            counts.push_back(value);
        }
    }
    offset += kChannelHeaderBytes + size;
    return std::nullopt;
}

}  // namespace

bool LooksLikeWin32(std::string_view head) {
    return head.size() >= kWin32FileHeaderBytes && head.substr(0, kWin32FileHeaderBytes) == std::string_view("\x0A\x02\x00\x00", 4);
}

std::optional<Refusal> ReadWin32(std::string_view bytes, const std::filesystem::path& file, bool decode,
                                 Win32Data& data) {
    if (!LooksLikeWin32(bytes)) return BadBytesAt(file, 0, "WIN32 のファイルではありません");
    BlockReader reader(bytes, file, decode, data);
    for (std::size_t offset = kWin32FileHeaderBytes; offset < bytes.size();) {
        const std::size_t block = offset;
        if (auto refusal = reader.Block(offset)) return refusal;
        if (data.channels.empty()) return BadBytesAt(file, block, "秒ブロックにチャンネルがありません");
        if (static_cast<std::int64_t>(data.seconds) * data.channels.front().rate > kMaxRecordSamples)
            return BadBytesAt(file, offset, kTooManySamples);
    }
    if (data.seconds == 0 || data.channels.empty()) return BadBytesAt(file, bytes.size(), "秒ブロックがありません");
    return std::nullopt;
}

std::vector<std::uint16_t> FirstBlockChannelIds(std::string_view head) {
    std::vector<std::uint16_t> ids;
    if (!LooksLikeWin32(head) || head.size() < kWin32FileHeaderBytes + kBlockHeaderBytes) return ids;
    const std::size_t begin = kWin32FileHeaderBytes + kBlockHeaderBytes;
    const std::size_t end = std::min<std::size_t>(head.size(), begin + BigU32(At(head, begin - 4)));
    for (std::size_t offset = begin; offset < end && end - offset >= kChannelHeaderBytes;) {
        const unsigned char* p = At(head, offset);
        const int code = p[4] >> 4;
        const int rate = BigU16(p + 4) & 0x0FFF;
        if (code > 4 || rate == 0) break;
        ids.push_back(BigU16(p + 2));
        offset += kChannelHeaderBytes + DifferenceBytes(code, rate);
    }
    return ids;
}

}  // namespace tremvix::formats
