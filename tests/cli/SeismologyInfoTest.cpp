// The seismological formats on the command line: found by content like the
// networks' layouts, each channel with its station, component, unit and rate.
#include "CliTestSupport.h"
#include "DataFiles.h"
#include "UiTestSupport.h"

#include <string>
#include <vector>

namespace {

struct Expected {
    const char* file;
    std::vector<std::string> ids, names;
    std::string unit, rate, samples;
};

TEST(CliSeismologyInfoTest, EveryFormatListsItsChannelsWithStationComponentAndUnit) {
    const Expected cases[] = {
        {"seismology/SM.SMPH.00.HNZ.sac", {"HNE", "HNN", "HNZ"}, {"SM.SMPH.00", "SM.SMPH.00", "SM.SMPH.00"}, "gal", "100", "3000"},
        {"seismology/SM.SMPH.mseed", {"HNE", "HNN", "HNZ"}, {"SM.SMPH.00", "SM.SMPH.00", "SM.SMPH.00"}, "count", "100", "3000"},
        {"seismology/20000101120700.cnt", {"U", "N", "E"}, {"N.SMPH", "N.SMPH", "N.SMPH"}, "kine", "100", "3000"},
        {"seismology/20000101120700.ch", {"U", "N", "E"}, {"N.SMPH", "N.SMPH", "N.SMPH"}, "kine", "100", "3000"},
    };
    for (const Expected& each : cases) {
        const CliResult result = RunInProcess({"--info", ExampleFile(each.file).toStdString()});
        ASSERT_EQ(result.status, 0) << each.file << ": " << result.err.toStdString();
        const auto rows = CsvRows(result.out);
        ASSERT_EQ(rows.size(), 4u) << each.file;
        for (std::size_t k = 1; k <= 3; ++k) {
            EXPECT_EQ(rows[k][1], each.ids[k - 1]) << each.file;
            EXPECT_EQ(rows[k][2], each.names[k - 1]) << each.file;
            EXPECT_EQ(rows[k][3], each.unit) << each.file;
            EXPECT_EQ(rows[k][4], each.rate) << each.file;
            EXPECT_EQ(rows[k][5], each.samples) << each.file;
            EXPECT_NE(rows[k][6], "0") << each.file;
        }
    }
}

TEST(CliSeismologyInfoTest, ABrokenBinaryFileIsRefusedWithItsByteOffset) {
    DataFiles files;
    std::string sac(640, '\0');
    sac[304] = 7;  // header version 7
    const QString path = files.Write("v7.sac", QByteArray(sac.data(), static_cast<int>(sac.size())));
    const CliResult result = RunProgram({"--info", path});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains("v7.sac")) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("304 バイト目")) << result.err.toStdString();
}

}  // namespace
