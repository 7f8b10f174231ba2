#include "core/map/JapanMap.h"

#include <cmath>

namespace tremvix {

const LambertConformalConic& JapanProjection() {
    static const LambertConformalConic projection(Ellipsoid{}, kJapanParallel1, kJapanParallel2, kJapanOriginLatitude,
                                                  kJapanCentralMeridian);
    return projection;
}

MapPosition JapanMapPosition(double latitude, double longitude) {
    const LambertConformalConic::Point p = JapanProjection().Project(latitude, longitude);
    return {p.x / 1000.0 + kJapanFalseEastingKm, p.y / 1000.0};
}

GraticuleNodes JapanGraticule() {
    GraticuleNodes table;
    for (int r = 0; r < GraticuleNodes::kRows; ++r)
        for (int c = 0; c < GraticuleNodes::kColumns; ++c) {
            const MapPosition p = JapanMapPosition(24.0 + 2.0 * r, 122.0 + 2.0 * c);
            table.nodes[r][c][0] = static_cast<std::int32_t>(std::lround(p.x));
            table.nodes[r][c][1] = static_cast<std::int32_t>(std::lround(p.y));
        }
    return table;
}

int DegreesMinutes(double degrees) {
    const long minutes = std::lround(degrees * 60.0);
    return static_cast<int>(minutes / 60 * 100 + minutes % 60);
}

}  // namespace tremvix
