#pragma once

#include "core/formats/RecordFormat.h"

namespace tremvix::formats {

// MiniSEED (version 2) through libmseed: the traces of a file's first station, one
// channel per location and channel code, in counts. A station's trace with a gap or an
// overlap is refused at the first one; components of different rates are refused.
const RecordFormat& MiniSeedFormat();

}  // namespace tremvix::formats
