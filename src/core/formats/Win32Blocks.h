#pragma once

#include "core/data/DataFileReader.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace tremvix::formats {

inline constexpr std::size_t kWin32FileHeaderBytes = 4;

// The first bytes of a WIN32 file: format 0x0A, version 0x02, two reserved bytes.
bool LooksLikeWin32(std::string_view head);

// One channel of a WIN32 file: its ids, rate and (when decoded) its counts, every
// one-second block's after the other.
struct Win32Channel {
    std::uint8_t organisation = 0, network = 0;
    std::uint16_t id = 0;
    int rate = 0;
    std::vector<std::int32_t> counts;
};

struct Win32Data {
    double start = 0.0;  // the first block's time, seconds since 1970 as written (JST)
    int seconds = 0;     // blocks read
    std::vector<Win32Channel> channels;  // in the order of the first block
};

// Every one-second block of the file: each must hold the first block's channels at
// their rates and follow the one before by one second. Refused with the byte offset of
// the first inconsistency (a block running past the file, a sample-size code that does
// not exist, a time that is not BCD, ...).
std::optional<Refusal> ReadWin32(std::string_view bytes, const std::filesystem::path& file, bool decode,
                                 Win32Data& data);

// The channel ids of the first block of whatever part of a file is given.
std::vector<std::uint16_t> FirstBlockChannelIds(std::string_view head);

}  // namespace tremvix::formats
