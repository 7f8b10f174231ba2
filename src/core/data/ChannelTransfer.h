#pragma once

#include "core/data/DataFileReader.h"

#include <cstdint>

namespace tremvix {

class ChannelList;
struct ChannelStore;

// Processing chosen on the main window for newly transferred channels.
struct TransferProcessing {
    const float* lowPassSet = nullptr;  // set: filter every new channel with it
    int lowPassCount = 0;
    bool movingAverage = false;
    std::int32_t halfWidth = 0;  // checked non-negative by the caller
};

struct AppendResult {
    int firstIndex = 0;  // channel index of the first new channel
    int count = 0;
    bool processingFailed = false;  // a kernel could not get its work buffer
};

// Appends the channels of `read` after the loaded ones: records, flags and channel
// list rows (each new channel selected for drawing, its type from its unit), the
// data count, then the optional low-pass filter and moving average. The samples
// move from `read` into the records. The caller has checked that they fit in the store.
AppendResult AppendChannels(ChannelStore& store, ChannelList& list, TransferRead read,
                            const TransferProcessing& processing);

}  // namespace tremvix
