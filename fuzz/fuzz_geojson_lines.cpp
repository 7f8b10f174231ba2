// The map's GeoJSON reader on arbitrary bytes: lines or a reason, never both, and
// every position read is a finite point on the globe.
#include "core/map/GeoJsonLines.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const tremvix::GeoJsonLines read = tremvix::ReadGeoJsonLines(std::string_view(reinterpret_cast<const char*>(data), size));
    Check(read.error.empty() || read.lines.empty());
    for (const tremvix::GeoLine& line : read.lines) {
        for (const tremvix::GeoPoint& p : line.points)
            Check(std::isfinite(p.longitude) && std::isfinite(p.latitude) && std::fabs(p.longitude) <= 180.0 &&
                  std::fabs(p.latitude) <= 90.0);
        if (line.closed) Check(line.points.size() >= 3 && line.points.front().longitude == line.points.back().longitude);
    }
    return 0;
}
