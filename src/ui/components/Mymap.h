#pragma once

#include "ui/widgets/Canvas.h"
#include "ui/widgets/ImageControl.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

// A map of the region 122°–152° east, 24°–50° north: outline polylines, a graticule every
// 2 degrees, degree labels around the frame and point marks. Geographic positions are
// degrees × 100 + minutes; they reach map units through a graticule table shared by all
// maps, interpolated inside each 2° cell, and map units reach the screen linearly.
class TMyMap : public ImageControl {
    Q_OBJECT
public:
    static constexpr int kLatitudeRows = 14;
    static constexpr int kLongitudeNodes = 16;
    static constexpr int kPolylines = 20;

    explicit TMyMap(QWidget* parent = nullptr);
    ~TMyMap() override;

    int SCX = 40;
    int SCY = 40;
    int SCW = 320;
    int SCH = 320;
    int MPX = 0;
    int MPY = 0;
    int MPH = 3500;
    int MPW = 3500;
    int Division = 1;
    int PenWidth = 2;
    std::uint32_t PenColor = 0x000000;
    std::uint32_t DivColor = 0x00FFFF;
    int LetterSize = 14;

    // Node [r][c] is {map x, map y} of latitude 24 + 2r, longitude 122 + 2c degrees.
    // Counts are cut to the table's size; a count of 0 clears the table.
    static void SetGraticule(int latitudeCount, int longitudeCount, const std::int32_t nodes[14][16][2]);
    static int LatitudeCount();
    static int LongitudeCount();

    // lines[p] holds counts[p] pairs {map x, map y}; a polyline without points is passed over.
    void MapDraw(const std::int32_t counts[20], const std::int32_t* const lines[20]);
    void MarkPlot(int lon, int lat, int size, int type);


    struct ScreenPoint {
        int x = 0;
        int y = 0;
    };
    struct MapPoint {
        int x = 0;
        int y = 0;
    };
    struct GeoPoint {
        int lon = 0;
        int lat = 0;
    };

    // The conversions and drawing steps behind MapDraw, open to checks.
    ScreenPoint scr_position(int mapX, int mapY, bool* inside = nullptr) const;
    MapPoint map_position(int x, int y) const;
    std::optional<MapPoint> graticule_position(int lon, int lat) const;
    std::optional<ScreenPoint> origin_scr(int lon, int lat) const;
    static int area_check(int x1, int y1, int x2, int y2, int px, int py);
    std::optional<GeoPoint> scr_map(int x, int y) const;
    std::optional<ScreenPoint> lon_cross(int lon, int y) const;
    std::optional<ScreenPoint> lat_cross(int lat, int x) const;
    void map_draw(const std::int32_t counts[20], const std::int32_t* const lines[20]);
    void grid_draw();
    void outer_clear();
    void degree_write();

protected:

private:
    void GridLines(bool parallels);
    void Polyline(const std::vector<MapPoint>& points);
    void LongitudeLabels(int edgeY, bool bottom);
    void LatitudeLabels(int edgeX, bool right);
};
