#include "core/formats/NetworkRecord.h"

#include "NetworkTestFiles.h"
#include "core/data/DataFileTestFiles.h"
#include "core/data/NumberReader.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace tremvix {
namespace {

using testing::ExpectBadRecord;
using testing::KnetSpec;
using testing::KnetText;
using testing::QuakeCounts;
using testing::TempFolder;
using Texts = std::vector<std::string>;

constexpr double kNum = 7845;
constexpr double kDen = 8223790;

void ExpectSamples(const TransferColumn& column, const std::vector<std::int64_t>& counts) {
    ASSERT_EQ(column.samples.size(), counts.size());
    for (std::size_t i = 0; i < counts.size(); ++i) {
        ASSERT_EQ(column.samples[i], static_cast<float>(testing::GalOf(counts[i], kNum, kDen))) << "sample " << i;
    }
}

KnetSpec Spec(int n, int seed, const std::string& direction = "N-S") {
    KnetSpec spec;
    spec.counts = QuakeCounts(n, seed);
    spec.direction = direction;
    return spec;
}

TEST(KnetRecordTest, ChoosingAnyComponentListsTheTripletInOrder) {
    TempFolder folder;
    const KnetSpec ns = Spec(1001, 1), ew = Spec(1001, 2, "E-W"), ud = Spec(1001, 3, "U-D");
    folder.Write("MYG0041103111446.UD", KnetText(ud));
    folder.Write("MYG0041103111446.NS", KnetText(ns));
    const auto chosen = folder.Write("MYG0041103111446.EW", KnetText(ew));
    folder.Write("MYG0051103111446.NS", KnetText(Spec(20, 4)));  // another station

    const ScanResult scan = ScanNetworkRecord(chosen, NetworkLayout::Knet);
    ASSERT_FALSE(scan.refusal) << RefusalText(*scan.refusal);
    EXPECT_EQ(scan.ids, (Texts{"NS", "EW", "UD"}));
    EXPECT_EQ(scan.names, (Texts{"MYG004", "MYG004", "MYG004"}));
    EXPECT_EQ(scan.memos, Texts(3, "2011/03/11 14:46:00 M9.0"));
    EXPECT_EQ(scan.units, Texts(3, "gal"));
    EXPECT_EQ(scan.channelCount, 3);
    EXPECT_EQ(scan.dataLines, 1001);
    EXPECT_EQ(scan.samplingRate, 100.0);
    EXPECT_EQ(scan.layoutName, "K-NET形式");
    EXPECT_TRUE(scan.notices.empty()) << scan.notices.front();
    ASSERT_EQ(scan.files.size(), 3u);
    EXPECT_EQ(scan.files[0].filename(), "MYG0041103111446.NS");
    EXPECT_EQ(scan.files[2].filename(), "MYG0041103111446.UD");

    std::vector<int> progress;
    const TransferRead read =
        ReadNetworkChannels(chosen, NetworkLayout::Knet, {2, 0}, [&](int n) { progress.push_back(n); });
    ASSERT_FALSE(read.refusal) << RefusalText(*read.refusal);
    ASSERT_EQ(read.columns.size(), 2u);
    EXPECT_EQ(read.linesRead, 1001);
    EXPECT_EQ(read.columns[0].fileColumn, 2);
    EXPECT_EQ(read.columns[0].id, "UD");
    EXPECT_EQ(read.columns[0].unit, "gal");
    EXPECT_EQ(read.columns[1].memo, "2011/03/11 14:46:00 M9.0");
    ExpectSamples(read.columns[0], ud.counts);
    ExpectSamples(read.columns[1], ns.counts);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), 0);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_LE(progress.back(), 1001);
}

TEST(KnetRecordTest, NewerLabelsCrLfAndAShortLastLine) {
    TempFolder folder;
    KnetSpec spec = Spec(45, 7);  // 5 full lines and one of 5 counts
    spec.newerLabels = true;
    spec.eol = "\r\n";
    spec.rate = "200Hz";
    const auto file = folder.Write("TKY0070001011200.NS", KnetText(spec));
    const ScanResult scan = ScanNetworkRecord(file, NetworkLayout::Knet);
    ASSERT_FALSE(scan.refusal) << RefusalText(*scan.refusal);
    EXPECT_EQ(scan.ids, Texts{"NS"});
    EXPECT_EQ(scan.dataLines, 45);
    EXPECT_EQ(scan.samplingRate, 200.0);
    EXPECT_TRUE(scan.notices.empty());
    const TransferRead read = ReadNetworkChannels(file, NetworkLayout::Knet, {0});
    ASSERT_FALSE(read.refusal) << RefusalText(*read.refusal);
    ExpectSamples(read.columns[0], spec.counts);
}

TEST(KnetRecordTest, KiknetListsSurfaceThenBoreholeInEitherCase) {
    TempFolder folder;
    const Texts order = {"NS2", "EW2", "UD2", "NS1", "EW1", "UD1"};
    // The borehole files in lower case, the surface files in upper case; written out of order.
    const Texts extensions = {"ud1", "NS2", "ew1", "UD2", "ns1", "EW2"};
    for (const std::string& extension : extensions) {
        const auto k = std::find_if(order.begin(), order.end(), [&](const std::string& id) {
                           return id[0] == (extension[0] & ~0x20) && id[1] == (extension[1] & ~0x20) && id[2] == extension[2];
                       }) - order.begin();
        folder.Write("IWTH251103111446." + extension, KnetText(Spec(64, static_cast<int>(k))));
    }
    folder.Write("IWTH251103111446.NS", KnetText(Spec(64, 9)));  // K-NET extension: not a KiK-net component
    const auto chosen = folder.Path() / "IWTH251103111446.ud1";
    EXPECT_EQ(DetectNetworkLayout(chosen), NetworkLayout::KiKnet);
    const ScanResult scan = ScanNetworkRecord(chosen, NetworkLayout::KiKnet);
    ASSERT_FALSE(scan.refusal) << RefusalText(*scan.refusal);
    EXPECT_EQ(scan.ids, order);
    EXPECT_EQ(scan.layoutName, "KiK-net形式");
    EXPECT_EQ(scan.files[3].filename(), "IWTH251103111446.ns1");
    EXPECT_EQ(scan.files[0].filename(), "IWTH251103111446.NS2");

    const TransferRead read = ReadNetworkChannels(chosen, NetworkLayout::KiKnet, {4});
    ASSERT_FALSE(read.refusal) << RefusalText(*read.refusal);
    EXPECT_EQ(read.columns[0].id, "EW1");
    ExpectSamples(read.columns[0], Spec(64, 4).counts);
}

// With X.ew and X.EW both beside the chosen file, the one in its case is read.
TEST(KnetRecordTest, SiblingsAreTakenInTheChosenFilesCase) {
    TempFolder folder;
    const KnetSpec lowerEw = Spec(40, 2, "E-W"), upperEw = Spec(40, 5, "E-W");
    const auto lowerNs = folder.Write("AKT0010001011200.ns", KnetText(Spec(40, 1)));
    const auto upperNs = folder.Write("AKT0010001011200.NS", KnetText(Spec(40, 1)));
    folder.Write("AKT0010001011200.ew", KnetText(lowerEw));
    folder.Write("AKT0010001011200.EW", KnetText(upperEw));
    for (const auto& [chosen, extension, ew] : {std::tuple{lowerNs, "ew", lowerEw}, std::tuple{upperNs, "EW", upperEw}}) {
        SCOPED_TRACE(extension);
        const ScanResult scan = ScanNetworkRecord(chosen, NetworkLayout::Knet);
        ASSERT_FALSE(scan.refusal) << RefusalText(*scan.refusal);
        EXPECT_EQ(scan.ids, (Texts{"NS", "EW"}));
        EXPECT_EQ(scan.files.at(1).extension(), std::string(".") + extension);
        const TransferRead read = ReadNetworkChannels(chosen, NetworkLayout::Knet, {1});
        ASSERT_FALSE(read.refusal) << RefusalText(*read.refusal);
        ExpectSamples(read.columns[0], ew.counts);
    }
}

// The rate's unit is read in any letter case.
TEST(KnetRecordTest, RateUnitInAnyCase) {
    TempFolder folder;
    for (const char* rate : {"100hz", "100HZ", "100Hz", "100"}) {
        SCOPED_TRACE(rate);
        KnetSpec spec = Spec(24, 3);
        spec.rate = rate;
        const ScanResult scan = ScanNetworkRecord(folder.Write("OSK0010001011200.NS", KnetText(spec)), NetworkLayout::Knet);
        ASSERT_FALSE(scan.refusal) << RefusalText(*scan.refusal);
        EXPECT_EQ(scan.samplingRate, 100.0);
    }
}

TEST(KnetRecordTest, MissingComponentsAndLookalikesAreLeftOut) {
    TempFolder folder;
    folder.Write("A.UD", KnetText(Spec(16, 1)));
    folder.Write("A.EW", "CH1,CH2\npoint,point\nmemo,memo\ngal,gal\n1,2\n");  // CSV under a component name
    const auto chosen = folder.Write("A.NS", KnetText(Spec(16, 2)));
    const ScanResult scan = ScanNetworkRecord(chosen, NetworkLayout::Knet);
    ASSERT_FALSE(scan.refusal) << RefusalText(*scan.refusal);
    EXPECT_EQ(scan.ids, (Texts{"NS", "UD"}));

    // A file whose extension names no component is a record of its own, named by Dir.
    const auto lone = folder.Write("record.txt", KnetText(Spec(16, 3, "E-W")));
    EXPECT_EQ(DetectNetworkLayout(lone), NetworkLayout::Knet);
    const ScanResult single = ScanNetworkRecord(lone, NetworkLayout::Knet);
    ASSERT_FALSE(single.refusal) << RefusalText(*single.refusal);
    EXPECT_EQ(single.ids, Texts{"EW"});
}

TEST(KnetRecordTest, StatedPeakIsCheckedAfterRemovingTheMean) {
    TempFolder folder;
    KnetSpec ns = Spec(800, 1), ew = Spec(800, 2, "E-W"), ud = Spec(800, 3, "U-D");
    // Within the rounding of three decimals: accepted.
    ns.maxAcc = testing::Decimals(testing::PeakOf(ns.counts, kNum, kDen) + 0.0004, 6);
    // The peak of the raw values, the mean left in: a disagreement.
    double rawPeak = 0;
    for (const auto c : ew.counts) rawPeak = std::max(rawPeak, std::fabs(testing::GalOf(c, kNum, kDen)));
    ew.maxAcc = testing::Decimals(rawPeak, 3);
    folder.Write("B.NS", KnetText(ns));
    folder.Write("B.EW", KnetText(ew));
    const auto chosen = folder.Write("B.UD", KnetText(ud));
    const ScanResult scan = ScanNetworkRecord(chosen, NetworkLayout::Knet);
    ASSERT_FALSE(scan.refusal) << RefusalText(*scan.refusal);
    ASSERT_EQ(scan.notices.size(), 1u);
    EXPECT_EQ(scan.notices[0].rfind("EW 成分の最大加速度（平均を除いて " + testing::PeakText(ew.counts, kNum, kDen), 0), 0u)
        << scan.notices[0];
    EXPECT_TRUE(scan.notices[0].ends_with("と一致しません" + testing::MessageEnd()));
}

TEST(KnetRecordTest, LongRecordsAreNotCapped) {
    TempFolder folder;
    const KnetSpec spec = Spec(40003, 5);
    const auto file = folder.Write("L.NS", KnetText(spec));
    const ScanResult scan = ScanNetworkRecord(file, NetworkLayout::Knet);
    ASSERT_FALSE(scan.refusal) << RefusalText(*scan.refusal);
    EXPECT_EQ(scan.dataLines, 40003);
    const TransferRead read = ReadNetworkChannels(file, NetworkLayout::Knet, {0});
    ASSERT_FALSE(read.refusal) << RefusalText(*read.refusal);
    ExpectSamples(read.columns[0], spec.counts);
}

// --- refusals ---

std::string WithHeaderLine(const KnetSpec& spec, int line, const std::string& replacement) {
    std::vector<std::string> lines = testing::KnetHeaderLines(spec);
    lines[static_cast<std::size_t>(line - 1)] = replacement;
    return testing::Joined(lines, spec.eol) + testing::KnetData(spec.counts, spec.eol);
}

TEST(KnetRecordTest, BrokenHeadersAreRefusedAtTheirLine) {
    TempFolder folder;
    const KnetSpec spec = Spec(24, 1);
    const struct {
        int line;
        std::string text, detail;
    } cases[] = {
        {14, "Scale Factor      0(gal)/8223790", "スケールファクターが 0 です"},
        {14, "Scale Factor      7845(gal)/0", "スケールファクターが 0 です"},
        {14, "Scale Factor", "スケールファクターが読めません"},
        {14, "Scale Factor      7845(gal)/82x3790", "スケールファクターが読めません"},
        {14, "Scale Factor      7845(m/s2)/8223790", "スケールファクターの単位が gal ではありません"},
        {11, "Sampling Freq(Hz) ", "サンプリング周波数が読めません"},
        {11, "Sampling Freq(Hz) 0Hz", "サンプリング周波数が読めません"},
        {11, "Sampling Freq(Hz) fastHz", "サンプリング周波数が読めません"},
        {15, "Last Correction   2011/03/11 14:46:19", "ヘッダの「Max. Acc. (gal)」の行がありません"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto file = folder.Write("C.NS", WithHeaderLine(spec, c.line, c.text));
        ExpectBadRecord(ScanNetworkRecord(file, NetworkLayout::Knet).refusal, "C.NS", c.line, c.detail);
        ExpectBadRecord(ReadNetworkChannels(file, NetworkLayout::Knet, {0}).refusal, "C.NS", c.line, c.detail);
    }
}

TEST(KnetRecordTest, TruncatedHeaderAndBadCountsAreRefusedAtTheirLine) {
    TempFolder folder;
    const KnetSpec spec = Spec(24, 1);
    const std::vector<std::string> header = testing::KnetHeaderLines(spec);
    const auto truncated =
        folder.Write("D.NS", testing::Joined(std::vector<std::string>(header.begin(), header.begin() + 10), "\n"));
    const ScanResult scan = ScanNetworkRecord(truncated, NetworkLayout::Knet);
    ASSERT_TRUE(scan.refusal);
    EXPECT_EQ(scan.refusal->kind, RefusalKind::EndsBeforeHeader);
    EXPECT_EQ(scan.refusal->line, 11);
    EXPECT_EQ(RefusalText(*scan.refusal), "D.NS：ファイルがヘッダ行の途中で終わっています（11行目）" + testing::MessageEnd());

    for (const std::string bad : {"12.5", "12a", "--3", "0x1F", "99999999999999999999"}) {
        SCOPED_TRACE(bad);
        const auto file = folder.Write("ABC0011103111446.NS",
                                       testing::KnetText(spec) + "       1       2 " + bad + "\n       4\n");
        const std::optional<Refusal> refusal = ScanNetworkRecord(file, NetworkLayout::Knet).refusal;
        ExpectBadRecord(refusal, "ABC0011103111446.NS", 21, "整数ではない値があります");
        EXPECT_EQ(RefusalText(*refusal), "ABC0011103111446.NS の 21行目：整数ではない値があります" + testing::MessageEnd());
        ExpectBadRecord(ReadNetworkChannels(file, NetworkLayout::Knet, {0}).refusal, "ABC0011103111446.NS", 21,
                        "整数ではない値があります");
    }
}

TEST(KnetRecordTest, SiblingsOfAnotherLengthOrRateAreRefusedByName) {
    TempFolder folder;
    const auto chosen = folder.Write("E.NS", KnetText(Spec(24, 1)));
    folder.Write("E.EW", KnetText(Spec(23, 2, "E-W")));  // ends on line 17 + 3
    ExpectBadRecord(ScanNetworkRecord(chosen, NetworkLayout::Knet).refusal, "E.EW", 20,
                    "値の数（23 個）が E.NS の 24 個と異なります");

    KnetSpec fast = Spec(24, 2, "E-W");
    fast.rate = "200Hz";
    folder.Write("E.EW", KnetText(fast));
    ExpectBadRecord(ScanNetworkRecord(chosen, NetworkLayout::Knet).refusal, "E.EW", 11,
                    "サンプリング周波数（200 Hz）が E.NS の 100 Hz と異なります");
    ExpectBadRecord(ReadNetworkChannels(chosen, NetworkLayout::Knet, {0, 1}).refusal, "E.EW", 11,
                    "サンプリング周波数（200 Hz）が E.NS の 100 Hz と異なります");
    ExpectBadRecord(ReadNetworkChannels(chosen, NetworkLayout::Knet, {0, 5}).refusal, "E.NS", 0,
                    "選んだ成分がありません（ファイルが変わった可能性があります）");
}

}  // namespace
}  // namespace tremvix
