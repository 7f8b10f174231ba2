#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>

// Graticule tables for the map as text: lines "latitude,longitude,map x,map y" in whole
// degrees (latitudes 24, 26, … 50 north, longitudes 122, 124, … 152 east); blank lines and
// lines starting with '#' are ignored, as is a heading line before the first node.
// The nodes must fill a rectangle that starts at 24° north and 122° east.
struct GraticuleTable {
    int latitudeCount = 0;
    int longitudeCount = 0;
    std::int32_t nodes[14][16][2] = {};
};

std::optional<GraticuleTable> ParseGraticule(std::istream& in, std::string* error = nullptr);

// Reads the file and makes it the table of every map. False (with the reason) when the file
// cannot be read or is not a complete table; the map's table is then left as it was.
bool LoadGraticuleFile(const std::string& path, std::string* error = nullptr);
