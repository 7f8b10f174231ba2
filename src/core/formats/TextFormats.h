#pragma once

#include "core/formats/RecordFormat.h"

namespace tremvix::formats {

// The recording networks' text layouts.
const RecordFormat& KnetFormat();
const RecordFormat& KiknetFormat();
const RecordFormat& JmaCsvFormat();
const RecordFormat& PeerAt2Format();

}  // namespace tremvix::formats
