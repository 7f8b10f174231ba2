#pragma once

#include "core/data/DataFileReader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tremvix::formats {

class RecordLines;

inline constexpr int kAt2HeaderLines = 4;
inline constexpr int kAt2CountLine = 4;

// The four header lines of a PEER AT2 file.
struct At2Header {
    std::string identity;   // line 2 without its component field: event, date and station
    std::string event;      // event and date, cut to fit a memo
    std::string station;
    std::string component;  // the last field of line 2: "000", "090", "UP", ...
    std::int64_t count = 0; // NPTS
    double step = 0.0;      // DT in seconds
};

// "PEER NGA STRONG MOTION DATABASE RECORD", or the older "PEER STRONG MOTION
// DATABASE RECORD. PROCESSING BY ...".
bool IsPeerFirstLine(std::string_view line);

// Line 2 "event, date, station, component" (older files: "event date, station,
// component"), line 3 an acceleration in units of g, line 4 "NPTS= n, DT= t SEC"
// (older files: "n t NPTS, DT").
std::optional<Refusal> ReadAt2Header(RecordLines& lines, At2Header& header);

}  // namespace tremvix::formats
