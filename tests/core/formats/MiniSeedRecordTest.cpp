#include "core/formats/NetworkRecord.h"
#include "core/formats/RecordLoader.h"
#include "core/export/TempFolder.h"

#include <gtest/gtest.h>
#include <libmseed.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace tremvix {
namespace {

using testing_support::TempFolder;
using testing_support::WriteBytes;

// One trace written by libmseed itself into 512-byte records.
struct Trace {
    std::string network = "BO", station = "ABC", location = "00", channel = "HNZ";
    hptime_t start = ms_time2hptime(2024, 100, 12, 30, 15, 250000);
    double rate = 100.0;
    std::vector<std::int32_t> integers;
    std::vector<float> floats;  // used when integers is empty
    std::int8_t encoding = DE_STEIM2;
};

void Collect(char* record, int length, void* out) {
    static_cast<std::string*>(out)->append(record, static_cast<std::size_t>(length));
}

std::string SeedBytes(const Trace& trace) {
    MSRecord* record = msr_init(nullptr);
    std::strcpy(record->network, trace.network.c_str());
    std::strcpy(record->station, trace.station.c_str());
    std::strcpy(record->location, trace.location.c_str());
    std::strcpy(record->channel, trace.channel.c_str());
    record->dataquality = 'D';
    record->starttime = trace.start;
    record->samprate = trace.rate;
    record->reclen = 512;
    record->encoding = trace.encoding;
    record->byteorder = 1;
    std::vector<std::int32_t> integers = trace.integers;
    std::vector<float> floats = trace.floats;
    if (!integers.empty()) {
        record->datasamples = integers.data();
        record->numsamples = static_cast<std::int64_t>(integers.size());
        record->sampletype = 'i';
    } else {
        record->datasamples = floats.data();
        record->numsamples = static_cast<std::int64_t>(floats.size());
        record->sampletype = 'f';
    }
    std::string bytes;
    std::int64_t packed = 0;
    EXPECT_GT(msr_pack(record, Collect, &bytes, &packed, 1, 0), 0);
    record->datasamples = nullptr;  // ours, not the library's to free
    msr_free(&record);
    return bytes;
}

// Differences of every Steim-2 width: small, medium and full 32-bit jumps, both signs.
std::vector<std::int32_t> Integers(int n, int seed) {
    std::vector<std::int32_t> values;
    std::int64_t value = seed;
    for (int k = 0; k < n; ++k) {
        const int step = k % 7;
        value += step == 0 ? 3 : step == 1 ? -700 : step == 2 ? 40000 : step == 3 ? -60000000 : step == 4 ? 60000000 : -1;
        values.push_back(static_cast<std::int32_t>(value));
    }
    return values;
}

std::vector<float> Floats(const std::vector<std::int32_t>& values) {
    return {values.begin(), values.end()};
}

// There is a refusal, and its text says every one of `parts` (the file, the offset, the reason).
void ExpectRefused(const std::optional<Refusal>& refusal, std::initializer_list<std::string> parts) {
    ASSERT_TRUE(refusal);
    const std::string text = RefusalText(*refusal);
    for (const std::string& part : parts) EXPECT_NE(text.find(part), std::string::npos) << text;
}

// The bytes written as `file` and loaded as the data set window loads a record.
LoadedRecord WriteAndLoad(const std::filesystem::path& file, const std::string& bytes) {
    WriteBytes(file, bytes);
    return LoadRecordFile(file, FileLayout::Standard, 1.0);
}

TEST(MiniSeedRecordTest, SteimTwoComponentsReadBackToTheSameIntegersAndStart) {
    TempFolder folder;
    std::string bytes;
    std::vector<std::vector<std::int32_t>> written;
    for (const char* channel : {"HNE", "HNN", "HNZ"}) {
        Trace trace;
        trace.channel = channel;
        trace.integers = Integers(2000, channel[2]);
        written.push_back(trace.integers);
        bytes += SeedBytes(trace);
    }
    WriteBytes(folder / "abc.mseed", bytes);

    ASSERT_EQ(DetectNetworkLayout(folder / "abc.mseed"), NetworkLayout::MiniSeed);
    const LoadedRecord record = LoadRecordFile(folder / "abc.mseed", FileLayout::Standard, 1.0);
    ASSERT_FALSE(record.refusal) << RefusalText(*record.refusal);
    EXPECT_EQ(record.layoutName, "MiniSEED形式");
    EXPECT_DOUBLE_EQ(record.rate, 100.0);
    ASSERT_EQ(record.channels.size(), 3u);
    ASSERT_EQ(record.samplesPerChannel, 2000);
    for (std::size_t c = 0; c < 3; ++c) {
        EXPECT_EQ(record.channels[c].id, std::string("HN") + "ENZ"[c]);
        EXPECT_EQ(record.channels[c].name, "BO.ABC.00");
        EXPECT_EQ(record.channels[c].unit, "count");
        EXPECT_EQ(record.channels[c].memo, "2024-04-09 12:30:15.250");  // day 100 of a leap year
        EXPECT_EQ(record.channels[c].samples, Floats(written[c]));
    }
}

TEST(MiniSeedRecordTest, EveryEncodingReads) {
    TempFolder folder;
    const std::vector<std::int32_t> small = {0, 1, -1, 127, -128, 30000, -30000, 5, 4, 3};
    for (const std::int8_t encoding : {DE_STEIM1, DE_STEIM2, DE_INT32, DE_INT16, DE_FLOAT32}) {
        Trace trace;
        if (encoding == DE_FLOAT32) trace.floats = {0.5f, -1.25f, 3e6f, -7.0f};
        else trace.integers = small;
        trace.encoding = encoding;
        const auto file = folder / ("e" + std::to_string(encoding) + ".mseed");
        const LoadedRecord record = WriteAndLoad(file, SeedBytes(trace));
        ASSERT_FALSE(record.refusal) << RefusalText(*record.refusal);
        ASSERT_EQ(record.channels.size(), 1u);
        EXPECT_EQ(record.channels[0].samples, encoding == DE_FLOAT32 ? trace.floats : Floats(small)) << int{encoding};
    }
}

TEST(MiniSeedRecordTest, OnlyTheFirstStationIsReadAndItsGapsRefuseIt) {
    TempFolder folder;
    Trace first;
    first.integers = Integers(300, 1);
    Trace broken;  // another station with a gap: no matter
    broken.station = "XYZ";
    broken.integers = Integers(300, 2);
    Trace afterGap = broken;
    afterGap.start = broken.start + 10 * HPTMODULUS;
    const LoadedRecord record = WriteAndLoad(folder / "two.mseed", SeedBytes(first) + SeedBytes(broken) + SeedBytes(afterGap));
    ASSERT_FALSE(record.refusal) << RefusalText(*record.refusal);
    ASSERT_EQ(record.channels.size(), 1u);
    EXPECT_EQ(record.channels[0].name, "BO.ABC.00");
    ASSERT_EQ(record.notices.size(), 1u);
    EXPECT_NE(record.notices[0].find("BO.XYZ"), std::string::npos);

    // The same gap on the first station: refused at the end of the first piece.
    const LoadedRecord gap = WriteAndLoad(folder / "gap.mseed", SeedBytes(broken) + SeedBytes(afterGap) + SeedBytes(first));
    ExpectRefused(gap.refusal, {"gap.mseed", "BO.XYZ.00.HNZ の 2024-04-09 12:30:18.240 の後"});  // sample 299
}

TEST(MiniSeedRecordTest, ComponentsOfDifferentRatesAreRefused) {
    TempFolder folder;
    Trace fast;
    fast.integers = Integers(200, 1);
    Trace slow = fast;
    slow.channel = "LNZ";
    slow.rate = 20.0;
    const LoadedRecord record = WriteAndLoad(folder / "rates.mseed", SeedBytes(fast) + SeedBytes(slow));
    ExpectRefused(record.refusal, {"サンプリング周波数が違うので一緒に描けません", "20 Hz"});
}

TEST(MiniSeedRecordTest, ABrokenRecordIsRefusedWithItsOffset) {
    TempFolder folder;
    Trace trace;
    trace.integers = Integers(1000, 3);
    std::string bytes = SeedBytes(trace);
    ASSERT_GE(bytes.size(), 1024u);
    bytes.replace(512, 8, "garbage!");
    const LoadedRecord record = WriteAndLoad(folder / "broken.mseed", bytes);
    ExpectRefused(record.refusal, {"broken.mseed", "512 バイト目"});
}

// The scan reads headers alone: a record that claims more samples than its frames hold
// is listed, and the read that decodes it refuses it at its offset, as the data set
// window then shows.
TEST(MiniSeedRecordTest, SamplesThatDoNotDecodeAreRefusedByTheReadAtTheirOffset) {
    TempFolder folder;
    Trace trace;
    trace.integers = Integers(60, 5);
    std::string bytes = SeedBytes(trace);
    ASSERT_EQ(bytes.size(), 512u);
    bytes[30] = static_cast<char>(0xEE);  // sample count, big-endian: 60,000 and more
    bytes[31] = static_cast<char>(0x60);
    WriteBytes(folder / "claims.mseed", bytes);
    const ScanResult scan = ScanNetworkRecord(folder / "claims.mseed", NetworkLayout::MiniSeed);
    ASSERT_FALSE(scan.refusal) << RefusalText(*scan.refusal);
    EXPECT_EQ(scan.dataLines, 0xEE60);
    const TransferRead read = ReadNetworkChannels(folder / "claims.mseed", NetworkLayout::MiniSeed, {0});
    ExpectRefused(read.refusal, {"claims.mseed", "0 バイト目"});
}

// A record whose blockettes point back at themselves is refused at its offset; the
// library's own file reader walked such a chain for ever. A truncated last record
// is refused too.
TEST(MiniSeedRecordTest, ABlocketteChainThatPointsBackIsRefusedNotWalkedForEver) {
    TempFolder folder;
    Trace trace;
    trace.integers = Integers(300, 4);
    const std::string good = SeedBytes(trace);
    std::string looping = good.substr(0, 512);
    // First blockette at 48, of a type no one knows, whose next one is itself.
    const unsigned char chain[] = {0x00, 0x30, 0x27, 0x0f, 0x00, 0x30};  // offset 48; type 9999, next 48
    looping[39] = 1;                                                      // blockettes that follow
    looping.replace(46, 2, reinterpret_cast<const char*>(chain), 2);
    looping.replace(48, 4, reinterpret_cast<const char*>(chain + 2), 4);
    const LoadedRecord record = WriteAndLoad(folder / "loop.mseed", good + looping);
    ExpectRefused(record.refusal, {std::to_string(good.size()) + " バイト目"});

    const LoadedRecord cut = WriteAndLoad(folder / "cut.mseed", good + good.substr(0, 300));
    ExpectRefused(cut.refusal, {std::to_string(good.size()) + " バイト目"});
}

// A record whose last blockette starts inside it and runs past its end: the library
// reads the body it is told of, which must be zeros of ours, not memory beyond (the
// sanitizer build catches a read past the record).
TEST(MiniSeedRecordTest, ABlocketteRunningPastTheRecordIsNotReadBeyondIt) {
    const std::string hex =
        "000000000000520052c5fbe440c600707070700a0a000000000000000000000a0011e2212efe7f0000000000003c0100"
        "016ec60000000052b87e4000c5fbe440c600707070700a0a000000000000000000000000000000005400000000000000"
        "0000000000000000000000000000000000000000000000000000000000000000000000fa000000000000000000000000"
        "00000000000000000000000000000000000000000ad7a33c000000000000000000000000000000000000000000000000"
        "00000000000000dbffffff702000000000000000000000000000000000000008000000000000e440c600e440c600e440"
        "c6000000000000000000005ac904000000c8f2d5300000481333ec48a8c7ec49e060000000cdf5f6c640e401c60a40e4"
        "00c640e4dada49";
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    TempFolder folder;
    WriteBytes(folder / "past.mseed", bytes);
    // The scan reads headers alone, the load decodes the samples too.
    const ScanResult scan = ScanNetworkRecord(folder / "past.mseed", NetworkLayout::MiniSeed);
    if (scan.refusal) ExpectRefused(scan.refusal, {"past.mseed"});
    const LoadedRecord record = LoadRecordFile(folder / "past.mseed", FileLayout::Standard, 1.0);
    if (record.refusal) ExpectRefused(record.refusal, {"past.mseed"});
}

}  // namespace
}  // namespace tremvix
