#include "core/export/TempFolder.h"
#include "core/formats/NetworkRecord.h"
#include "core/formats/RecordLoader.h"
#include "core/formats/BinaryTestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace tremvix {
namespace {

using testing::SacBytes;
using testing::SacSpec;
using testing_support::TempFolder;
using testing_support::WriteBytes;

// Whole counts with differences of every Steim-2 width, both signs, exact in float.
std::vector<float> Counts(int n) {
    std::vector<float> values;
    long value = 0;
    for (int k = 0; k < n; ++k) {
        const int step = k % 6;
        value += step == 0 ? 3 : step == 1 ? -700 : step == 2 ? 40000 : step == 3 ? -3000000 : step == 4 ? 2999000 : -1;
        values.push_back(static_cast<float>(value));
    }
    return values;
}

// The seismologists' own converter packs the file: what it writes is what others send.
TEST(MiniSeedFromSacTest, SteimTwoWrittenBySac2mseedReadsBackToTheSameCountsAndStart) {
    for (const bool big : {true, false}) {
        TempFolder folder;
        SacSpec spec;
        spec.big = big;
        spec.samples = Counts(3000);
        spec.network = "BO";
        spec.station = "ABC";
        spec.location = "00";
        spec.component = "HNZ";
        WriteBytes(folder / "abc.sac", SacBytes(spec));
        const std::string command = "sac2mseed -e 11 -s 1 -o '" + (folder / "abc.mseed").string() + "' '" +
                                    (folder / "abc.sac").string() + "' > /dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << "sac2mseed is one of the set-up's packages";

        ASSERT_EQ(DetectNetworkLayout(folder / "abc.mseed"), NetworkLayout::MiniSeed);
        const LoadedRecord record = LoadRecordFile(folder / "abc.mseed", FileLayout::Standard, 1.0);
        ASSERT_FALSE(record.refusal) << RefusalText(*record.refusal);
        ASSERT_EQ(record.channels.size(), 1u);
        EXPECT_EQ(record.channels[0].id, "HNZ");
        EXPECT_EQ(record.channels[0].name, "BO.ABC.00");
        EXPECT_EQ(record.channels[0].memo, "2024-02-01 01:02:03.400");  // day 32
        EXPECT_DOUBLE_EQ(record.rate, 100.0);
        EXPECT_EQ(record.channels[0].samples, spec.samples) << (big ? "big-endian SAC" : "little-endian SAC");
    }
}

}  // namespace
}  // namespace tremvix
