#include "core/formats/NetworkRecord.h"

#include "NetworkTestFiles.h"
#include "core/data/DataFileTestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tremvix {
namespace {

using testing::ExpectBadRecord;
using testing::TempFolder;
using Texts = std::vector<std::string>;

std::string Knet(int n) {
    testing::KnetSpec spec;
    spec.counts = testing::QuakeCounts(n, 1);
    return testing::KnetText(spec);
}

TEST(NetworkRecordTest, LayoutIsDetectedByContentNotByName) {
    TempFolder folder;
    const std::string csv = "CH1,CH2\npoint,point\nmemo,memo\ngal,gal\n1,2\n";
    EXPECT_EQ(DetectNetworkLayout(folder.Write("X.NS", csv)), std::nullopt);
    EXPECT_EQ(DetectNetworkLayout(folder.Write("Y.AT2", csv)), std::nullopt);
    EXPECT_EQ(DetectNetworkLayout(folder.Write("Origin.csv", "Origin Time,Lat.\n1,2\n")), std::nullopt);
    EXPECT_EQ(DetectNetworkLayout(folder.Write("empty.NS", "")), std::nullopt);
    EXPECT_EQ(DetectNetworkLayout(folder.Path() / "missing.NS"), std::nullopt);
    EXPECT_EQ(DetectNetworkLayout(folder.Path()), std::nullopt);
    EXPECT_EQ(DetectNetworkLayout(folder.Write("Z.NS", Knet(8))), NetworkLayout::Knet);
    EXPECT_EQ(DetectNetworkLayout(folder.Write("Z.csv", Knet(8))), NetworkLayout::Knet);
    EXPECT_EQ(DetectNetworkLayout(folder.Write("Z.UD2", Knet(8))), NetworkLayout::KiKnet);
    EXPECT_EQ(DetectNetworkLayout(folder.Write("Z.ew1", Knet(8))), NetworkLayout::KiKnet);
    EXPECT_EQ(DetectNetworkLayout(folder.Write("j.txt", "SITE CODE= 4A1,,\r\n")), NetworkLayout::JmaCsv);
    EXPECT_EQ(DetectNetworkLayout(folder.Write("p.txt", "PEER NGA STRONG MOTION DATABASE RECORD\r\n")),
              NetworkLayout::PeerAt2);
    EXPECT_EQ(DetectNetworkLayout(std::filesystem::path(TREMVIX_EXAMPLES_DIR) / "sample_standard.csv"), std::nullopt);
}

TEST(NetworkRecordTest, FilesOfAnotherLayoutOrUnreadableAreRefusedByName) {
    TempFolder folder;
    const auto csv = folder.Write("X.NS", "CH1\npoint\nmemo\ngal\n1\n");
    ExpectBadRecord(ScanNetworkRecord(csv, NetworkLayout::Knet).refusal, "X.NS", 1, "K-NET形式のファイルではありません");
    ExpectBadRecord(ReadNetworkChannels(csv, NetworkLayout::PeerAt2, {0}).refusal, "X.NS", 1,
                    "PEER形式のファイルではありません");
    EXPECT_EQ(RefusalText(*ScanNetworkRecord(csv, NetworkLayout::JmaCsv).refusal),
              "X.NS の 1行目：JMA形式のファイルではありません" + testing::MessageEnd());

    const ScanResult missing = ScanNetworkRecord(folder.Path() / "gone.NS", NetworkLayout::Knet);
    ASSERT_TRUE(missing.refusal);
    EXPECT_EQ(missing.refusal->kind, RefusalKind::CannotOpen);
    EXPECT_EQ(RefusalText(*missing.refusal), "gone.NS：ファイルを開けません" + testing::MessageEnd());

    const auto wide = folder.Write("W.NS", Knet(16) + std::string(3000, ' ') + "1\n");
    const ScanResult tooLong = ScanNetworkRecord(wide, NetworkLayout::Knet);
    ASSERT_TRUE(tooLong.refusal);
    EXPECT_EQ(tooLong.refusal->kind, RefusalKind::LineTooLong);
    EXPECT_EQ(tooLong.refusal->line, 20);
    EXPECT_EQ(RefusalText(*tooLong.refusal), "W.NS：20行目が長すぎます（2047バイトまで）" + testing::MessageEnd());
}

TEST(NetworkRecordTest, BadRecordTextNamesFileAndLine) {
    Refusal refusal{RefusalKind::BadRecord, 20};
    refusal.detail = "整数ではない値があります";
    refusal.file = "ABC0011103111446.NS";
    EXPECT_EQ(RefusalText(refusal), "ABC0011103111446.NS の 20行目：整数ではない値があります" + testing::MessageEnd());
    EXPECT_EQ(RefusalCaption(refusal), "ファイル形式エラー");
    refusal.line = 0;
    EXPECT_EQ(RefusalText(refusal), "ABC0011103111446.NS：整数ではない値があります" + testing::MessageEnd());
}

// The bundled examples read as the records they are meant to be.
TEST(NetworkRecordTest, ExampleRecordsRead) {
    const std::filesystem::path folder = std::filesystem::path(TREMVIX_EXAMPLES_DIR) / "network";
    const struct {
        std::string file;
        NetworkLayout layout;
        Texts ids;
    } cases[] = {
        {"SMP0010001011200.UD", NetworkLayout::Knet, {"NS", "EW", "UD"}},
        {"SMPH010001011200.NS1", NetworkLayout::KiKnet, {"NS2", "EW2", "UD2", "NS1", "EW1", "UD1"}},
        {"jma_sample_47999.csv", NetworkLayout::JmaCsv, {"NS", "EW", "UD"}},
        {"RSN9001_SAMPLEV_SMP090.AT2", NetworkLayout::PeerAt2, {"000", "090", "UP"}},
        {"RSN9002_OTHERH_OTH000.AT2", NetworkLayout::PeerAt2, {"000"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(DetectNetworkLayout(folder / c.file), c.layout);
        const ScanResult scan = ScanNetworkRecord(folder / c.file, c.layout);
        ASSERT_FALSE(scan.refusal) << RefusalText(*scan.refusal);
        EXPECT_EQ(scan.ids, c.ids);
        EXPECT_EQ(scan.dataLines, 4000);
        EXPECT_EQ(scan.samplingRate, 100.0);
        EXPECT_TRUE(scan.notices.empty());
        std::vector<int> all(c.ids.size());
        for (std::size_t k = 0; k < all.size(); ++k) all[k] = static_cast<int>(k);
        const TransferRead read = ReadNetworkChannels(folder / c.file, c.layout, all);
        ASSERT_FALSE(read.refusal) << RefusalText(*read.refusal);
        EXPECT_EQ(read.linesRead, 4000);
    }
}

}  // namespace
}  // namespace tremvix
