// The event map: the graticule of the map of Japan puts known places where the
// projection's own formulas do, and the coastline that comes with the program is found.
#include "core/map/JapanMap.h"
#include "core/map/LccReference.h"
#include "ui/components/Mymap.h"
#include "ui/survey/Coastline.h"
#include "ui/survey/EventMap.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class EventMapTest : public ::testing::Test {
protected:
    void SetUp() override { SetUpEventMap(map); }
    void TearDown() override { TMyMap::SetGraticule(0, 0, nullptr); }
    TMyMap map;
};

}  // namespace

TEST_F(EventMapTest, TokyoNahaAndSapporoFallInsideTheFrameWhereTheProjectionPutsThem) {
    const lcc_testing::Reference wgs84(6378137.0L, 0.00669437999014L, 30.0L, 45.0L, 24.0L, 137.0L);
    const struct {
        const char* name;
        double lat, lon;
    } places[] = {{"Tokyo", 35.6895, 139.6917}, {"Naha", 26.2124, 127.6809}, {"Sapporo", 43.0618, 141.3545}};
    std::vector<TMyMap::ScreenPoint> found;
    for (const auto& place : places) {
        // The screen position from the formulas: map units of 1 km, 1,600 km false
        // easting, then the frame's linear scale (map_draw squares the units).
        const auto [x, y] = wgs84.Xy(place.lat, place.lon);
        const long double mapX = x / 1000.0L + 1600.0L, mapY = y / 1000.0L;
        const long double mpw = static_cast<long double>(map.SCW) * map.MPH / map.SCH;
        const long double screenX = map.SCX + map.SCW / mpw * (mapX - map.MPX);
        const long double screenY = map.SCY + map.SCH - map.SCH / static_cast<long double>(map.MPH) * (mapY - map.MPY);
        map.MPW = static_cast<int>(mpw);
        const auto at = map.origin_scr(tremvix::DegreesMinutes(place.lon), tremvix::DegreesMinutes(place.lat));
        ASSERT_TRUE(at) << place.name;
        // Minutes, whole kilometres and the bilinear cells cost less than two pixels.
        EXPECT_NEAR(at->x, static_cast<double>(screenX), 2.0) << place.name;
        EXPECT_NEAR(at->y, static_cast<double>(screenY), 2.0) << place.name;
        EXPECT_GT(at->x, map.SCX) << place.name;
        EXPECT_LT(at->x, map.SCX + map.SCW) << place.name;
        EXPECT_GT(at->y, map.SCY) << place.name;
        EXPECT_LT(at->y, map.SCY + map.SCH) << place.name;
        found.push_back(*at);
    }
    // Naha south-west of Tokyo, Sapporo north of it.
    EXPECT_LT(found[1].x, found[0].x - 150);
    EXPECT_GT(found[1].y, found[0].y + 150);
    EXPECT_LT(found[2].y, found[0].y - 100);
}

TEST_F(EventMapTest, TheCoastlineIsFoundBesideTheProgramsAndDrawnInsideTheFrame) {
    ASSERT_FALSE(CoastlineFilePath().isEmpty()) << "share/tremvix in the build tree";
    const Coastline& coast = ProgramCoastline();
    ASSERT_TRUE(coast.error.isEmpty()) << coast.error.toStdString();
    EXPECT_EQ(coast.lines.size(), 59u);
    DrawEventMap(map, coast, {}, tremvix::MarkScheme::Intensity, std::nullopt);
    // The coast's own colour appears, and only inside the frame.
    int inside = 0, outside = 0;
    const QImage& image = map.image();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(0x00, 0x40, 0x90))
                ++(x > map.SCX && x < map.SCX + map.SCW && y > map.SCY && y < map.SCY + map.SCH ? inside : outside);
    EXPECT_GT(inside, 1000);
    EXPECT_EQ(outside, 0);
}

TEST_F(EventMapTest, AMissingCoastlineIsSaidOnTheMapNotPassedOver) {
    const Coastline missing = ReadCoastlineFile(QString());
    ASSERT_FALSE(missing.error.isEmpty());
    DrawEventMap(map, missing, {}, tremvix::MarkScheme::Intensity, std::nullopt);
    // The reason is written in red inside the frame, near its foot.
    const auto redPixels = [this](int top, int bottom) {
        int red = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = map.SCX; x < map.SCX + map.SCW; ++x) {
                const QColor p = map.image().pixelColor(x, y);
                red += p.red() > 120 && p.green() < 90 && p.blue() < 90;
            }
        return red;
    };
    EXPECT_GT(redPixels(map.SCY + map.SCH - 24, map.SCY + map.SCH), 50);
    // A map with its coastline has no such text.
    DrawEventMap(map, ProgramCoastline(), {}, tremvix::MarkScheme::Intensity, std::nullopt);
    EXPECT_EQ(redPixels(map.SCY + map.SCH - 24, map.SCY + map.SCH), 0);
}

TEST_F(EventMapTest, AClickReachesTheNearestMarkWithinReach) {
    const std::vector<std::optional<QPoint>> positions = {QPoint(100, 100), std::nullopt, QPoint(106, 100)};
    EXPECT_EQ(MarkNear(positions, QPoint(104, 100)), 2u);
    EXPECT_EQ(MarkNear(positions, QPoint(102, 101)), 0u);
    EXPECT_FALSE(MarkNear(positions, QPoint(100, 109)));
    EXPECT_FALSE(MarkNear({}, QPoint(0, 0)));
}
