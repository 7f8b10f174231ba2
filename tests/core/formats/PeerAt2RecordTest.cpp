#include "core/formats/NetworkRecord.h"

#include "NetworkTestFiles.h"
#include "core/data/DataFileTestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace tremvix {
namespace {

using testing::ExpectBadRecord;
using testing::TempFolder;
using Texts = std::vector<std::string>;

constexpr double kGalPerG = 980.665;

std::string NgaHeader(const std::string& line2, int npts, const std::string& dt = ".0100") {
    return "PEER NGA STRONG MOTION DATABASE RECORD\r\n" + line2 +
           "\r\nACCELERATION TIME SERIES IN UNITS OF G\r\nNPTS=  " + std::to_string(npts) + ", DT=   " + dt +
           " SEC\r\n";
}

std::string OlderHeader(const std::string& line2, int npts) {
    return "PEER STRONG MOTION DATABASE RECORD. PROCESSING BY SOME LAB.\n" + line2 +
           "\nACCEL TIME HISTORY IN UNITS OF G. FILTER POINTS: HP=0.1 Hz LP=30.0 Hz\n" + std::to_string(npts) +
           "    0.0050    NPTS, DT\n";
}

// Value i in g, written without a leading zero and, when `touching`, with a minus
// sign right after the previous number.
std::string Value(int i, bool touching) {
    const bool negative = i % 3 == 1;
    const std::string text = (negative ? "-" : "") + std::string(".") + std::to_string(1000000 + i * 7919 % 8999999) +
                             "E-0" + std::to_string(1 + i % 4);
    return touching && negative ? text : " " + text;
}

std::string Values(int n, bool touching, const std::string& eol = "\r\n") {
    std::string text;
    for (int i = 0; i < n; ++i) {
        text += Value(i, touching);
        if (i % 5 == 4 || i + 1 == n) text += eol;
    }
    return text;
}

float Gal(int i) {
    return static_cast<float>(std::strtod(Value(i, false).c_str(), nullptr) * kGalPerG);
}

void ExpectValues(const TransferColumn& column, int n) {
    ASSERT_EQ(column.samples.size(), static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) ASSERT_EQ(column.samples[static_cast<std::size_t>(i)], Gal(i)) << "value " << i;
}

TEST(PeerAt2RecordTest, ReadsBothHeaderVariantsAndTouchingNumbers) {
    TempFolder folder;
    const auto nga = folder.Write("RSN8883_14383980_13849360.AT2",
                                  NgaHeader("Ridgecrest, 7/6/2019, Station X, 090", 52) + Values(52, false));
    std::filesystem::create_directories(folder.Path() / "A");
    const auto older = folder.Write("A/OLD.AT2", OlderHeader("LOMA PRIETA 10/18/89 00:05, CLIFF HOUSE, 000", 53) + Values(53, true, "\n"));

    const ScanResult scan = ScanNetworkRecord(nga, NetworkLayout::PeerAt2);
    ASSERT_FALSE(scan.refusal) << RefusalText(*scan.refusal);
    EXPECT_EQ(scan.ids, Texts{"090"});
    EXPECT_EQ(scan.names, Texts{"Station X"});
    EXPECT_EQ(scan.memos, Texts{"Ridgecrest 7/6/2019"});
    EXPECT_EQ(scan.dataLines, 52);
    EXPECT_EQ(scan.samplingRate, 1.0 / 0.01);
    EXPECT_EQ(scan.layoutName, "PEER形式");
    const TransferRead read = ReadNetworkChannels(nga, NetworkLayout::PeerAt2, {0});
    ASSERT_FALSE(read.refusal) << RefusalText(*read.refusal);
    ExpectValues(read.columns[0], 52);

    EXPECT_EQ(DetectNetworkLayout(older), NetworkLayout::PeerAt2);
    const ScanResult old = ScanNetworkRecord(older, NetworkLayout::PeerAt2);
    ASSERT_FALSE(old.refusal) << RefusalText(*old.refusal);
    EXPECT_EQ(old.ids, Texts{"000"});
    EXPECT_EQ(old.names, Texts{"CLIFF HOUSE"});
    EXPECT_EQ(old.memos, Texts{"LOMA PRIETA 10/18/89 00:05"});
    EXPECT_EQ(old.samplingRate, 1.0 / 0.005);
    const TransferRead oldRead = ReadNetworkChannels(older, NetworkLayout::PeerAt2, {0});
    ASSERT_FALSE(oldRead.refusal) << RefusalText(*oldRead.refusal);
    ExpectValues(oldRead.columns[0], 53);
}

TEST(PeerAt2RecordTest, ComponentsAreTheFilesOfTheSameEventStationAndStep) {
    TempFolder folder;
    const std::string event = "Loma Prieta, 10/18/1989, Cliff House";
    folder.Write("RSN753_LOMAP_CLS000.AT2", NgaHeader(event + ", 000", 40) + Values(40, false));
    const auto chosen =
        folder.Write("RSN753_LOMAP_CLS090-hor2.AT2", NgaHeader(" Loma Prieta ,10/18/1989,  Cliff House ,090", 40) +
                                                         Values(40, true));
    folder.Write("zz_up.at2", NgaHeader(event + ", UP", 40) + Values(40, false));
    // Not of this record: another date, another station, another step, other layouts.
    folder.Write("RSN754_LOMAP_CLS000.AT2", NgaHeader("Loma Prieta, 10/19/1989, Cliff House, 000", 40) + Values(40, false));
    folder.Write("RSN755_LOMAP_SFO000.AT2", NgaHeader("Loma Prieta, 10/18/1989, SF Airport, 000", 40) + Values(40, false));
    folder.Write("RSN753_LOMAP_CLS000.AT2.bak", NgaHeader(event + ", 000", 80, ".0050") + Values(80, false));
    folder.Write("RSN753_LOMAP_CLS000.csv", "CH1\npoint\nmemo\ngal\n1\n");
    folder.Write("broken.AT2", "PEER NGA STRONG MOTION DATABASE RECORD\n" + event + ", 000\n");
    std::filesystem::create_directories(folder.Path() / "sub.AT2");

    const ScanResult scan = ScanNetworkRecord(chosen, NetworkLayout::PeerAt2);
    ASSERT_FALSE(scan.refusal) << RefusalText(*scan.refusal);
    EXPECT_EQ(scan.ids, (Texts{"000", "090", "UP"}));
    ASSERT_EQ(scan.files.size(), 3u);
    EXPECT_EQ(scan.files[0].filename(), "RSN753_LOMAP_CLS000.AT2");
    EXPECT_EQ(scan.files[2].filename(), "zz_up.at2");
    EXPECT_TRUE(scan.notices.empty());

    const TransferRead read = ReadNetworkChannels(chosen, NetworkLayout::PeerAt2, {2, 1});
    ASSERT_FALSE(read.refusal) << RefusalText(*read.refusal);
    EXPECT_EQ(read.columns[0].id, "UP");
    ExpectValues(read.columns[0], 40);
    ExpectValues(read.columns[1], 40);
}

// As in the other layouts, the horizontals come first and the vertical last, even
// when its file name sorts first.
TEST(PeerAt2RecordTest, VerticalComponentIsListedLast) {
    TempFolder folder;
    const std::string event = "Sample Valley, 1/1/2000, Sample Station";
    const auto east = folder.Write("RSN1_SV_STA090.AT2", NgaHeader(event + ", 090", 20) + Values(20, false));
    folder.Write("RSN1_SV_STA-UP.AT2", NgaHeader(event + ", UP", 20) + Values(20, false));
    folder.Write("RSN1_SV_STA000.AT2", NgaHeader(event + ", 000", 20) + Values(20, false));
    const ScanResult scan = ScanNetworkRecord(east, NetworkLayout::PeerAt2);
    ASSERT_FALSE(scan.refusal) << RefusalText(*scan.refusal);
    EXPECT_EQ(scan.ids, (Texts{"000", "090", "UP"}));
    ASSERT_EQ(scan.files.size(), 3u);
    EXPECT_EQ(scan.files[2].filename(), "RSN1_SV_STA-UP.AT2");
    const TransferRead read = ReadNetworkChannels(east, NetworkLayout::PeerAt2, {2});
    ASSERT_FALSE(read.refusal) << RefusalText(*read.refusal);
    EXPECT_EQ(read.columns[0].id, "UP");
}

TEST(PeerAt2RecordTest, ComponentsOfDifferentLengthsAreCutToTheShortest) {
    TempFolder folder;
    const std::string event = "Chi-Chi_ Taiwan-06 With A Rather Long Event Name, 9/25/1999, TCU078";
    folder.Write("a.AT2", NgaHeader(event + ", E", 30) + Values(30, false));
    const auto chosen = folder.Write("b.AT2", NgaHeader(event + ", N", 27) + Values(27, false));
    const ScanResult scan = ScanNetworkRecord(chosen, NetworkLayout::PeerAt2);
    ASSERT_FALSE(scan.refusal) << RefusalText(*scan.refusal);
    EXPECT_EQ(scan.dataLines, 27);
    EXPECT_EQ(scan.notices,
              Texts{"値の数が成分によって異なります（27～30 個）。すべて最も短い 27 個にそろえました" + testing::MessageEnd()});
    // The memo keeps the date and cuts the event to fit 39 bytes.
    EXPECT_EQ(scan.memos[0], "Chi-Chi_ Taiwan-06 With A Rat 9/25/1999");
    const TransferRead read = ReadNetworkChannels(chosen, NetworkLayout::PeerAt2, {0, 1});
    ASSERT_FALSE(read.refusal) << RefusalText(*read.refusal);
    EXPECT_EQ(read.linesRead, 27);
    ExpectValues(read.columns[0], 27);
    ExpectValues(read.columns[1], 27);
}

TEST(PeerAt2RecordTest, BrokenFilesAreRefusedAtTheirLine) {
    TempFolder folder;
    const std::string line2 = "Kobe, 1/16/1995, KJMA, 000";
    const struct {
        std::string text;
        int line;
        std::string detail;
    } cases[] = {
        {NgaHeader(line2, 12) + Values(10, false), 4, "値の数（10 個）が NPTS（12）より少なくなっています"},
        {NgaHeader(line2, 8) + Values(10, false), 6, "NPTS（8）より多くの値があります"},
        {NgaHeader(line2, 9) + Values(10, false), 6, "NPTS（9）より多くの値があります"},
        // A huge claim must not be believed before the values are counted.
        {NgaHeader(line2, 2000000000) + Values(3, false), 4, "値の数（3 個）が NPTS（2000000000）より少なくなっています"},
        {NgaHeader(line2, 3) + " .1E-01 .2E-01 1.2.3\r\n", 5, "数値ではない値があります"},
        {NgaHeader(line2, 3) + " .1E-01 .2E-01 abc\r\n", 5, "数値ではない値があります"},
        {NgaHeader(line2, 3) + " .1E-01.2E-01 .3E-01\r\n", 5, "数値ではない値があります"},
        {NgaHeader(line2, 3, "0") + Values(3, false), 4, "NPTS と DT が読めません"},
        {NgaHeader(line2, 3, "x") + Values(3, false), 4, "NPTS と DT が読めません"},
        {"PEER NGA STRONG MOTION DATABASE RECORD\n" + line2 + "\nACCELERATION TIME SERIES IN UNITS OF G\nDT=.01\n", 4,
         "NPTS と DT が読めません"},
        {"PEER NGA STRONG MOTION DATABASE RECORD\n" + line2 + "\nVELOCITY TIME SERIES IN UNITS OF CM/S\nNPTS= 1, DT= .01\n",
         3, "加速度（単位 g）の記録ではありません"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 200));
        const auto file = folder.Write("k.AT2", c.text);
        ExpectBadRecord(ScanNetworkRecord(file, NetworkLayout::PeerAt2).refusal, "k.AT2", c.line, c.detail);
        ExpectBadRecord(ReadNetworkChannels(file, NetworkLayout::PeerAt2, {0}).refusal, "k.AT2", c.line, c.detail);
    }
    const auto truncated = folder.Write("k.AT2", "PEER NGA STRONG MOTION DATABASE RECORD\n" + line2 + "\n");
    const ScanResult scan = ScanNetworkRecord(truncated, NetworkLayout::PeerAt2);
    ASSERT_TRUE(scan.refusal);
    EXPECT_EQ(scan.refusal->kind, RefusalKind::EndsBeforeHeader);
    EXPECT_EQ(scan.refusal->line, 3);
}

}  // namespace
}  // namespace tremvix
