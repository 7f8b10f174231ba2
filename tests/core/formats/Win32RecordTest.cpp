#include "core/formats/NetworkRecord.h"
#include "core/formats/RecordLoader.h"
#include "core/export/TempFolder.h"
#include "core/survey/SurveyPlan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace tremvix {
namespace {

using testing_support::TempFolder;
using testing_support::WriteBytes;

// One channel's second: its ids, sample-size code, first sample and differences.
struct Second {
    std::uint16_t id;
    int code;  // 0: 4 bits, else bytes
    std::int32_t first;
    std::vector<std::int32_t> differences;  // rate − 1 of them
};

void Big(std::string& out, std::uint64_t value, int bytes) {
    for (int k = bytes - 1; k >= 0; --k) out += static_cast<char>((value >> (8 * k)) & 0xFF);
}

char Bcd(int value) { return static_cast<char>((value / 10) << 4 | (value % 10)); }

// The differences packed as the format lays them out: 4-bit ones two to a byte, high
// half first, a last odd one padded; wider ones big-endian two's complement.
std::string Packed(const Second& second) {
    std::string out;
    const std::size_t n = second.differences.size();
    if (second.code == 0) {
        for (std::size_t k = 0; k < n; k += 2) {
            const unsigned high = static_cast<unsigned>(second.differences[k]) & 0xF;
            const unsigned low = k + 1 < n ? static_cast<unsigned>(second.differences[k + 1]) & 0xF : 0;
            out += static_cast<char>(high << 4 | low);
        }
    } else {
        for (const std::int32_t d : second.differences) Big(out, static_cast<std::uint32_t>(d), second.code);
    }
    return out;
}

std::string Block(int secondOfMinute, const std::vector<Second>& channels, std::uint32_t lengthExtra = 0) {
    std::string data;
    for (const Second& channel : channels) {
        data += '\x01';  // organisation
        data += '\x02';  // network
        Big(data, channel.id, 2);
        Big(data, static_cast<std::uint32_t>(channel.code) << 12 | (channel.differences.size() + 1), 2);
        Big(data, static_cast<std::uint32_t>(channel.first), 4);
        data += Packed(channel);
    }
    std::string block = {'\x20', '\x24', '\x01', '\x02', '\x03', '\x04', Bcd(secondOfMinute), '\x00'};
    Big(block, 10, 4);
    Big(block, data.size() + lengthExtra, 4);
    return block + data;
}

const std::string kFileHeader("\x0A\x02\x00\x00", 4);

// The counts a channel's seconds stand for, summed here.
std::vector<float> Counts(const std::vector<Second>& seconds) {
    std::vector<float> counts;
    for (const Second& second : seconds) {
        std::int64_t value = second.first;
        counts.push_back(static_cast<float>(value));
        for (const std::int32_t d : second.differences) counts.push_back(static_cast<float>(value += d));
    }
    return counts;
}

// Five differences per channel and second (an odd count of 4-bit ones), at their
// widths' extremes.
std::vector<std::vector<Second>> EveryWidth() {
    return {{{0x3001, 0, 1000, {-8, 7, -1, 0, 3}}, {0x3002, 1, -5, {-128, 127, -1, 5, 0}},
             {0x3003, 2, 0, {-32768, 32767, -2, 1, 100}}, {0x3004, 3, 123456, {-8388608, 8388607, -70000, 1, -1}},
             {0x3005, 4, -2000000, {-2000000000, 1999999999, -5, 3, 0}}},
            {{0x3001, 0, 1002, {7, 7, -8, -8, 1}}, {0x3002, 1, 7, {1, 2, 3, -4, -5}},
             {0x3003, 2, -1, {-1, -1, -1, -1, -1}}, {0x3004, 3, -1, {-1, 1, -8388608, 8388607, 0}},
             {0x3005, 4, 5, {-1, 2147483640, -2147483647, 0, 9}}}};
}

std::string EveryWidthFile() {
    const auto seconds = EveryWidth();
    return kFileHeader + Block(5, seconds[0]) + Block(6, seconds[1]);
}

TEST(Win32RecordTest, DifferencesOfEveryWidthDecodeToTheKnownCounts) {
    TempFolder folder;
    WriteBytes(folder / "a.cnt", EveryWidthFile());
    ASSERT_EQ(DetectNetworkLayout(folder / "a.cnt"), NetworkLayout::Win32);
    const LoadedRecord record = LoadRecordFile(folder / "a.cnt", FileLayout::Standard, 1.0);
    ASSERT_FALSE(record.refusal) << RefusalText(*record.refusal);
    EXPECT_EQ(record.layoutName, "WIN32形式");
    EXPECT_DOUBLE_EQ(record.rate, 6.0);
    ASSERT_EQ(record.samplesPerChannel, 12);
    ASSERT_EQ(record.channels.size(), 5u);
    const auto seconds = EveryWidth();
    for (std::size_t c = 0; c < 5; ++c) {
        EXPECT_EQ(record.channels[c].samples, Counts({seconds[0][c], seconds[1][c]})) << c;
        EXPECT_EQ(record.channels[c].unit, "count");
        EXPECT_EQ(record.channels[c].id, "300" + std::to_string(c + 1));
    }
    EXPECT_EQ(record.channels[0].memo, "3001 2024-01-02 03:04:05.000");
    EXPECT_EQ(record.notices.size(), 1u);  // no table beside it
}

TEST(Win32RecordTest, AnEvenCountOfFourBitDifferencesFillsWholeBytes) {
    TempFolder folder;
    const std::vector<Second> first = {{0x0101, 0, -3, {-8, 7, 1, -1}}, {0x0102, 0, 0, {0, 0, 0, 0}}};
    const std::vector<Second> second = {{0x0101, 0, 0, {-1, -2, -3, -4}}, {0x0102, 0, 8, {1, 2, 3, 4}}};
    WriteBytes(folder / "even.cnt", kFileHeader + Block(58, first) + Block(59, second));
    const LoadedRecord record = LoadRecordFile(folder / "even.cnt", FileLayout::Standard, 1.0);
    ASSERT_FALSE(record.refusal) << RefusalText(*record.refusal);
    ASSERT_EQ(record.channels.size(), 2u);
    EXPECT_EQ(record.channels[0].samples, Counts({first[0], second[0]}));
    EXPECT_EQ(record.channels[1].samples, Counts({first[1], second[1]}));
}

const char* const kTable =
    "# id flag delay station comp monitor bits sensitivity unit period damping gain lsb lat lon height p s\n"
    "3001 1 0 N.TSTH U 6 27 1.96e+02 m/s 1.0 0.70 20 1.023e-07 35.0 139.0 10 0 0\n"
    "3002 1 0 N.TSTH N 6 27 2.0e+02 m/s 1.0 0.70 0 1.0e-06 35.0 139.0 10 0 0\n"
    "3003 1 0 N.TSTA E 6 24 1.0 m/s/s 0 0 6 2.0e-06 35.0 139.0 10 0 0\n"
    "3004 1 0 N.TSTA X 6 24 0.5 m 0 0 0 1.0e-06 35.0 139.0 10 0 0\n";

TEST(Win32RecordTest, TheChannelTableGivesStationComponentAndPhysicalValuesOpenedThroughEitherFile) {
    TempFolder folder;
    WriteBytes(folder / "a.cnt", EveryWidthFile());
    WriteBytes(folder / "a.ch", kTable);
    const auto seconds = EveryWidth();
    for (const char* opened : {"a.cnt", "a.ch"}) {
        const LoadedRecord record = LoadRecordFile(folder / opened, FileLayout::Standard, 1.0);
        ASSERT_FALSE(record.refusal) << RefusalText(*record.refusal);
        ASSERT_EQ(record.channels.size(), 5u) << opened;
        EXPECT_EQ(record.files.size(), 2u);
        // value = count × LSB / (sensitivity × 10^(gain/20)); m/s to cm/s, m/s² to gal, m to mm.
        const double factors[] = {1.023e-7 / (196.0 * 10.0) * 100.0, 1.0e-6 / 200.0 * 100.0,
                                  2.0e-6 / (1.0 * std::pow(10.0, 6.0 / 20.0)) * 100.0, 1.0e-6 / 0.5 * 1000.0};
        const char* const units[] = {"kine", "kine", "gal", "mm"};
        const char* const ids[] = {"U", "N", "E", "X"};
        const char* const names[] = {"N.TSTH", "N.TSTH", "N.TSTA", "N.TSTA"};
        for (std::size_t c = 0; c < 4; ++c) {
            EXPECT_EQ(record.channels[c].id, ids[c]);
            EXPECT_EQ(record.channels[c].name, names[c]);
            EXPECT_EQ(record.channels[c].unit, units[c]);
            const std::vector<float> counts = Counts({seconds[0][c], seconds[1][c]});
            for (std::size_t k = 0; k < counts.size(); ++k)
                EXPECT_FLOAT_EQ(record.channels[c].samples[k], static_cast<float>(counts[k] * factors[c])) << c << " " << k;
        }
        EXPECT_EQ(record.channels[4].unit, "count");  // 3005 has no row
    }
}

TEST(Win32RecordTest, AFileWithoutItsCompanionBesideItAsksForItAndReadsThroughTheChosenOne) {
    TempFolder data, tables;
    std::filesystem::create_directories(data / "in");
    std::filesystem::create_directories(tables / "in");
    const std::filesystem::path cnt = data / "in" / "a.cnt", ch = tables / "in" / "a.ch";
    WriteBytes(cnt, EveryWidthFile());
    WriteBytes(ch, kTable);
    const std::optional<CompanionFile> table = MissingCompanion(cnt, NetworkLayout::Win32);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->patterns, "*.ch;*.tbl");
    ASSERT_TRUE(MissingCompanion(ch, NetworkLayout::Win32));
    EXPECT_EQ(MissingCompanion(ch, NetworkLayout::Win32)->patterns, "*.cnt;*.win;*.win32");

    // Either file chosen first, the other given: the table's stations and units.
    for (const auto& [file, companion] : {std::pair{cnt, ch}, std::pair{ch, cnt}}) {
        const ScanResult scan = ScanNetworkRecord(file, NetworkLayout::Win32, companion);
        ASSERT_FALSE(scan.refusal) << RefusalText(*scan.refusal);
        ASSERT_EQ(scan.channelCount, 5);
        EXPECT_EQ(scan.names[2], "N.TSTA");
        EXPECT_EQ(scan.units[2], "gal");
        const TransferRead read = ReadNetworkChannels(file, NetworkLayout::Win32, companion, {0});
        ASSERT_FALSE(read.refusal) << RefusalText(*read.refusal);
        const std::vector<float> counts = Counts({EveryWidth()[0][0], EveryWidth()[1][0]});
        ASSERT_EQ(read.columns[0].samples.size(), counts.size());
        EXPECT_FLOAT_EQ(read.columns[0].samples[1], static_cast<float>(counts[1] * (1.023e-7 / (196.0 * 10.0) * 100.0)));
    }
    // Nothing asked for once the table is beside the data.
    WriteBytes(data / "in" / "a.ch", kTable);
    EXPECT_FALSE(MissingCompanion(cnt, NetworkLayout::Win32));

    // A chosen file that is not what was asked for is refused with its name.
    const ScanResult notTable = ScanNetworkRecord(cnt, NetworkLayout::Win32, cnt);
    ASSERT_TRUE(notTable.refusal);
    EXPECT_NE(RefusalText(*notTable.refusal).find("チャンネル表ではありません"), std::string::npos);
    const ScanResult notData = ScanNetworkRecord(ch, NetworkLayout::Win32, ch);
    ASSERT_TRUE(notData.refusal);
    EXPECT_NE(RefusalText(*notData.refusal).find("WIN32 のファイルではありません"), std::string::npos);
}

TEST(Win32RecordTest, TheSurveyTakesTheDataWithItsTableAndNotTheTableAlone) {
    TempFolder folder;
    WriteBytes(folder / "a.cnt", EveryWidthFile());
    WriteBytes(folder / "b.cnt", EveryWidthFile());
    WriteBytes(folder / "a.ch", kTable);
    const SurveyPlan plan = PlanSurvey({folder.Path()});
    ASSERT_EQ(plan.records.size(), 2u);
    for (const PlannedRecord& record : plan.records) {
        ASSERT_EQ(record.files.size(), 2u) << record.name;
        EXPECT_EQ(record.files[1].name, "a.ch");
    }
}

TEST(Win32RecordTest, InconsistentFilesAreRefusedWithTheByteOffset) {
    TempFolder folder;
    const auto seconds = EveryWidth();
    const std::string good = Block(5, seconds[0]);
    std::string codeSix = kFileHeader + good + Block(6, seconds[1]);
    const std::size_t secondChannel = 4 + good.size() + 16;  // the second block's first channel
    codeSix[secondChannel + 4] = static_cast<char>(0x60 | (codeSix[secondChannel + 4] & 0x0F));
    const struct {
        const char* name;
        std::string bytes;
        std::string offset;
    } cases[] = {
        {"long.cnt", kFileHeader + Block(5, seconds[0], 1), "16 バイト目"},  // the block's length field
        {"code.cnt", codeSix, std::to_string(secondChannel + 4) + " バイト目"},
        {"gap.cnt", kFileHeader + good + Block(7, seconds[1]), std::to_string(4 + good.size()) + " バイト目"},
        {"cut.cnt", kFileHeader + good + good.substr(0, 10), std::to_string(4 + good.size()) + " バイト目"},
        {"empty.cnt", kFileHeader + Block(5, {}) + good, "4 バイト目"},  // a second without channels
    };
    for (const auto& each : cases) {
        WriteBytes(folder / each.name, each.bytes);
        const LoadedRecord record = LoadRecordFile(folder / each.name, FileLayout::Standard, 1.0);
        ASSERT_TRUE(record.refusal) << each.name;
        const std::string text = RefusalText(*record.refusal);
        EXPECT_NE(text.find(each.name), std::string::npos) << text;
        EXPECT_NE(text.find(each.offset), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace tremvix
