#include "core/map/GeoJsonLines.h"

#include "core/map/JsonValue.h"

#include <cmath>

namespace tremvix {
namespace {

constexpr std::size_t kMaxText = 64u << 20;

struct Refused {
    std::string why;
};

GeoPoint Position(const JsonValue& value) {
    if (!value.IsArray() || value.items.size() < 2 || !value.items[0].IsNumber() || !value.items[1].IsNumber())
        throw Refused{"a position is not an array of numbers"};
    const double lon = value.items[0].number;
    const double lat = value.items[1].number;
    if (!std::isfinite(lon) || !std::isfinite(lat) || std::fabs(lon) > 180.0 || std::fabs(lat) > 90.0)
        throw Refused{"a position lies outside the globe"};
    return {lon, lat};
}

const JsonValue& ArrayOf(const JsonValue& value, const char* what) {
    if (!value.IsArray()) throw Refused{std::string(what) + " is not an array"};
    return value;
}

GeoLine Line(const JsonValue& positions, bool ring) {
    GeoLine line;
    for (const JsonValue& p : ArrayOf(positions, "a line").items) line.points.push_back(Position(p));
    if (ring && line.points.size() < 4) throw Refused{"a ring has fewer than four positions"};
    line.closed = line.points.size() > 2 && line.points.front().longitude == line.points.back().longitude &&
                  line.points.front().latitude == line.points.back().latitude;
    if (ring && !line.closed) throw Refused{"a ring does not end where it starts"};
    return line;
}

void Geometry(const JsonValue& geometry, std::vector<GeoLine>& lines);

void Lines(const JsonValue& coordinates, int depth, bool rings, std::vector<GeoLine>& lines) {
    if (depth == 0) {
        lines.push_back(Line(coordinates, rings));
        return;
    }
    for (const JsonValue& inner : ArrayOf(coordinates, "coordinates").items) Lines(inner, depth - 1, rings, lines);
}

void Geometry(const JsonValue& geometry, std::vector<GeoLine>& lines) {
    if (geometry.IsNull()) return;  // a feature without a place
    if (!geometry.IsObject()) throw Refused{"a geometry is not an object"};
    const JsonValue* type = geometry.Member("type");
    if (!type || !type->IsString()) throw Refused{"a geometry has no type"};
    const std::string& t = type->text;
    if (t == "GeometryCollection") {
        const JsonValue* members = geometry.Member("geometries");
        if (!members) throw Refused{"a GeometryCollection has no geometries"};
        for (const JsonValue& member : ArrayOf(*members, "geometries").items) Geometry(member, lines);
        return;
    }
    const int depth = t == "LineString" ? 0 : t == "MultiLineString" || t == "Polygon" ? 1 : t == "MultiPolygon" ? 2 : -1;
    const JsonValue* coordinates = geometry.Member("coordinates");
    if (depth < 0) return;  // points and the like: nothing to draw as a line
    if (!coordinates) throw Refused{"a " + t + " has no coordinates"};
    Lines(*coordinates, depth, t == "Polygon" || t == "MultiPolygon", lines);
}

void Object(const JsonValue& object, std::vector<GeoLine>& lines) {
    if (!object.IsObject()) throw Refused{"not a GeoJSON object"};
    const JsonValue* type = object.Member("type");
    if (!type || !type->IsString()) throw Refused{"an object has no type"};
    if (type->text == "FeatureCollection") {
        const JsonValue* features = object.Member("features");
        if (!features) throw Refused{"a FeatureCollection has no features"};
        for (const JsonValue& feature : ArrayOf(*features, "features").items) Object(feature, lines);
    } else if (type->text == "Feature") {
        const JsonValue* geometry = object.Member("geometry");
        if (!geometry) throw Refused{"a Feature has no geometry"};
        Geometry(*geometry, lines);
    } else {
        Geometry(object, lines);
    }
}

}  // namespace

GeoJsonLines ReadGeoJsonLines(std::string_view text) {
    GeoJsonLines result;
    if (text.size() > kMaxText) {
        result.error = "the text is larger than 64 MB";
        return result;
    }
    JsonParse parsed = ParseJson(text);
    if (!parsed.error.empty()) {
        result.error = parsed.error;
        return result;
    }
    try {
        Object(parsed.value, result.lines);
    } catch (const Refused& refused) {
        result.lines.clear();
        result.error = refused.why;
    }
    return result;
}

}  // namespace tremvix
