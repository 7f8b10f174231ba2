#pragma once

#include "core/data/DataFileReader.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tremvix::formats {

inline constexpr std::size_t kSacHeaderBytes = 632;
inline constexpr std::size_t kSacVersionOffset = 304;  // NVHDR, the 7th integer

// What we use of a SAC binary header.
struct SacHeader {
    bool bigEndian = false;
    float delta = 0.0f;     // seconds per sample
    double start = 0.0;     // the first sample, seconds since 1970 (reference time + B)
    std::int32_t npts = 0;
    std::int32_t idep = 0;  // dependent-variable type
    std::string network, station, location, component;
};

// Any header version in either byte order: the bytes cannot be text.
bool LooksLikeSac(std::string_view head);

// The header at the beginning of `bytes`; refused with the byte offset of what is wrong
// (a version other than 6, a file shorter than its samples, uneven spacing, ...).
std::optional<Refusal> ParseSacHeader(std::string_view bytes, const std::filesystem::path& file, SacHeader& header);

// "NET.STA.LOC" as the channels' point name.
std::string SacPointName(const SacHeader& header);

// The unit of the samples as shown and the factor from the file's values to it:
// displacement in nm to mm, velocity in nm/s to kine (cm/s), acceleration in nm/s² to
// gal; anything else "count" unscaled.
struct SacUnit {
    std::string unit;
    double scale = 1.0;
};
SacUnit SacUnitOf(std::int32_t idep);

}  // namespace tremvix::formats
