#pragma once

#include "core/formats/RecordFormat.h"

namespace tremvix::formats {

// SAC binary files, either byte order, one component per file: the components of a
// station are the SAC files beside the chosen one with the same network, station and
// location, start and spacing, in file-name order.
const RecordFormat& SacFormat();

}  // namespace tremvix::formats
