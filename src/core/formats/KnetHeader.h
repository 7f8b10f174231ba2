#pragma once

#include "core/data/DataFileReader.h"

#include <optional>
#include <string>
#include <string_view>

namespace tremvix::formats {

class RecordLines;

inline constexpr int kKnetHeaderLines = 17;
inline constexpr int kKnetRateLine = 11;

// What the 17 header lines of a K-NET / KiK-net ASCII file say that we use.
struct KnetHeader {
    std::string originTime, magnitude, stationCode, direction;  // bytes as read
    double samplingRate = 0.0;                                  // Hz
    double scaleNumerator = 0.0, scaleDenominator = 1.0;        // gal = count * num / den
    std::optional<double> maxAcceleration;                      // gal, when readable
};

// The first line of such a file: "Origin Time" padded to 18 columns.
bool IsKnetFirstLine(std::string_view line);

// Reads the header: each line a label in columns 1-18 and its value from column
// 19. Labels are compared without case, spaces and dots, so that "Max. Acc." and
// "Max Acc." or "Long." and "Lon." all read.
std::optional<Refusal> ReadKnetHeader(RecordLines& lines, KnetHeader& header);

// "2011/03/11 14:46:00 M9.0": the origin time and the magnitude.
std::string KnetEventText(const KnetHeader& header);

}  // namespace tremvix::formats
