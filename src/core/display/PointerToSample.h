#pragma once

#include <cstdint>

namespace tremvix {

// What the graph left behind that maps canvas pixels back to samples.
struct PointerMapping {
    std::int32_t OriginX = 0;
    std::int32_t UnitLenX = 0;
    float VValueX = 0.0f;
    std::int32_t StartIndex = 0;
    float SamplingInterval = 0.0f;
    std::int32_t TraceHeight = 0;
    std::int32_t HalfTraceHeight = 0;
    std::int32_t BandCount = 0;  // bands drawn by the last drawing
    const std::int32_t* SelectedChannels = nullptr;  // channel index of each band
};

struct PointedSample {
    std::int32_t sample = 0;   // 1-based sample number: also the data list row
    std::int32_t band = -1;
    std::int32_t channel = -1;
    bool inBand = false;       // the band is one of those drawn
};

// The sample number under canvas column x and the band (and its channel) under row y:
// time = dx / UnitLenX * VValueX + StartIndex * SamplingInterval, kept as a 32-bit
// float, sample = time / SamplingInterval truncated; band = (y + TraceHeight / 2 -
// HalfTraceHeight) / TraceHeight in integers.
PointedSample PointerToSample(const PointerMapping& mapping, int x, int y);

}  // namespace tremvix
