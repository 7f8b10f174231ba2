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

// "仙台" in Shift-JIS.
const std::string kSendai = "\x90\xe5\x91\xe4";

std::vector<std::string> JmaHeader() {
    return {"SITE CODE= 4A1" + kSendai + " ,38.26,140.90,,", " LAT.= 38.26,,", " LON.= 140.90,,",
            " SAMPLING RATE= 100Hz,,", " UNIT  = gal(cm/s/s),,", "INITIAL TIME = 2000 10 06 13 30 10,,",
            " NS, EW ,UD,,"};
}

// Rows of three values; `rows` of them, the value of row i and column k being easy to recompute.
std::vector<std::string> JmaRows(int rows) {
    std::vector<std::string> lines;
    for (int i = 0; i < rows; ++i) {
        lines.push_back(std::to_string(i) + ".125,-" + std::to_string(i % 17) + ".5, " + std::to_string(i % 5) +
                        ".001e1,,");
    }
    return lines;
}

std::string JmaText(const std::vector<std::string>& header, const std::vector<std::string>& rows,
                    const std::string& eol = "\r\n") {
    return testing::Joined(header, eol) + testing::Joined(rows, eol);
}

float Parsed(const std::string& row, int column) {
    std::size_t start = 0;
    for (int k = 0; k < column; ++k) start = row.find(',', start) + 1;
    return static_cast<float>(std::strtod(row.c_str() + start, nullptr));
}

TEST(JmaCsvRecordTest, ReadsShiftJisHeaderAndRowsWithTrailingFields) {
    TempFolder folder;
    const std::vector<std::string> rows = JmaRows(250);
    for (const std::string eol : {"\r\n", "\n"}) {
        const auto file = folder.Write("jma.csv", JmaText(JmaHeader(), rows, eol) + eol);  // a blank last line
        EXPECT_EQ(DetectNetworkLayout(file), NetworkLayout::JmaCsv);
        const ScanResult scan = ScanNetworkRecord(file, NetworkLayout::JmaCsv);
        ASSERT_FALSE(scan.refusal) << RefusalText(*scan.refusal);
        EXPECT_EQ(scan.ids, (Texts{"NS", "EW", "UD"}));
        EXPECT_EQ(scan.names, Texts(3, "4A1" + kSendai));
        EXPECT_EQ(scan.memos, Texts(3, "2000/10/06 13:30:10"));
        EXPECT_EQ(scan.units, Texts(3, "gal"));
        EXPECT_EQ(scan.dataLines, 250);
        EXPECT_EQ(scan.samplingRate, 100.0);
        EXPECT_EQ(scan.layoutName, "JMA形式");
        EXPECT_EQ(scan.files, std::vector<std::filesystem::path>(3, file));

        const TransferRead read = ReadNetworkChannels(file, NetworkLayout::JmaCsv, {2, 1});
        ASSERT_FALSE(read.refusal) << RefusalText(*read.refusal);
        EXPECT_EQ(read.linesRead, 250);
        ASSERT_EQ(read.columns.size(), 2u);
        EXPECT_EQ(read.columns[0].id, "UD");
        EXPECT_EQ(read.columns[1].fileColumn, 1);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            ASSERT_EQ(read.columns[0].samples[i], Parsed(rows[i], 2)) << rows[i];
            ASSERT_EQ(read.columns[1].samples[i], Parsed(rows[i], 1)) << rows[i];
        }
    }
}

TEST(JmaCsvRecordTest, BrokenFilesAreRefusedAtTheirLine) {
    TempFolder folder;
    const struct {
        int line;
        std::string replacement, detail;
    } headerCases[] = {
        {4, " SAMPLING RATE= Hz,,", "サンプリング周波数が読めません"},
        {4, " SAMPLING RATE= -100Hz,,", "サンプリング周波数が読めません"},
        {5, " UNIT  = m/s/s,,", "単位が gal ではありません"},
        {2, " LON.= 140.90,,", "ヘッダの「LAT.=」の行がありません"},
        {7, ",,,", "成分名がありません"},
        {7, "0.1,0.2,0.3", "成分名の行がありません"},
    };
    for (const auto& c : headerCases) {
        SCOPED_TRACE(c.replacement);
        std::vector<std::string> header = JmaHeader();
        header[static_cast<std::size_t>(c.line - 1)] = c.replacement;
        const auto file = folder.Write("j.csv", JmaText(header, JmaRows(3)));
        ExpectBadRecord(ScanNetworkRecord(file, NetworkLayout::JmaCsv).refusal, "j.csv", c.line, c.detail);
        ExpectBadRecord(ReadNetworkChannels(file, NetworkLayout::JmaCsv, {0}).refusal, "j.csv", c.line, c.detail);
    }
    const struct {
        std::string row, detail;
    } rowCases[] = {
        {"1.0,abc,3.0", "数値ではない値があります"},
        {"1.0,2.0", "値が足りません（3 成分に 2 個）"},
        {"1.0,2.0,3.0,4.0", "成分の数より多い値があります"},
        {"1.0,,3.0", "数値ではない値があります"},
    };
    for (const auto& c : rowCases) {
        SCOPED_TRACE(c.row);
        std::vector<std::string> rows = JmaRows(5);
        rows[3] = c.row;
        const auto file = folder.Write("j.csv", JmaText(JmaHeader(), rows));
        ExpectBadRecord(ScanNetworkRecord(file, NetworkLayout::JmaCsv).refusal, "j.csv", 11, c.detail);
    }
    // Blank rows may end the file but not interrupt the samples.
    std::vector<std::string> rows = JmaRows(5);
    rows.insert(rows.begin() + 2, ",,,");
    const auto gap = folder.Write("j.csv", JmaText(JmaHeader(), rows));
    ExpectBadRecord(ScanNetworkRecord(gap, NetworkLayout::JmaCsv).refusal, "j.csv", 10, "値のない行があります");

    std::vector<std::string> header = JmaHeader();
    header.resize(5);
    const auto truncated = folder.Write("j.csv", testing::Joined(header, "\r\n"));
    const ScanResult scan = ScanNetworkRecord(truncated, NetworkLayout::JmaCsv);
    ASSERT_TRUE(scan.refusal);
    EXPECT_EQ(scan.refusal->kind, RefusalKind::EndsBeforeHeader);
    EXPECT_EQ(scan.refusal->line, 6);
    EXPECT_EQ(scan.refusal->file, "j.csv");
}

}  // namespace
}  // namespace tremvix
