// The classes and colours of the stations on the event map.
#include "core/survey/SurveyMarks.h"
#include "core/survey/SurveyRow.h"

#include <gtest/gtest.h>

using tremvix::Legend;
using tremvix::MarkClass;
using tremvix::MarkScheme;

namespace {
constexpr std::uint32_t Rgb(int r, int g, int b) { return static_cast<std::uint32_t>(r | g << 8 | b << 16); }
}  // namespace

TEST(SurveyMarks, IntensityClassesTakeTheJmaColourScale) {
    // The JMA's colours of the seismic intensity map, classes 1 to 7.
    const auto& legend = Legend(MarkScheme::Intensity);
    ASSERT_EQ(legend.size(), 10u);
    EXPECT_EQ(legend[1].color, Rgb(242, 242, 255));
    EXPECT_EQ(legend[3].color, Rgb(0, 65, 255));
    EXPECT_EQ(legend[5].label, "震度5弱");
    EXPECT_EQ(legend[5].color, Rgb(255, 230, 0));
    EXPECT_EQ(legend[6].color, Rgb(255, 153, 0));
    EXPECT_EQ(legend[7].color, Rgb(255, 40, 0));
    EXPECT_EQ(legend[8].color, Rgb(165, 0, 33));
    EXPECT_EQ(legend[9].label, "震度7");
    EXPECT_EQ(legend[9].color, Rgb(180, 0, 104));

    tremvix::SurveyRow row;
    EXPECT_FALSE(MarkClass(row, MarkScheme::Intensity)) << "no intensity, no class";
    row.intensityClass = "震度6強";
    EXPECT_EQ(MarkClass(row, MarkScheme::Intensity), 8);
    row.intensityClass = "震度0";
    EXPECT_EQ(MarkClass(row, MarkScheme::Intensity), 0);
}

TEST(SurveyMarks, LongPeriodClassesAndPgaBands) {
    tremvix::SurveyRow row;
    EXPECT_FALSE(MarkClass(row, MarkScheme::LongPeriod));
    EXPECT_FALSE(MarkClass(row, MarkScheme::Pga));
    row.lpgmClass = 3;
    EXPECT_EQ(MarkClass(row, MarkScheme::LongPeriod), 3);
    EXPECT_EQ(Legend(MarkScheme::LongPeriod).size(), 5u);

    // The larger horizontal, whatever its sign; the band's lower edge belongs to it.
    row.pgaNs = -120.0;
    row.pgaEw = 80.0;
    row.pgaUd = 900.0;  // the vertical takes no part
    EXPECT_EQ(MarkClass(row, MarkScheme::Pga), tremvix::PgaBand(120.0));
    EXPECT_EQ(tremvix::PgaBand(1.99), 0);
    EXPECT_EQ(tremvix::PgaBand(2.0), 1);
    EXPECT_EQ(tremvix::PgaBand(100.0), 6);
    EXPECT_EQ(tremvix::PgaBand(999.9), 8);
    EXPECT_EQ(tremvix::PgaBand(1000.0), 9);
    EXPECT_EQ(Legend(MarkScheme::Pga).size(), 10u);
    EXPECT_EQ(Legend(MarkScheme::Pga)[6].label, "100–200 gal");
}
