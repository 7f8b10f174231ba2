#pragma once

#include "core/map/LambertConformalConic.h"

#include <cstdint>

namespace tremvix {

// The map of Japan: a Lambert conformal conic on WGS 84 with standard parallels at 30°
// and 45° N, its origin at 24° N on the central meridian 137° E, in map units of 1 km,
// shifted 1,600 km east so that every node of the region 122°–152° E, 24°–50° N has
// map coordinates of zero or more.
inline constexpr double kJapanParallel1 = 30.0;
inline constexpr double kJapanParallel2 = 45.0;
inline constexpr double kJapanOriginLatitude = 24.0;
inline constexpr double kJapanCentralMeridian = 137.0;
inline constexpr double kJapanFalseEastingKm = 1600.0;

const LambertConformalConic& JapanProjection();

struct MapPosition {
    double x = 0.0;  // map units (km), east
    double y = 0.0;  // map units (km), north
};
MapPosition JapanMapPosition(double latitude, double longitude);

// The 2-degree graticule of the map component: node [r][c] = {map x, map y} of latitude
// 24 + 2r and longitude 122 + 2c degrees, rounded to whole map units.
struct GraticuleNodes {
    static constexpr int kRows = 14;
    static constexpr int kColumns = 16;
    int latitudeCount = kRows;
    int longitudeCount = kColumns;
    std::int32_t nodes[kRows][kColumns][2] = {};
};
GraticuleNodes JapanGraticule();

// Degrees in the map component's geographic form, degrees × 100 + minutes, to the
// nearest minute (35.6895 → 3541).
int DegreesMinutes(double degrees);

}  // namespace tremvix
