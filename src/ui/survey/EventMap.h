#pragma once

#include "core/survey/SurveyMarks.h"

#include <QPoint>

#include <cstddef>
#include <optional>
#include <vector>

class TMyMap;
struct Coastline;

// A station on the event map: its position in the map's geographic form (degrees ×
// 100 + minutes) and its class in the scheme drawn (nothing: drawn as a grey cross).
struct StationMark {
    int lon = 0;
    int lat = 0;
    std::optional<int> cls;
};

// The frame and the view of Japan, 123°–146° E and 24°–46° N, on a picture of
// kEventMapWidth × kEventMapHeight; the graticule of the map of Japan made the table
// of every map.
inline constexpr int kEventMapWidth = 600;
inline constexpr int kEventMapHeight = 540;
void SetUpEventMap(TMyMap& map);

// Coastline, graticule and labels, then the marks from the weakest class up, the
// selected one ringed, and the legend of the scheme with the count of each class.
// Returns where each mark was drawn (nothing for one outside the map).
std::vector<std::optional<QPoint>> DrawEventMap(TMyMap& map, const Coastline& coast, const std::vector<StationMark>& marks,
                                                tremvix::MarkScheme scheme, std::optional<std::size_t> selected);

// The mark nearest to a pixel, within `reach` pixels.
std::optional<std::size_t> MarkNear(const std::vector<std::optional<QPoint>>& positions, QPoint at, int reach = 8);
