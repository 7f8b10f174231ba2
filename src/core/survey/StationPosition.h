#pragma once

#include <optional>
#include <string_view>

namespace tremvix {

struct StationPosition {
    double latitude = 0.0;   // degrees north
    double longitude = 0.0;  // degrees east
};

// The station's position from the first lines of a record file: a K-NET/KiK-net
// header's "Station Lat." and "Station Long.", a JMA CSV's "LAT.=" and "LON.=".
// Nothing for other layouts, for an unreadable or out-of-range value, and where both
// are 0 (older JMA files write 0.0000 for an unknown position).
std::optional<StationPosition> ReadStationPosition(std::string_view head);

}  // namespace tremvix
