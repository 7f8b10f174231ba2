#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace tremvix {

inline constexpr int kMaxChannels = 8;
inline constexpr int kChannelIdSize = 10;
inline constexpr int kPointNameSize = 40;
inline constexpr int kMemoSize = 40;
inline constexpr int kUnitSize = 13;

// One channel as it is kept in memory: fixed-width, NUL-terminated Shift-JIS text
// fields copied from the data file, and its single-precision samples, as many as
// the file had.
struct ChannelRecord {
    std::uint8_t Filled = 0;
    char ChannelId[kChannelIdSize] = {};
    char PointName[kPointNameSize] = {};
    char Memo[kMemoSize] = {};
    char Unit[kUnitSize] = {};
    std::int32_t SampleCount = 0;
    std::vector<float> Samples;  // SampleCount of them

    // The samples that are really there: SampleCount, but never past the vector.
    std::int32_t StoredCount() const {
        return std::clamp<std::int32_t>(SampleCount, 0, static_cast<std::int32_t>(std::min<std::size_t>(Samples.size(), INT32_MAX)));
    }
    // Sample i, or 0 where the record holds none.
    float SampleOrZero(std::int64_t i) const {
        return i >= 0 && i < StoredCount() ? Samples[static_cast<std::size_t>(i)] : 0.0f;
    }
};

// A filled record holding exactly these samples, without ids, names or unit.
inline ChannelRecord FilledRecord(std::vector<float> samples) {
    ChannelRecord record;
    record.Filled = 1;
    record.SampleCount = static_cast<std::int32_t>(samples.size());
    record.Samples = std::move(samples);
    return record;
}

}  // namespace tremvix
