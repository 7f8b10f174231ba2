#pragma once

#include "core/formats/RecordFormat.h"

namespace tremvix::formats {

// WIN32 files with their channel table, opened through either: the other is the
// file beside it that fits (the table listing the data's channels). Every channel of
// the data file, in physical units where the table has its row, else in counts.
const RecordFormat& Win32Format();

}  // namespace tremvix::formats
