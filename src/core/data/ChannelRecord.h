#pragma once

#include <cstdint>

namespace tremvix {

inline constexpr int kMaxChannels = 8;
inline constexpr int kMaxSamples = 30000;
inline constexpr int kChannelIdSize = 10;
inline constexpr int kPointNameSize = 40;
inline constexpr int kMemoSize = 40;
inline constexpr int kUnitSize = 13;

// One channel as it is kept in memory: fixed-width, NUL-terminated Shift-JIS text
// fields copied from the data file, and up to 30,000 single-precision samples.
struct ChannelRecord {
    std::uint8_t Filled = 0;
    char ChannelId[kChannelIdSize] = {};
    char PointName[kPointNameSize] = {};
    char Memo[kMemoSize] = {};
    char Unit[kUnitSize] = {};
    std::int32_t SampleCount = 0;
    float Samples[kMaxSamples] = {};
};

}  // namespace tremvix
