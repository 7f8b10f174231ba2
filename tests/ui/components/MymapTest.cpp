#include "ui/components/GraticuleFile.h"
#include "ui/components/Mymap.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

namespace {

std::string ShippedTable() {
    const char* examples = std::getenv("TREMVIX_EXAMPLES");
    const std::filesystem::path dir = examples ? std::filesystem::path(examples)
                                               : std::filesystem::path(__FILE__).parent_path() / "../../../examples";
    return (dir / "graticule_japan.csv").string();
}

int Minutes(int geo) { return geo / 100 * 60 + geo % 100; }
int Geo(int minutes) { return minutes / 60 * 100 + minutes % 60; }

// Every map starts from the shipped table, viewed whole: 122°–152° E by 24°–50° N
// (14400 × 15600 map units) over the default 320 × 320 frame.
class Map : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(LoadGraticuleFile(ShippedTable(), &error)) << error;
        map.MPH = 15600;
        map.MPW = 15600;
        map.Clear(0xFFFFFF);
    }
    void TearDown() override { TMyMap::SetGraticule(0, 0, nullptr); }

    QColor At(int x, int y) const { return map.image().pixelColor(x, y); }
    bool Dark(int x, int y) const { return At(x, y).lightness() < 100; }
    int DarkIn(int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y) n += Dark(x, y);
        return n;
    }
    // One map unit per pixel: the conversions then lose nothing to the screen.
    void FineView(int unitsPerPixel = 1) {
        map.SCX = 0;
        map.SCY = 0;
        map.SCW = 1000;
        map.SCH = 1000;
        map.MPX = 0;
        map.MPY = 0;
        map.MPW = 1000 * unitsPerPixel;
        map.MPH = 1000 * unitsPerPixel;
    }
    void ExpectRoundTrip() {
        int checked = 0;
        for (int lonMin = 122 * 60 + 1; lonMin < 152 * 60; lonMin += 53)
            for (int latMin = 24 * 60 + 1; latMin < 50 * 60; latMin += 47) {
                const auto m = map.graticule_position(Geo(lonMin), Geo(latMin));
                ASSERT_TRUE(m);
                const TMyMap::ScreenPoint s = map.scr_position(m->x, m->y);
                const auto back = map.scr_map(s.x, s.y);
                ASSERT_TRUE(back) << Geo(lonMin) << " " << Geo(latMin);
                EXPECT_LE(std::abs(Minutes(back->lon) - lonMin), 1) << Geo(lonMin);
                EXPECT_LE(std::abs(Minutes(back->lat) - latMin), 1) << Geo(latMin);
                ++checked;
            }
        EXPECT_GT(checked, 500);
    }

    TMyMap map;
};

}  // namespace

TEST(MapDefaults, PropertiesAndFrameCorner) {
    TMyMap map;
    EXPECT_EQ(map.size(), QSize(400, 400));
    EXPECT_EQ(map.SCX, 40);
    EXPECT_EQ(map.SCW, 320);
    EXPECT_EQ(map.MPH, 3500);
    EXPECT_EQ(map.MPW, 3500);
    EXPECT_EQ(map.Division, 1);
    EXPECT_EQ(map.PenWidth, 2);
    EXPECT_EQ(map.DivColor, 0xFFFFu);
    EXPECT_EQ(map.LetterSize, 14);
    bool inside = false;
    const TMyMap::ScreenPoint corner = map.scr_position(0, 0, &inside);
    EXPECT_EQ(corner.x, 40);
    EXPECT_EQ(corner.y, 360);
    EXPECT_TRUE(inside);
    const TMyMap::MapPoint back = map.map_position(40, 360);
    EXPECT_EQ(back.x, 0);
    EXPECT_EQ(back.y, 0);
    map.scr_position(3500 * 2, 0, &inside);
    EXPECT_FALSE(inside);
}

TEST(MapDefaults, MapDrawKeepsUnitsSquare) {
    TMyMap map;
    map.SCW = 640;
    map.SCH = 320;
    const std::int32_t counts[20] = {};
    const std::int32_t* lines[20] = {};
    map.MapDraw(counts, lines);
    EXPECT_EQ(map.MPW, 7000);
    map.SCH = 0;
    map.MapDraw(counts, lines);
    EXPECT_EQ(map.MPW, 7000);
}

TEST_F(Map, ShippedTableInterpolatesInsideCells) {
    EXPECT_EQ(TMyMap::LatitudeCount(), 14);
    EXPECT_EQ(TMyMap::LongitudeCount(), 16);
    auto m = map.graticule_position(13000, 3000);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->x, 3840);
    EXPECT_EQ(m->y, 3600);
    m = map.graticule_position(13530, 3530);  // 135.5° E, 35.5° N
    ASSERT_TRUE(m);
    EXPECT_EQ(m->x, 6480);
    EXPECT_EQ(m->y, 6900);
    // The last meridian and parallel still have positions; beyond them, and west or south
    // of the table, there are none.
    m = map.graticule_position(15200, 5000);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->x, 14400);
    EXPECT_EQ(m->y, 15600);
    EXPECT_FALSE(map.graticule_position(15201, 3000));
    EXPECT_FALSE(map.graticule_position(13000, 5001));
    EXPECT_FALSE(map.graticule_position(12199, 3000));
    EXPECT_FALSE(map.graticule_position(13000, 2359));
}

TEST_F(Map, ScreenToGeographicRoundTrip) {
    FineView();
    ExpectRoundTrip();
}

TEST_F(Map, LargeMapUnitsDoNotOverflowTheEdgeLengths) {
    // Cells 57,600,000 units wide: their squared edges need more than 32 bits.
    std::int32_t nodes[14][16][2] = {};
    for (int r = 0; r < 14; ++r)
        for (int c = 0; c < 16; ++c) {
            nodes[r][c][0] = c * 960 * 60000;
            nodes[r][c][1] = r * 1200 * 60000;
        }
    TMyMap::SetGraticule(14, 16, nodes);
    FineView(60000);
    ExpectRoundTrip();
}

TEST_F(Map, AreaCheckMeasuresAlongY) {
    EXPECT_EQ(TMyMap::area_check(0, 0, 10, 0, 5, 3), 3);
    EXPECT_EQ(TMyMap::area_check(0, 0, 10, 10, 5, 2), -3);
    // A vertical edge: left of it counts as above, right of it as below.
    EXPECT_GT(TMyMap::area_check(0, 0, 0, 10, -1, 5), 0);
    EXPECT_LT(TMyMap::area_check(0, 0, 0, 10, 1, 5), 0);
    EXPECT_EQ(TMyMap::area_check(0, 0, 0, 10, 0, 5), 0);
}

TEST_F(Map, MarkPlotAtItsScreenPosition) {
    map.canvas().brush.color = 0x0000FF;
    map.MarkPlot(13530, 3530, 4, 2);
    // Map (6480, 6900) → screen (40 + 132.9, 360 - 141.5).
    EXPECT_EQ(At(172, 218), QColor(255, 0, 0));
    EXPECT_TRUE(Dark(168, 218));
    EXPECT_TRUE(Dark(176, 218));
    map.Clear(0xFFFFFF);
    map.MarkPlot(13530, 3530, 3, 5);
    EXPECT_TRUE(Dark(172, 216));
    EXPECT_TRUE(Dark(170, 218));
    EXPECT_FALSE(Dark(170, 216));
    const QImage before = map.image();
    map.MarkPlot(12199, 3530, 4, 0);
    map.MarkPlot(13530, 5001, 4, 0);
    map.MarkPlot(13530, 3530, 4, 6);
    EXPECT_EQ(map.image(), before);
}

TEST_F(Map, GridAndLabels) {
    map.Division = 2;
    map.grid_draw();
    // The 130° meridian at x 118, its subdivision at 131° in the division colour.
    EXPECT_EQ(At(118, 205), QColor(0, 0, 0));
    EXPECT_EQ(At(128, 205), QColor(255, 255, 0));
    const auto meridian = map.lon_cross(13000, 360);
    ASSERT_TRUE(meridian);
    EXPECT_NEAR(meridian->x, 118, 1);
    const auto parallel = map.lat_cross(3600, 40);
    ASSERT_TRUE(parallel);
    EXPECT_NEAR(parallel->y, 212, 1);
    map.degree_write();
    EXPECT_GT(DarkIn(100, 365, 136, 385), 10) << "130° under the frame";
    // The frame's right edge (map x 15600) lies east of the table: no labels there.
    EXPECT_EQ(DarkIn(365, 60, 399, 340), 0);
    EXPECT_GT(DarkIn(0, 200, 35, 222), 10) << "36° left of the frame";
}

TEST_F(Map, NoDivisionNoGraticuleButOutlines) {
    map.Division = 0;
    map.PenColor = 0x0000FF;
    const std::int32_t square[] = {4000, 4000, 7000, 4000, 7000, 6000, 4000, 6000};
    std::int32_t counts[20] = {4};
    const std::int32_t* lines[20] = {square};
    map.MapDraw(counts, lines);
    EXPECT_EQ(map.MPW, 15600);
    // Lower edge at y 360 - 82 = 277, from x 122 to 183.
    EXPECT_EQ(At(150, 277), QColor(255, 0, 0));
    EXPECT_EQ(At(122, 250), QColor(255, 0, 0)) << "closed back to its first point";
    EXPECT_FALSE(Dark(118, 205));
    EXPECT_EQ(DarkIn(100, 365, 136, 385), 0);
}

TEST_F(Map, EmptyTableDrawsOnlyTheFrame) {
    TMyMap::SetGraticule(0, 0, nullptr);
    EXPECT_EQ(TMyMap::LatitudeCount(), 0);
    EXPECT_FALSE(map.scr_map(200, 200));
    EXPECT_FALSE(map.lon_cross(13000, 360));
    map.Clear(0x0000FF);
    QImage before = map.image();
    map.MarkPlot(13530, 3530, 4, 2);
    EXPECT_EQ(map.image(), before);
    map.grid_draw();
    EXPECT_EQ(At(10, 10), QColor(255, 255, 255));
    EXPECT_EQ(At(380, 380), QColor(255, 255, 255));
    EXPECT_EQ(At(200, 200), QColor(255, 0, 0));
    EXPECT_EQ(At(118, 205), QColor(255, 0, 0));
    EXPECT_TRUE(Dark(40, 200));
    EXPECT_TRUE(Dark(200, 360));
    before = map.image();
    map.degree_write();
    EXPECT_EQ(map.image(), before);
}

TEST(GraticuleFile, ReadsAFullRectangleOnly) {
    std::istringstream good("# two by two\nlatitude,longitude,map_x,map_y\n24,122,0,0\n24,124,10,0\n"
                            "26,122,0,20\r\n26,124, 10 ,20\n");
    const auto table = ParseGraticule(good);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->latitudeCount, 2);
    EXPECT_EQ(table->longitudeCount, 2);
    EXPECT_EQ(table->nodes[1][1][0], 10);
    EXPECT_EQ(table->nodes[1][1][1], 20);
    std::string error;
    std::istringstream hole("24,122,0,0\n26,124,10,20\n");
    EXPECT_FALSE(ParseGraticule(hole, &error));
    EXPECT_NE(error.find("missing"), std::string::npos);
    std::istringstream odd("25,122,0,0\n");
    EXPECT_FALSE(ParseGraticule(odd));
    std::istringstream text("24,122,0,x\n");
    EXPECT_FALSE(ParseGraticule(text));
    std::istringstream twice("24,122,0,0\n24,122,1,1\n");
    EXPECT_FALSE(ParseGraticule(twice));
}

TEST(GraticuleFile, AFailedLoadKeepsTheTable) {
    ASSERT_TRUE(LoadGraticuleFile(ShippedTable()));
    EXPECT_FALSE(LoadGraticuleFile("/nonexistent/graticule.csv"));
    EXPECT_EQ(TMyMap::LatitudeCount(), 14);
    TMyMap::SetGraticule(0, 0, nullptr);
}
