// The map's projection against Snyder's published worked example and against the
// ellipsoidal Lambert conformal conic formulas written out here on their own.
#include "core/map/JapanMap.h"
#include "core/map/LambertConformalConic.h"
#include "core/map/LccReference.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using tremvix::Ellipsoid;
using tremvix::LambertConformalConic;
using lcc_testing::Reference;

}  // namespace

TEST(LambertConformalConic, ReproducesSnydersWorkedExampleOnTheClarke1866Ellipsoid) {
    // Snyder's example: standard parallels 33° and 45° N, origin 23° N 96° W; the point
    // 35° N 75° W lies at x = 1,894,410.9 m, y = 1,564,649.5 m; n = 0.6304965.
    const LambertConformalConic projection(Ellipsoid{6378206.4, 0.00676866}, 33.0, 45.0, 23.0, -96.0);
    const LambertConformalConic::Point p = projection.Project(35.0, -75.0);
    EXPECT_NEAR(p.x, 1894410.9, 0.1);
    EXPECT_NEAR(p.y, 1564649.5, 0.1);
    EXPECT_NEAR(projection.ConeConstant(), 0.6304965, 1e-7);
}

TEST(LambertConformalConic, JapanPlacesTokyoNahaAndSapporoWhereTheFormulasDo) {
    const Reference wgs84(6378137.0L, 0.00669437999014L, 30.0L, 45.0L, 24.0L, 137.0L);
    const struct {
        double lat, lon;
    } places[] = {{35.6895, 139.6917}, {26.2124, 127.6809}, {43.0618, 141.3545}};
    for (const auto& place : places) {
        const auto [x, y] = wgs84.Xy(place.lat, place.lon);
        const tremvix::MapPosition p = tremvix::JapanMapPosition(place.lat, place.lon);
        EXPECT_NEAR(p.x, static_cast<double>(x / 1000.0L) + 1600.0, 1e-6) << place.lat;
        EXPECT_NEAR(p.y, static_cast<double>(y / 1000.0L), 1e-6) << place.lat;
    }
    // Tokyo lies east of the central meridian and north of Naha; Sapporo north of both.
    EXPECT_GT(tremvix::JapanMapPosition(35.6895, 139.6917).x, 1600.0);
    EXPECT_LT(tremvix::JapanMapPosition(26.2124, 127.6809).x, 1600.0);
}

TEST(LambertConformalConic, TheGraticuleTableHoldsEveryNodeRoundedToWholeKilometres) {
    const Reference wgs84(6378137.0L, 0.00669437999014L, 30.0L, 45.0L, 24.0L, 137.0L);
    const tremvix::GraticuleNodes table = tremvix::JapanGraticule();
    EXPECT_EQ(table.latitudeCount, 14);
    EXPECT_EQ(table.longitudeCount, 16);
    for (int r = 0; r < 14; ++r)
        for (int c = 0; c < 16; ++c) {
            const auto [x, y] = wgs84.Xy(24.0L + 2 * r, 122.0L + 2 * c);
            EXPECT_EQ(table.nodes[r][c][0], std::lround(static_cast<double>(x / 1000.0L) + 1600.0)) << r << "," << c;
            EXPECT_EQ(table.nodes[r][c][1], std::lround(static_cast<double>(y / 1000.0L))) << r << "," << c;
            EXPECT_GE(table.nodes[r][c][0], 0);
            EXPECT_GE(table.nodes[r][c][1], 0);
        }
    // Parallels of a conic bend: on 24° N the ends lie north of the central meridian's node.
    EXPECT_GT(table.nodes[0][0][1], table.nodes[0][7][1] + 100);
}

TEST(LambertConformalConic, DegreesBecomeDegreesAndMinutesToTheNearestMinute) {
    EXPECT_EQ(tremvix::DegreesMinutes(35.6895), 3541);   // 35° 41.37′
    EXPECT_EQ(tremvix::DegreesMinutes(139.6917), 13942);  // 139° 41.50′ rounds up
    EXPECT_EQ(tremvix::DegreesMinutes(43.9999), 4400);
    EXPECT_EQ(tremvix::DegreesMinutes(24.0), 2400);
}
