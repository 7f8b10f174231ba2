#pragma once

#include "core/data/ChannelRecord.h"

#include <cstdint>

namespace tremvix {

enum DisplayTypeCode : std::uint8_t { kTypeNone = 0, kTypeA = 1, kTypeV = 2, kTypeD = 3 };

// The main window's fixed-capacity data: three banks of eight channel records and
// the per-channel flags. Everything is zero at creation but NothingTransferred.
struct ChannelStore {
    ChannelRecord BaseBank[kMaxChannels];
    ChannelRecord VelocityBank[kMaxChannels];
    ChannelRecord DisplacementBank[kMaxChannels];
    std::int32_t ChannelCount = 0;
    std::int32_t DataCount = 0;
    std::int32_t FileLineCount = 0;
    bool IsAcceleration[kMaxChannels] = {};
    bool HasVelocity[kMaxChannels] = {};
    bool HasDisplacement[kMaxChannels] = {};
    bool PolarityNormal[kMaxChannels] = {};
    std::uint8_t DisplayType[kMaxChannels] = {};
    bool EDefenceMode = false;
    bool NothingTransferred = true;

    // The record the graph draws for channel k: the velocity or displacement bank
    // when the type asks for it and that bank record is valid, else the base bank.
    const ChannelRecord& RecordForDisplay(int k) const;

    // Forgets the loaded channels (the records themselves are left as they are).
    void ClearChannels();
};

// Type code of a channel list type cell: exact text comparison.
DisplayTypeCode TypeCodeOfCell(const char* cell);

}  // namespace tremvix
