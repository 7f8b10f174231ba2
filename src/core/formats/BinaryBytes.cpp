#include "core/formats/BinaryBytes.h"

#include "core/formats/RecordLines.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace tremvix::formats {

std::optional<Refusal> ReadWholeFile(const std::filesystem::path& file, std::string& bytes) {
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) {
        Refusal refusal{RefusalKind::NotAFile};
        refusal.file = FileNameText(file);
        return refusal;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        Refusal refusal{RefusalKind::CannotOpen};
        refusal.file = FileNameText(file);
        return refusal;
    }
    // Straight into the string, in one read of the size the file has (and a byte more,
    // to meet its end), then in large blocks should it have grown meanwhile.
    bytes.clear();
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    constexpr std::size_t kBlock = std::size_t{1} << 20;
    std::size_t block = !error && size < kBlock * 1024 ? static_cast<std::size_t>(size) + 1 : kBlock;
    while (in) {
        const std::size_t at = bytes.size();
        bytes.resize(at + block);
        in.read(bytes.data() + at, static_cast<std::streamsize>(block));
        bytes.resize(at + static_cast<std::size_t>(in.gcount()));
        block = kBlock;
    }
    if (in.bad()) {
        Refusal refusal{RefusalKind::CannotOpen};
        refusal.file = FileNameText(file);
        return refusal;
    }
    return std::nullopt;
}

Refusal BadBytesAt(const std::filesystem::path& file, std::uint64_t offset, const std::string& detail) {
    return BadRecordAt(file, 0, std::to_string(offset) + " バイト目：" + detail);
}

std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

std::string TimeText(double seconds) {
    const auto millis = static_cast<std::int64_t>(std::llround(seconds * 1000.0));
    std::int64_t days = millis / 86400000;
    std::int64_t rest = millis % 86400000;
    if (rest < 0) {
        rest += 86400000;
        --days;
    }
    // The civil date of a day count (the inverse of DaysFromCivil).
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(z - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2);
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02u %02d:%02d:%02d.%03d", static_cast<long long>(year), month, day,
                  static_cast<int>(rest / 3600000), static_cast<int>(rest / 60000 % 60), static_cast<int>(rest / 1000 % 60),
                  static_cast<int>(rest % 1000));
    return text;
}

}  // namespace tremvix::formats
