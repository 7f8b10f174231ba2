#include "SurveyTestFiles.h"

#include "core/survey/StationPosition.h"

namespace tremvix {
namespace {

using namespace survey_testing;

std::string JmaHead(const std::string& latitude, const std::string& longitude) {
    return "SITE CODE= 47999,,\r\n LAT.= " + latitude + ",,\r\n LON.= " + longitude +
           ",,\r\n SAMPLING RATE= 100Hz,,\r\n UNIT  = gal(cm/s/s),,\r\nINITIAL TIME = 2000 01 01 12 00 07,,\r\n NS,EW,UD\r\n";
}

TEST(StationPosition, KnetHeadersGiveTheStationNotTheEpicentre) {
    // The header's first Lat./Long. are the event's (35.512, 139.408); the station's come later.
    for (const char* file : {"SMP0010001011200.NS", "SMPH010001011200.UD1"}) {
        const std::optional<StationPosition> position = ReadStationPosition(Bytes(Examples() / file));
        ASSERT_TRUE(position) << file;
        EXPECT_EQ(position->latitude, 35.601) << file;
        EXPECT_EQ(position->longitude, 139.322) << file;
    }
    std::string header = Bytes(Examples() / "SMP0010001011200.NS");
    header.replace(header.find("Station Long."), 13, "Station Lon. ");
    header.replace(header.find("35.601"), 6, "-33.25");
    const std::optional<StationPosition> variant = ReadStationPosition(header);
    ASSERT_TRUE(variant);
    EXPECT_EQ(variant->latitude, -33.25);
    EXPECT_EQ(variant->longitude, 139.322);
}

TEST(StationPosition, JmaFilesGiveLatAndLonAndZeroesMeanUnknown) {
    const std::optional<StationPosition> example = ReadStationPosition(Bytes(Examples() / "jma_sample_47999.csv"));
    ASSERT_TRUE(example);
    EXPECT_EQ(example->latitude, 35.512);
    EXPECT_EQ(example->longitude, 139.408);
    EXPECT_FALSE(ReadStationPosition(JmaHead("0.0000", "0.0000")));
    EXPECT_FALSE(ReadStationPosition(JmaHead("0.0", "-0.0")));
    // One zero alone is a real place (on the equator).
    const std::optional<StationPosition> equator = ReadStationPosition(JmaHead("0.0000", "139.5"));
    ASSERT_TRUE(equator);
    EXPECT_EQ(equator->longitude, 139.5);
}

TEST(StationPosition, NothingWhereTheLayoutHasNoneOrTheValueIsNoPosition) {
    EXPECT_FALSE(ReadStationPosition(Bytes(fs::path(TREMVIX_EXAMPLES_DIR) / "sample_standard.csv")));
    EXPECT_FALSE(ReadStationPosition(Bytes(Examples() / "RSN9001_SAMPLEV_SMP000.AT2")));
    EXPECT_FALSE(ReadStationPosition(JmaHead("", "139.5")));
    EXPECT_FALSE(ReadStationPosition(JmaHead("35.1N", "139.5")));
    EXPECT_FALSE(ReadStationPosition(JmaHead("135.1", "139.5")));
    EXPECT_FALSE(ReadStationPosition(""));
}

TEST(StationPosition, SurveyRowsCarryThePositionOnlyWhereTheFileHasOne) {
    const ScratchFolder scratch;
    CopyExamples(scratch / "event");
    Write(scratch / "event" / "old_jma.csv",
          JmaHead("0.0000", "0.0000") + [] {
              std::string rows;
              for (int k = 0; k < 400; ++k) rows += std::to_string(k % 7) + ".0," + std::to_string(k % 5) + ".0,1.0,,\r\n";
              return rows;
          }());
    const Tables tables = Survey({scratch / "event"}, 1);
    EXPECT_NE(tables.rows.find("SMP0010001011200.EW,SMP001,K-NET形式,35.601,139.322,100,4000,"), std::string::npos);
    EXPECT_NE(tables.rows.find("jma_sample_47999.csv,47999見本町役場,JMA形式,35.512,139.408,"), std::string::npos);
    EXPECT_NE(tables.rows.find("old_jma.csv,47999,JMA形式,,,100,400,"), std::string::npos) << tables.rows << tables.failures;
    EXPECT_NE(tables.rows.find("RSN9002_OTHERH_OTH000.AT2,OTHER HILLS STATION,PEER形式,,,"), std::string::npos);
}

}  // namespace
}  // namespace tremvix
