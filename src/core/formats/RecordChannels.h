#pragma once

#include "core/data/DataFileReader.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tremvix::formats {

// One channel of a network record: its header texts (bytes as read), its file and
// the unit its samples are read in.
struct RecordChannel {
    std::string id, name, memo;
    std::filesystem::path file;
    std::string unit = "gal";
};

// The scan of a record whose channels all hold `samples` values.
ScanResult RecordScan(const std::vector<RecordChannel>& channels, int samples, double rate,
                      std::string layoutName);

ScanResult ScanRefusal(Refusal refusal);
TransferRead ReadRefusal(Refusal refusal);

// An empty column of channel `index`, its texts and unit filled in.
TransferColumn EmptyColumn(const RecordChannel& channel, int index);

// A chosen channel index that the record, as found now, does not have.
Refusal MissingChannel(const std::filesystem::path& file);

// The record holds more values per channel than a count can say.
inline constexpr std::int64_t kMaxRecordSamples = 2147483647;
inline constexpr const char* kTooManySamples = "値が多すぎます";

// Reports reading progress as samples per channel: the samples read so far over all
// channels divided by the channel count, every few thousand samples. Lives within
// the read call whose callback it refers to.
class ReadProgress {
public:
    ReadProgress(const std::function<void(int)>& report, std::size_t channels);
    void Add(std::size_t samples);

private:
    static constexpr std::size_t kStep = 4096;
    const std::function<void(int)>& report_;
    std::size_t channels_;
    std::size_t total_ = 0;
    std::size_t nextReport_ = 0;
};

}  // namespace tremvix::formats
