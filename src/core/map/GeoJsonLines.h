#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tremvix {

struct GeoPoint {
    double longitude = 0.0;  // degrees east
    double latitude = 0.0;   // degrees north
};

// A line of a map: a LineString, one line of a MultiLineString, or a ring of a Polygon.
struct GeoLine {
    std::vector<GeoPoint> points;
    bool closed = false;  // a ring: its last point is its first
};

struct GeoJsonLines {
    std::vector<GeoLine> lines;
    std::string error;  // set: the text was refused and `lines` is empty
};

// The lines of a GeoJSON text (a FeatureCollection, a Feature or a bare geometry):
// the coordinates of LineString, MultiLineString, Polygon and MultiPolygon geometries,
// in the order they come. Other geometries are passed over. Malformed JSON, a position
// that is not two finite numbers in range, nesting deeper than any map needs or text of
// more than 64 MB are refused with the reason.
GeoJsonLines ReadGeoJsonLines(std::string_view text);

}  // namespace tremvix
