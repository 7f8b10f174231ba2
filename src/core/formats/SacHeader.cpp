#include "core/formats/SacHeader.h"

#include "core/formats/BinaryBytes.h"
#include "core/formats/RecordChannels.h"
#include "core/formats/RecordText.h"

#include <cmath>

namespace tremvix::formats {
namespace {

constexpr std::size_t kIntegers = 280;  // the 40 integers follow the 70 floats
constexpr std::size_t kDelta = 0, kBegin = 5 * 4;
constexpr std::size_t kNzyear = kIntegers, kNzjday = kIntegers + 4, kNzhour = kIntegers + 8, kNzmin = kIntegers + 12,
                      kNzsec = kIntegers + 16, kNzmsec = kIntegers + 20, kNpts = kIntegers + 9 * 4,
                      kIftype = kIntegers + 15 * 4, kIdep = kIntegers + 16 * 4, kLeven = kIntegers + 35 * 4;
constexpr std::size_t kStation = 440, kHole = 464, kComponent = 600, kNetwork = 608;
constexpr std::int32_t kUndefined = -12345;
constexpr std::int32_t kTimeSeries = 1;  // ITIME
constexpr std::int32_t kDisplacement = 6, kVelocity = 7, kAcceleration = 8;

std::string Text8(std::string_view bytes, std::size_t offset) {
    std::string_view text = bytes.substr(offset, 8);
    text = text.substr(0, text.find('\0'));
    text = TrimSpaces(text);
    return text == "-12345" ? std::string() : std::string(text);
}

bool IsVersion(std::int32_t value) { return value >= 1 && value <= 7; }

}  // namespace

bool LooksLikeSac(std::string_view head) {
    if (head.size() < kSacHeaderBytes) return false;
    return IsVersion(I32At(head, kSacVersionOffset, false)) || IsVersion(I32At(head, kSacVersionOffset, true));
}

std::optional<Refusal> ParseSacHeader(std::string_view bytes, const std::filesystem::path& file, SacHeader& header) {
    if (bytes.size() < kSacHeaderBytes)
        return BadBytesAt(file, bytes.size(), "SAC のヘッダー（632 バイト）の途中でファイルが終わります");
    if (I32At(bytes, kSacVersionOffset, false) == 6) {
        header.bigEndian = false;
    } else if (I32At(bytes, kSacVersionOffset, true) == 6) {
        header.bigEndian = true;
    } else {
        return BadBytesAt(file, kSacVersionOffset, "SAC ヘッダーの版（NVHDR）が 6 ではありません");
    }
    const bool big = header.bigEndian;
    header.delta = F32At(bytes, kDelta, big);
    if (!(header.delta > 0.0f) || !std::isfinite(header.delta))
        return BadBytesAt(file, kDelta, "サンプリング間隔（DELTA）が正の数ではありません");
    if (I32At(bytes, kIftype, big) != kTimeSeries)
        return BadBytesAt(file, kIftype, "時刻歴のファイル（IFTYPE = ITIME）ではありません");
    if (I32At(bytes, kLeven, big) != 1) return BadBytesAt(file, kLeven, "等間隔のデータ（LEVEN）ではありません");
    header.npts = I32At(bytes, kNpts, big);
    if (header.npts < 0) return BadBytesAt(file, kNpts, "データ数（NPTS）が負です");
    header.idep = I32At(bytes, kIdep, big);

    // The reference time is optional; the start is then B seconds from 1970.
    const std::int32_t year = I32At(bytes, kNzyear, big), day = I32At(bytes, kNzjday, big);
    double reference = 0.0;
    if (year != kUndefined && day != kUndefined) {
        if (day < 1 || day > 366) return BadBytesAt(file, kNzjday, "通日（NZJDAY）が 1〜366 ではありません");
        reference = static_cast<double>(DaysFromCivil(year, 1, 1) + day - 1) * 86400.0;
        const std::size_t parts[] = {kNzhour, kNzmin, kNzsec, kNzmsec};
        const double units[] = {3600.0, 60.0, 1.0, 0.001};
        for (int k = 0; k < 4; ++k) {
            const std::int32_t value = I32At(bytes, parts[k], big);
            if (value != kUndefined) reference += value * units[k];
        }
    }
    const float begin = F32At(bytes, kBegin, big);
    header.start = reference + (std::isfinite(begin) && begin != static_cast<float>(kUndefined) ? begin : 0.0);
    header.network = Text8(bytes, kNetwork);
    header.station = Text8(bytes, kStation);
    header.location = Text8(bytes, kHole);
    header.component = Text8(bytes, kComponent);
    return std::nullopt;
}

std::string SacPointName(const SacHeader& header) {
    return header.network + "." + header.station + "." + header.location;
}

SacUnit SacUnitOf(std::int32_t idep) {
    switch (idep) {
    case kDisplacement:
        return {"mm", 1e-6};
    case kVelocity:
        return {"kine", 1e-7};
    case kAcceleration:
        return {"gal", 1e-7};
    default:
        return {"count", 1.0};
    }
}

}  // namespace tremvix::formats
