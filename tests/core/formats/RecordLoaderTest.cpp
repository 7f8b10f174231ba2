#include "core/formats/RecordLoader.h"

#include "core/export/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tremvix {
namespace {

using testing_support::TempFolder;
using testing_support::WriteBytes;

const std::filesystem::path kExamples = TREMVIX_EXAMPLES_DIR;

// A standard file of ten columns: more than the store's eight, all of them read.
std::string TenColumns() {
    std::string text;
    for (const char* prefix : {"ID", "P", "M"}) {
        for (int c = 1; c <= 10; ++c) text += (c > 1 ? "," : "") + std::string(prefix) + std::to_string(c);
        text += "\r\n";
    }
    text += "gal,kine,gal,gal,gal,gal,gal,gal,gal,\x82\x90\r\n";  // the last unit in Shift-JIS
    text += "1,2,3,4,5,6,7,8,9,0.1\r\n-1.5,x,,,,,,,,1e3\r\n";
    return text;
}

TEST(RecordLoaderTest, CsvRecordsGiveEveryColumnAtTheRateGiven) {
    TempFolder folder;
    WriteBytes(folder / "ten.csv", TenColumns());
    const LoadedRecord record = LoadRecordFile(folder / "ten.csv", FileLayout::Standard, 250.0);
    ASSERT_FALSE(record.refusal) << RefusalText(*record.refusal);
    ASSERT_EQ(record.channels.size(), 10u);
    EXPECT_EQ(record.samplesPerChannel, 2);
    EXPECT_EQ(record.rate, 250.0);
    EXPECT_FALSE(record.rateStated);
    EXPECT_EQ(record.layoutName, "標準形式");
    EXPECT_EQ(record.channels[1].unit, "kine");
    EXPECT_EQ(record.channels[9].id, "ID10");
    EXPECT_EQ(record.channels[9].memo, "M10");
    EXPECT_EQ(record.channels[9].unit, "\x82\x90") << "bytes kept as read";
    EXPECT_EQ(record.channels[0].samples, (std::vector<float>{1.0f, -1.5f}));
    EXPECT_EQ(record.channels[1].samples, (std::vector<float>{2.0f, 0.0f})) << "not a number reads 0";
    EXPECT_EQ(record.channels[9].samples, (std::vector<float>{0.1f, 1000.0f}));
}

TEST(RecordLoaderTest, NetworkRecordsAreFoundByContentWithTheirSiblingsAndRate) {
    // The CSV layout named does not matter for a K-NET file, nor does the rate given.
    const LoadedRecord knet = LoadRecordFile(kExamples / "network" / "SMP0010001011200.EW", FileLayout::EDefence, 37.0);
    ASSERT_FALSE(knet.refusal) << RefusalText(*knet.refusal);
    EXPECT_EQ(knet.layoutName, "K-NET形式");
    EXPECT_TRUE(knet.rateStated);
    EXPECT_EQ(knet.rate, 100.0);
    ASSERT_EQ(knet.channels.size(), 3u);
    for (const TransferColumn& channel : knet.channels) {
        EXPECT_EQ(channel.unit, "gal");
        EXPECT_EQ(channel.samples.size(), static_cast<std::size_t>(knet.samplesPerChannel));
    }
    EXPECT_EQ(knet.samplesPerChannel, 4000);

    // An AT2 record's rate is one over its time step, whatever that is.
    TempFolder folder;
    WriteBytes(folder / "RSN1_TEST_A000.AT2",
               "PEER NGA STRONG MOTION DATABASE RECORD\nTest, 1/1/2000, Station, 000\n"
               "ACCELERATION TIME SERIES IN UNITS OF G\nNPTS=    3, DT=   .0049 SEC\n  .1000000E+00 -.2000000E+00  .5000000E-01\n");
    const LoadedRecord at2 = LoadRecordFile(folder / "RSN1_TEST_A000.AT2", FileLayout::Standard, 100.0);
    ASSERT_FALSE(at2.refusal) << RefusalText(*at2.refusal);
    EXPECT_DOUBLE_EQ(at2.rate, 1.0 / 0.0049);
    ASSERT_EQ(at2.channels.size(), 1u);
    EXPECT_NEAR(at2.channels[0].samples[1], -0.2 * 980.665, 1e-4);
}

TEST(RecordLoaderTest, RefusalsNameTheFile) {
    TempFolder folder;
    const LoadedRecord missing = LoadRecordFile(folder / "none.csv", FileLayout::Standard, 100.0);
    ASSERT_TRUE(missing.refusal);
    EXPECT_EQ(missing.refusal->kind, RefusalKind::CannotOpen);
    EXPECT_NE(RefusalText(*missing.refusal).find((folder / "none.csv").string()), std::string::npos);

    WriteBytes(folder / "percent.csv", "a\r\nb\r\nc\r\n%\r\n1\r\n");
    const LoadedRecord percent = LoadRecordFile(folder / "percent.csv", FileLayout::Standard, 100.0);
    ASSERT_TRUE(percent.refusal);
    EXPECT_EQ(percent.refusal->kind, RefusalKind::NotStandardFormat);
    EXPECT_TRUE(percent.channels.empty());
}

}  // namespace
}  // namespace tremvix
