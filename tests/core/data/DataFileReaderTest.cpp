#include "core/data/DataFileReader.h"

#include "DataFileTestFiles.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace tremvix {
namespace {

using testing::TempFolder;
using Texts = std::vector<std::string>;

// The bytes of a literal that holds NUL bytes, without its terminator.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

std::string Spaces5() {
    return "\u3000\u3000\u3000\u3000\u3000";
}

// A standard file of `lines` data lines, sample i of channel k being i + k / 10.
std::string StandardFile(int channels, int lines, const std::string& eol = "\r\n") {
    std::string ids, names, memos, units, data;
    for (int k = 0; k < channels; ++k) {
        const std::string sep = k ? "," : "";
        ids += sep + "CH" + std::to_string(k + 1);
        names += sep + " point " + std::to_string(k);
        memos += sep + "memo" + std::to_string(k);
        units += sep + "gal";
    }
    std::string text = ids + eol + names + eol + memos + eol + units + eol;
    for (int i = 0; i < lines; ++i) {
        for (int k = 0; k < channels; ++k) {
            text += (k ? "," : "") + std::to_string(i) + "." + std::to_string(k);
        }
        text += eol;
    }
    return text;
}

void ExpectRefusal(const ScanResult& scan, RefusalKind kind, int line) {
    ASSERT_TRUE(scan.refusal.has_value());
    EXPECT_EQ(scan.refusal->kind, kind);
    EXPECT_EQ(scan.refusal->line, line);
}

// --- scan, standard layout ---

TEST(DataFileScanTest, ThreeChannelsThousandLines) {
    TempFolder folder;
    const ScanResult scan = ScanDataFile(folder.Write("a.csv", StandardFile(3, 1000)), FileLayout::Standard);
    ASSERT_FALSE(scan.refusal) << RefusalText(*scan.refusal);
    EXPECT_EQ(scan.channelCount, 3);
    EXPECT_EQ(scan.dataLines, 1000);
    EXPECT_EQ(scan.idFieldCount, 3);
    EXPECT_EQ(scan.ids, (Texts{"CH1", "CH2", "CH3"}));
    EXPECT_EQ(scan.names, (Texts{" point 0", " point 1", " point 2"}));  // space kept, CR dropped
    EXPECT_EQ(scan.memos, (Texts{"memo0", "memo1", "memo2"}));
    EXPECT_EQ(scan.units, (Texts{"gal", "gal", "gal"}));
}

TEST(DataFileScanTest, BlankAndUnterminatedLastLinesCount) {
    TempFolder folder;
    const std::string head = "A,B\nn1,n2\nm1,m2\ngal,kine\n";
    EXPECT_EQ(ScanDataFile(folder.Write("a.csv", head + "1,2\n3,4\n\n"), FileLayout::Standard).dataLines, 3);
    EXPECT_EQ(ScanDataFile(folder.Write("b.csv", head + "1,2\n3,4"), FileLayout::Standard).dataLines, 2);
    EXPECT_EQ(ScanDataFile(folder.Write("c.csv", head), FileLayout::Standard).dataLines, 0);
    const ScanResult unterminated = ScanDataFile(folder.Write("d.csv", "A\nn\nm\ngal"), FileLayout::Standard);
    ASSERT_FALSE(unterminated.refusal);
    EXPECT_EQ(unterminated.units, Texts{"gal"});
    EXPECT_EQ(unterminated.dataLines, 0);
}

TEST(DataFileScanTest, ShortHeaderLinesGiveEmptyTexts) {
    TempFolder folder;
    const ScanResult scan =
        ScanDataFile(folder.Write("a.csv", "A,B,C,D,E\nn1,n2,n3\nm1\n\n1,2,3\n"), FileLayout::Standard);
    ASSERT_FALSE(scan.refusal);
    EXPECT_EQ(scan.idFieldCount, 5);
    EXPECT_EQ(scan.channelCount, 3);
    EXPECT_EQ(scan.ids, (Texts{"A", "B", "C"}));
    EXPECT_EQ(scan.memos, (Texts{"m1", "", ""}));
    EXPECT_EQ(scan.units, (Texts{"", "", ""}));
}

TEST(DataFileScanTest, PercentUnitLineRefusedKeepingWhatWasRead) {
    TempFolder folder;
    const ScanResult scan =
        ScanDataFile(folder.Write("a.csv", "A,B\nn1,n2\nm1,m2\n%gal,gal\n1,2\n"), FileLayout::Standard);
    ExpectRefusal(scan, RefusalKind::NotStandardFormat, 4);
    EXPECT_EQ(scan.ids, (Texts{"A", "B"}));
    EXPECT_EQ(scan.names, (Texts{"n1", "n2"}));
    EXPECT_EQ(scan.memos, (Texts{"m1", "m2"}));
    EXPECT_TRUE(scan.units.empty());
    EXPECT_EQ(scan.dataLines, 0);
    EXPECT_EQ(RefusalText(*scan.refusal), "標準形式データファイルではありません" + Spaces5());
    EXPECT_EQ(RefusalCaption(*scan.refusal), "ファイル形式エラー");
    // Only the first byte of the first field counts.
    EXPECT_FALSE(ScanDataFile(folder.Write("b.csv", "A,B\nn1,n2\nm\n %,%\n"), FileLayout::Standard).refusal);
}

TEST(DataFileScanTest, HeaderRefusalsWithLineNumbers) {
    TempFolder folder;
    ExpectRefusal(ScanDataFile(folder.Write("empty.csv", ""), FileLayout::Standard),
                  RefusalKind::EndsBeforeHeader, 1);
    ExpectRefusal(ScanDataFile(folder.Write("two.csv", "A\nn\n"), FileLayout::Standard),
                  RefusalKind::EndsBeforeHeader, 3);
    ExpectRefusal(ScanDataFile(folder.Write("ed.csv", "x\nn\n"), FileLayout::EDefence),
                  RefusalKind::EndsBeforeHeader, 3);

    std::string fields101, fields100;
    for (int k = 0; k < 101; ++k) {
        fields101 += (k ? "," : "") + std::to_string(k);
    }
    fields100 = fields101.substr(0, fields101.rfind(','));
    const ScanResult many =
        ScanDataFile(folder.Write("many.csv", "A\n" + fields101 + "\nm\nu\n"), FileLayout::Standard);
    ExpectRefusal(many, RefusalKind::TooManyFields, 2);
    EXPECT_EQ(RefusalText(*many.refusal), "2行目のフィールドが多すぎます（100個まで）" + Spaces5());
    // The first fault met is the one reported.
    ExpectRefusal(ScanDataFile(folder.Write("many2.csv", "x\n" + fields101 + "\n"), FileLayout::EDefence),
                  RefusalKind::TooManyFields, 2);
    const ScanResult hundred =
        ScanDataFile(folder.Write("100.csv", "A\n" + fields100 + "\nm\nu\n1\n"), FileLayout::Standard);
    ASSERT_FALSE(hundred.refusal);
    EXPECT_EQ(hundred.channelCount, 100);
    EXPECT_EQ(hundred.names[99], "99");
    // Line 1 may hold more fields: they are counted, the row count follows line 2.
    const ScanResult wideIds =
        ScanDataFile(folder.Write("ids.csv", fields101 + "\nn\nm\nu\n"), FileLayout::Standard);
    ASSERT_FALSE(wideIds.refusal);
    EXPECT_EQ(wideIds.idFieldCount, 101);
    EXPECT_EQ(wideIds.ids, Texts{"0"});
}

TEST(DataFileScanTest, LineLengthLimit) {
    TempFolder folder;
    const std::string head = "A\nn\nm\nu\n";
    // 2,047 bytes with the line end are allowed, CR LF counting as one.
    EXPECT_FALSE(
        ScanDataFile(folder.Write("lf.csv", head + std::string(2046, '1') + "\n"), FileLayout::Standard)
            .refusal);
    EXPECT_FALSE(
        ScanDataFile(folder.Write("crlf.csv", head + std::string(2046, '1') + "\r\n"), FileLayout::Standard)
            .refusal);
    EXPECT_FALSE(
        ScanDataFile(folder.Write("last.csv", head + std::string(2047, '1')), FileLayout::Standard).refusal);
    const ScanResult data = ScanDataFile(
        folder.Write("long.csv", head + "1\n2\n" + std::string(2047, '1') + "\n"), FileLayout::Standard);
    ExpectRefusal(data, RefusalKind::LineTooLong, 7);
    EXPECT_EQ(RefusalText(*data.refusal), "7行目が長すぎます（2047バイトまで）" + Spaces5());
    ExpectRefusal(
        ScanDataFile(folder.Write("unterminated.csv", head + std::string(2048, '1')), FileLayout::Standard),
        RefusalKind::LineTooLong, 5);
    ExpectRefusal(ScanDataFile(folder.Write("header.csv", "A\nn\n" + std::string(3000, 'm') + "\nu\n"),
                               FileLayout::Standard),
                  RefusalKind::LineTooLong, 3);
    EXPECT_TRUE(
        ScanDataFile(folder.Write("ids.csv", std::string(2047, 'A') + "\nn\nm\nu\n"), FileLayout::Standard)
            .refusal);
}

TEST(DataFileScanTest, EDefenceFirstLineMayBeLonger) {
    TempFolder folder;
    const std::string rest = "\nn0,n1,n2\ngal,gal,gal\n1,2,3\n";
    const ScanResult ok =
        ScanDataFile(folder.Write("a.csv", std::string(2998, ',') + rest), FileLayout::EDefence);
    ASSERT_FALSE(ok.refusal);
    EXPECT_EQ(ok.channelCount, 3);  // line 1 is never split
    const ScanResult tooLong =
        ScanDataFile(folder.Write("b.csv", std::string(2999, 'x') + rest), FileLayout::EDefence);
    ExpectRefusal(tooLong, RefusalKind::LineTooLong, 1);
    EXPECT_EQ(tooLong.refusal->limit, 2999);
}

TEST(DataFileScanTest, FilesThatCannotBeRead) {
    TempFolder folder;
    ExpectRefusal(ScanDataFile(folder.Path() / "missing.csv", FileLayout::Standard), RefusalKind::CannotOpen,
                  0);
    ExpectRefusal(ScanDataFile(folder.Path(), FileLayout::Standard), RefusalKind::NotAFile, 0);
    const std::filesystem::path fifo = folder.Path() / "fifo.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // No writer ever opens it: reading it would block for good.
    ExpectRefusal(ScanDataFile(fifo, FileLayout::Standard), RefusalKind::NotAFile, 0);
    EXPECT_EQ(ReadChannels(fifo, FileLayout::Standard, {0}, 10).refusal->kind, RefusalKind::NotAFile);
    EXPECT_EQ(RefusalText(Refusal{RefusalKind::CannotOpen}), "ファイルを開けません" + Spaces5());
}

TEST(DataFileScanTest, NulBytesAndGarbage) {
    TempFolder folder;
    // A NUL ends a header line's fields; data lines are still counted by their line ends.
    const std::string nulFile = Bytes("A,B\nn1\0,n2,n3\nm\nu\n1\0,2\n\0\n");
    const ScanResult nul = ScanDataFile(folder.Write("nul.csv", nulFile), FileLayout::Standard);
    ASSERT_FALSE(nul.refusal);
    EXPECT_EQ(nul.names, Texts{"n1"});
    EXPECT_EQ(nul.dataLines, 2);

    std::mt19937 random(7);
    std::string garbage;
    for (int i = 0; i < 200000; ++i) {
        const char c = static_cast<char>(random() % 256);
        garbage += (i % 1500 == 1499) ? '\n' : (c == '\n' ? 'x' : c);
    }
    const ScanResult binary = ScanDataFile(folder.Write("bin.dat", garbage), FileLayout::EDefence);
    ASSERT_FALSE(binary.refusal);
    EXPECT_EQ(binary.dataLines, 200000 / 1500 - 3 + 1);
    const ScanResult noLineEnd =
        ScanDataFile(folder.Write("bin2.dat", std::string(5000, '\x81')), FileLayout::Standard);
    ExpectRefusal(noLineEnd, RefusalKind::LineTooLong, 1);
}

TEST(DataFileScanTest, TenMegabyteLine) {
    TempFolder folder;
    const std::string file = "A\nn\nm\nu\n1\n" + std::string(10 * 1024 * 1024, '7') + "\n2\n";
    ExpectRefusal(ScanDataFile(folder.Write("big.csv", file), FileLayout::Standard), RefusalKind::LineTooLong,
                  6);
    const TransferRead read = ReadChannels(folder.Path() / "big.csv", FileLayout::Standard, {0}, 3);
    ASSERT_TRUE(read.refusal);
    EXPECT_EQ(read.refusal->kind, RefusalKind::LineTooLong);
    EXPECT_EQ(read.refusal->line, 6);
    EXPECT_TRUE(read.columns.empty());
}

TEST(DataFileScanTest, LayoutsReadOutOfStep) {
    TempFolder folder;
    const std::filesystem::path standard = folder.Write("std.csv", StandardFile(2, 5));
    const ScanResult asEDefence = ScanDataFile(standard, FileLayout::EDefence);
    ASSERT_FALSE(asEDefence.refusal);
    EXPECT_EQ(asEDefence.ids, (Texts{"0CH", "1CH"}));
    EXPECT_EQ(asEDefence.memos, (Texts{"", ""}));
    EXPECT_EQ(asEDefence.units, (Texts{"memo0", "memo1"}));
    EXPECT_EQ(asEDefence.dataLines, 6);  // the unit line counted as data
    const TransferRead read = ReadChannels(standard, FileLayout::EDefence, {0, 1}, 6);
    ASSERT_FALSE(read.refusal);
    EXPECT_EQ(read.columns[0].samples, (std::vector<float>{0.0f, 0.0f, 1.0f, 2.0f, 3.0f, 4.0f}));
    EXPECT_EQ(read.columns[1].samples[1], 0.1f);

    const std::string eDefence = "header text\nn0,n1\ngal,gal\n1,2\n3,4\n5,6\n";
    const ScanResult asStandard = ScanDataFile(folder.Write("ed.csv", eDefence), FileLayout::Standard);
    ASSERT_FALSE(asStandard.refusal);
    EXPECT_EQ(asStandard.ids, (Texts{"header text", ""}));
    EXPECT_EQ(asStandard.memos, (Texts{"gal", "gal"}));
    EXPECT_EQ(asStandard.units, (Texts{"1", "2"}));
    EXPECT_EQ(asStandard.dataLines, 2);
    const ScanResult percent =
        ScanDataFile(folder.Write("ed2.csv", "x\nn0,n1\ngal,gal\n%1,2\n3,4\n"), FileLayout::Standard);
    ExpectRefusal(percent, RefusalKind::NotStandardFormat, 4);
}

TEST(DataFileScanTest, EDefenceLayout) {
    TempFolder folder;
    const ScanResult scan = ScanDataFile(
        folder.Write("ed.csv", "any, text\r\nA,B,C\r\ngal,gal,gal\r\n1,2,3\r\n"), FileLayout::EDefence);
    ASSERT_FALSE(scan.refusal);
    EXPECT_EQ(scan.ids, (Texts{"0CH", "1CH", "2CH"}));
    EXPECT_EQ(scan.names, (Texts{"A", "B", "C"}));
    EXPECT_EQ(scan.memos, (Texts{"", "", ""}));
    EXPECT_EQ(scan.units, (Texts{"gal", "gal", "gal"}));
    EXPECT_EQ(scan.dataLines, 1);
    // No "%" check in this layout.
    EXPECT_FALSE(ScanDataFile(folder.Write("p.csv", "x\nA\n%\n"), FileLayout::EDefence).refusal);
}

// --- transfer read ---

TEST(DataFileTransferTest, ColumnsOneAndTwo) {
    TempFolder folder;
    const TransferRead read =
        ReadChannels(folder.Write("a.csv", StandardFile(3, 50)), FileLayout::Standard, {1, 2}, 50);
    ASSERT_FALSE(read.refusal);
    ASSERT_EQ(read.columns.size(), 2u);
    EXPECT_EQ(read.linesRead, 50);
    EXPECT_FALSE(read.fewerLinesThanScanned);
    const TransferColumn& second = read.columns[0];
    EXPECT_EQ(second.fileColumn, 1);
    EXPECT_EQ(second.id, "CH2");
    EXPECT_EQ(second.name, " point 1");
    EXPECT_EQ(second.memo, "memo1");
    EXPECT_EQ(second.unit, "gal");
    ASSERT_EQ(second.samples.size(), 50u);
    EXPECT_EQ(second.samples[0], 0.1f);
    EXPECT_EQ(second.samples[49], 49.1f);
    EXPECT_EQ(read.columns[1].samples[49], 49.2f);
}

TEST(DataFileTransferTest, EDefenceLabelsAndEmptyMemo) {
    TempFolder folder;
    const TransferRead read = ReadChannels(folder.Write("ed.csv", "x\nA,B,C\ngal,kine,mm\n1,2,3\n4,5,6\n"),
                                           FileLayout::EDefence, {1, 2}, 2);
    ASSERT_FALSE(read.refusal);
    EXPECT_EQ(read.columns[0].id, "1CH");
    EXPECT_EQ(read.columns[1].id, "2CH");
    EXPECT_EQ(read.columns[0].memo, "");
    EXPECT_EQ(read.columns[1].unit, "mm");
    EXPECT_EQ(read.columns[1].samples, (std::vector<float>{3.0f, 6.0f}));
}

TEST(DataFileTransferTest, MissingFieldsReadZeroNothingStale) {
    TempFolder folder;
    const std::string text = Bytes(
        "A,B,C\nn1,n2,n3\nm1\ngal,gal\n"
        "1,2,3\n"
        "\n"
        "4\n"
        "x, 5e1 ,-.5e-3\r\n"
        "7,8\0,9\n"
        "1,,2");
    const TransferRead read = ReadChannels(folder.Write("a.csv", text), FileLayout::Standard, {0, 1, 2}, 6);
    ASSERT_FALSE(read.refusal);
    EXPECT_EQ(read.columns[2].memo, "");
    EXPECT_EQ(read.columns[2].unit, "");
    EXPECT_EQ(read.columns[0].samples, (std::vector<float>{1, 0, 4, 0, 7, 1}));
    EXPECT_EQ(read.columns[1].samples, (std::vector<float>{2, 0, 0, 50, 8, 0}));
    EXPECT_EQ(read.columns[2].samples, (std::vector<float>{3, 0, 0, -0.0005f, 0, 2}));
}

TEST(DataFileTransferTest, ColumnOrderDuplicatesAndOutOfRange) {
    TempFolder folder;
    const TransferRead read = ReadChannels(folder.Write("a.csv", StandardFile(3, 2)), FileLayout::Standard,
                                           {2, 0, 2, 7, -1, 100}, 2);
    ASSERT_FALSE(read.refusal);
    ASSERT_EQ(read.columns.size(), 6u);
    EXPECT_EQ(read.columns[0].samples, (std::vector<float>{0.2f, 1.2f}));
    EXPECT_EQ(read.columns[1].samples, (std::vector<float>{0.0f, 1.0f}));
    EXPECT_EQ(read.columns[2].samples, read.columns[0].samples);
    for (int j = 3; j < 6; ++j) {
        EXPECT_EQ(read.columns[j].id, "");
        EXPECT_EQ(read.columns[j].samples, (std::vector<float>{0.0f, 0.0f}));
    }
}

TEST(DataFileTransferTest, LongFilesAreReadWhole) {
    TempFolder folder;
    const std::filesystem::path file = folder.Write("a.csv", StandardFile(2, 30005, "\n"));
    const ScanResult scan = ScanDataFile(file, FileLayout::Standard);
    ASSERT_EQ(scan.dataLines, 30005);
    const TransferRead read = ReadChannels(file, FileLayout::Standard, {1}, scan.dataLines);
    ASSERT_FALSE(read.refusal);
    EXPECT_EQ(read.linesRead, 30005);
    EXPECT_FALSE(read.fewerLinesThanScanned);
    EXPECT_FALSE(read.moreLinesThanScanned);
    ASSERT_EQ(read.columns[0].samples.size(), 30005u);
    EXPECT_EQ(read.columns[0].samples.back(), 30004.1f);
    // Fewer lines than the file holds: the file goes on past what the scan counted.
    const TransferRead fewer = ReadChannels(file, FileLayout::Standard, {1}, 20);
    EXPECT_EQ(fewer.linesRead, 20);
    EXPECT_TRUE(fewer.moreLinesThanScanned);
}

TEST(DataFileTransferTest, FileShorterThanScanned) {
    TempFolder folder;
    const TransferRead read =
        ReadChannels(folder.Write("a.csv", StandardFile(2, 5)), FileLayout::Standard, {0}, 8);
    ASSERT_FALSE(read.refusal);
    EXPECT_EQ(read.linesRead, 5);
    EXPECT_TRUE(read.fewerLinesThanScanned);
    EXPECT_EQ(read.columns[0].samples.size(), 5u);
    const TransferRead exact = ReadChannels(folder.Path() / "a.csv", FileLayout::Standard, {0}, 5);
    EXPECT_FALSE(exact.fewerLinesThanScanned);
    EXPECT_FALSE(exact.moreLinesThanScanned);
}

TEST(DataFileTransferTest, ShiftJisHeaderBytesKept) {
    TempFolder folder;
    // "計測点" / "ﾒﾓ" / "ｶﾞﾙ" in Shift-JIS; 0x5C ("\") as a second byte must not matter.
    const std::string text = "\x83\x5C,B\n\x8C\x76\x91\xAA\x93\x5F,n\n\xD2\xD3,m\n\xB6\xDE\xD9,gal\n1,2\n";
    const TransferRead read = ReadChannels(folder.Write("sjis.csv", text), FileLayout::Standard, {0}, 1);
    ASSERT_FALSE(read.refusal);
    EXPECT_EQ(read.columns[0].id, "\x83\x5C");
    EXPECT_EQ(read.columns[0].name, "\x8C\x76\x91\xAA\x93\x5F");
    EXPECT_EQ(read.columns[0].memo, "\xD2\xD3");
    EXPECT_EQ(read.columns[0].unit, "\xB6\xDE\xD9");
}

TEST(DataFileTransferTest, ProgressEveryHundredLines) {
    TempFolder folder;
    std::vector<int> calls;
    const TransferRead read = ReadChannels(folder.Write("a.csv", StandardFile(1, 1250)), FileLayout::Standard,
                                           {0}, 1250, [&calls](int i) { calls.push_back(i); });
    ASSERT_FALSE(read.refusal);
    ASSERT_EQ(calls.size(), 13u);
    EXPECT_EQ(calls.front(), 0);
    EXPECT_EQ(calls.back(), 1200);
}

TEST(DataFileTransferTest, Refusals) {
    TempFolder folder;
    const TransferRead missing = ReadChannels(folder.Path() / "none.csv", FileLayout::Standard, {0}, 1);
    ASSERT_TRUE(missing.refusal);
    EXPECT_EQ(missing.refusal->kind, RefusalKind::CannotOpen);
    const TransferRead header = ReadChannels(folder.Write("h.csv", "A\nn\n"), FileLayout::Standard, {0}, 1);
    ASSERT_TRUE(header.refusal);
    EXPECT_EQ(header.refusal->kind, RefusalKind::EndsBeforeHeader);
    EXPECT_EQ(header.refusal->line, 3);
    const TransferRead folderRead = ReadChannels(folder.Path(), FileLayout::Standard, {0}, 1);
    EXPECT_EQ(folderRead.refusal->kind, RefusalKind::NotAFile);
}

}  // namespace
}  // namespace tremvix
