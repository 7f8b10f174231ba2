#pragma once

#include "core/data/DataFileReader.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tremvix::formats {

// One channel of a MiniSEED station: its continuous samples (when decoded).
struct SeedChannel {
    std::string location, channel;
    double start = 0.0;  // seconds since 1970
    double rate = 0.0;   // Hz
    std::int64_t count = 0;
    std::vector<float> samples;  // decoded only when asked
};

// The station read from a file: the first station in it, all its channels.
struct SeedStation {
    std::string network, station, location;  // location of the first channel
    std::vector<SeedChannel> channels;        // in location and channel order
    std::vector<std::string> otherStations;   // "NET.STA" of the others in the file
    std::optional<Refusal> refusal;
};

// Reads the file's records (the samples decoded when `decode`), refusing a record that
// cannot be read with its byte offset, a channel with a gap or overlap with its time,
// channels of different rates, and data that are not numbers.
SeedStation ReadSeedStation(const std::filesystem::path& file, bool decode);

}  // namespace tremvix::formats
