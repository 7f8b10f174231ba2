#pragma once

#include "core/data/DataFileReader.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tremvix::formats {

// A whole binary file into `bytes`; refused (naming the file) when it cannot be read.
std::optional<Refusal> ReadWholeFile(const std::filesystem::path& file, std::string& bytes);

// A refusal of a binary file naming the byte offset where it goes wrong.
Refusal BadBytesAt(const std::filesystem::path& file, std::uint64_t offset, const std::string& detail);

inline std::uint32_t BigU32(const unsigned char* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}
inline std::uint32_t LittleU32(const unsigned char* p) {
    return (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
}
inline std::uint16_t BigU16(const unsigned char* p) {
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

// Four bytes at `offset` of `bytes` (which must hold them) in either byte order.
inline std::uint32_t U32At(std::string_view bytes, std::size_t offset, bool bigEndian) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + offset);
    return bigEndian ? BigU32(p) : LittleU32(p);
}
inline std::int32_t I32At(std::string_view bytes, std::size_t offset, bool bigEndian) {
    return static_cast<std::int32_t>(U32At(bytes, offset, bigEndian));
}
inline float F32At(std::string_view bytes, std::size_t offset, bool bigEndian) {
    const std::uint32_t bits = U32At(bytes, offset, bigEndian);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Days from 1970-01-01 to the given day of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day);

// "2024-01-02 03:04:05.678" of seconds since 1970 in the clock the file keeps, to the millisecond.
std::string TimeText(double seconds);

}  // namespace tremvix::formats
