// The map's GeoJSON reader: the lines of the geometries it draws, and refusals of
// malformed or hostile text without a crash.
#include "core/map/GeoJsonLines.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

using tremvix::ReadGeoJsonLines;

TEST(GeoJsonLines, ReadsLineStringsMultiLineStringsAndPolygonRings) {
    const auto lines = ReadGeoJsonLines(R"({"type":"FeatureCollection","features":[
        {"type":"Feature","properties":{"name":"a \"quoted\" \u00e9"},"geometry":{"type":"LineString","coordinates":[[139.5,35.25],[140,36e0]]}},
        {"type":"Feature","properties":{},"geometry":{"type":"MultiLineString","coordinates":[[[130,30],[131,31]],[[132,32],[133,33],[134,34]]]}},
        {"type":"Feature","properties":{},"geometry":{"type":"Polygon","coordinates":[[[1,1],[2,1],[2,2],[1,1]]]}},
        {"type":"Feature","properties":{},"geometry":{"type":"Point","coordinates":[5,5]}},
        {"type":"Feature","properties":{},"geometry":null}]})");
    ASSERT_TRUE(lines.error.empty()) << lines.error;
    ASSERT_EQ(lines.lines.size(), 4u);
    EXPECT_EQ(lines.lines[0].points.size(), 2u);
    EXPECT_DOUBLE_EQ(lines.lines[0].points[0].longitude, 139.5);
    EXPECT_DOUBLE_EQ(lines.lines[0].points[0].latitude, 35.25);
    EXPECT_DOUBLE_EQ(lines.lines[0].points[1].latitude, 36.0);
    EXPECT_FALSE(lines.lines[0].closed);
    EXPECT_EQ(lines.lines[2].points.size(), 3u);
    EXPECT_TRUE(lines.lines[3].closed);
}

TEST(GeoJsonLines, ABareGeometryAndAMultiPolygonAreRead) {
    EXPECT_EQ(ReadGeoJsonLines(R"({"type":"LineString","coordinates":[[1,2],[3,4]]})").lines.size(), 1u);
    const auto multi = ReadGeoJsonLines(
        R"({"type":"MultiPolygon","coordinates":[[[[0,0],[1,0],[1,1],[0,0]],[[0.2,0.2],[0.4,0.2],[0.4,0.4],[0.2,0.2]]],[[[5,5],[6,5],[6,6],[5,5]]]]})");
    ASSERT_TRUE(multi.error.empty()) << multi.error;
    EXPECT_EQ(multi.lines.size(), 3u);
}

TEST(GeoJsonLines, MalformedOrImpossibleTextIsRefusedWithAReasonAndNoLines) {
    const char* const bad[] = {
        "",
        "{",
        R"({"type":"LineString","coordinates":[[1,2],[3,4]])",                     // unclosed
        R"({"type":"LineString","coordinates":[[1,2],[3,4]]} x)",                  // text after the value
        R"({"type":"LineString","coordinates":[[1,2],[3,"4"]]})",                  // a string as a number
        R"({"type":"LineString","coordinates":[[1,2],[3]]})",                      // one number
        R"({"type":"LineString","coordinates":[[1,2],[300,4]]})",                  // off the globe
        R"({"type":"LineString","coordinates":[[1,2],[1e999,4]]})",                // overflow
        R"({"type":"LineString","coordinates":[[1,2],[01,4]]})",                   // leading zero
        R"({"type":"LineString","coordinates":[[1,2],[1.,4]]})",                   // no digit after the point
        R"({"type":"LineString","coordinates":[[1,2],[-,4]]})",
        R"({"type":"LineString","coordinates":{"a":1}})",
        R"({"type":"Polygon","coordinates":[[[1,1],[2,1],[2,2],[1,2]]]})",        // a ring that does not close
        R"({"type":"LineString"})",
        R"({"type":"FeatureCollection"})",
        R"({"type":"Feature","geometry":[1]})",
        R"({"coordinates":[[1,2]]})",
        R"([1,2,3])",
        "{\"type\":\"Line\x01String\"}",
        R"({"type":"LineString","coordinates":[[1,2],[3,4]],"x":"\u12"})",
        R"({"type":"LineString","coordinates":[[1,2],[3,4]],"x":"\q"})",
        "nul",
    };
    for (const char* text : bad) {
        const auto lines = ReadGeoJsonLines(text);
        EXPECT_FALSE(lines.error.empty()) << text;
        EXPECT_TRUE(lines.lines.empty()) << text;
    }
}

TEST(GeoJsonLines, DeepNestingIsRefusedWithoutExhaustingTheStack) {
    const std::string deep = std::string(200000, '[') + std::string(200000, ']');
    EXPECT_NE(ReadGeoJsonLines(deep).error.find("deep"), std::string::npos);
    const std::string objects = [] {
        std::string text;
        for (int k = 0; k < 100000; ++k) text += R"({"a":)";
        return text + "1" + std::string(100000, '}');
    }();
    EXPECT_FALSE(ReadGeoJsonLines(objects).error.empty());
}

TEST(GeoJsonLines, TheShippedCoastlineReadsWhole) {
    std::ifstream in(std::string(TREMVIX_EXAMPLES_DIR) + "/../data/coastline-japan-50m.geojson", std::ios::binary);
    ASSERT_TRUE(in) << "the coastline file is part of the sources";
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto lines = ReadGeoJsonLines(text);
    ASSERT_TRUE(lines.error.empty()) << lines.error;
    std::size_t points = 0;
    for (const auto& line : lines.lines) points += line.points.size();
    // As the file's own description counts them.
    EXPECT_EQ(lines.lines.size(), 59u);
    EXPECT_EQ(points, 11838u);
}
