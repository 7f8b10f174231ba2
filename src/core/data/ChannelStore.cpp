#include "core/data/ChannelStore.h"

#include <cstring>

namespace tremvix {

const ChannelRecord& ChannelStore::RecordForDisplay(int k) const {
    if (DisplayType[k] == kTypeV && HasVelocity[k]) return VelocityBank[k];
    if (DisplayType[k] == kTypeD && HasDisplacement[k]) return DisplacementBank[k];
    return BaseBank[k];
}

void ChannelStore::ClearChannels() {
    for (int k = 0; k < kMaxChannels; ++k) {
        IsAcceleration[k] = false;
        HasVelocity[k] = false;
        HasDisplacement[k] = false;
    }
    ChannelCount = 0;
}

DisplayTypeCode TypeCodeOfCell(const char* cell) {
    if (std::strcmp(cell, "A") == 0) return kTypeA;
    if (std::strcmp(cell, "V") == 0) return kTypeV;
    if (std::strcmp(cell, "D") == 0) return kTypeD;
    return kTypeNone;
}

}  // namespace tremvix
