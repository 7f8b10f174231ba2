#include "core/export/CsvWriter.h"

#include "core/export/FixedNotation.h"
#include "core/export/TempFolder.h"
#include "support/CommaDecimalLocale.h"
#include "support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <random>

using namespace tremvix;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

namespace {

std::unique_ptr<ChannelStore> StoreWith(int channels, int rows) {
    auto store = std::make_unique<ChannelStore>();
    store->ChannelCount = channels;
    store->DataCount = rows;
    for (int i = 0; i < channels; ++i) {
        std::snprintf(store->BaseBank[i].ChannelId, kChannelIdSize, "CH%d", i + 1);
        std::snprintf(store->BaseBank[i].Unit, kUnitSize, "gal");
        store->BaseBank[i].Filled = 1;
        store->BaseBank[i].SampleCount = rows;
        store->BaseBank[i].Samples.assign(static_cast<std::size_t>(std::max(rows, 0)), 0.0f);
    }
    return store;
}

std::string Fixed6(double value) {
    char text[kMaxFixed6Chars];
    return std::string(text, WriteFixed6(text, text + sizeof text, value));
}

std::string Printf6(double value) {
    char text[kMaxFixed6Chars];
    std::snprintf(text, sizeof text, "%f", value);
    return text;
}

// Every line of a written file, without its CR LF; fails on a line end without CR.
std::vector<std::string> CrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t lf = text.find('\n'); lf != std::string::npos; lf = text.find('\n', start)) {
        EXPECT_TRUE(lf > start && text[lf - 1] == '\r') << "bare LF at byte " << lf;
        lines.push_back(text.substr(start, lf - start - 1));
        start = lf + 1;
    }
    EXPECT_EQ(start, text.size()) << "text after the last line end";
    return lines;
}

}  // namespace

TEST(CsvWriter, WritesHeadersByteForByteAndSamplesInPercentF) {
    auto store = StoreWith(2, 3);
    std::strcpy(store->BaseBank[0].PointName, "\x8C\x76\x91\xAA\x93\x5F");  // Shift-JIS, second byte "\"
    std::strcpy(store->BaseBank[1].Memo, "memo 2");
    std::strcpy(store->BaseBank[1].Unit, "kine");
    store->BaseBank[0].Samples[0] = 0.12f;
    store->BaseBank[1].Samples[0] = -3.5f;
    store->BaseBank[0].Samples[1] = -0.0f;
    store->BaseBank[1].Samples[1] = 123456.789f;
    store->BaseBank[0].Samples[2] = 1e-7f;
    store->BaseBank[1].Samples[2] = 0.0078125f;  // exactly half way at the sixth decimal: to even

    EXPECT_EQ(FormatCsv(*store),
              "CH1,CH2\r\n"
              "\x8C\x76\x91\xAA\x93\x5F,\r\n"
              ",memo 2\r\n"
              "gal,kine\r\n"
              "0.120000,-3.500000\r\n"
              "-0.000000,123456.789062\r\n"
              "0.000000,0.007812\r\n");
}

TEST(CsvWriter, WithoutChannelsWritesOnlyEmptyLines) {
    EXPECT_EQ(FormatCsv(*StoreWith(0, 0)), "\r\n\r\n\r\n\r\n");
    EXPECT_EQ(FormatCsv(*StoreWith(0, 3)), "\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST(CsvWriter, RowsFollowDataCountAtAnyLength) {
    constexpr int kRows = 40000;
    auto store = StoreWith(kMaxChannels, kRows);
    for (int i = 0; i < kMaxChannels; ++i) store->BaseBank[i].Samples[kRows - 1] = static_cast<float>(i);
    EXPECT_EQ(CsvRowCount(*store), kRows);
    const std::vector<std::string> lines = CrLfLines(FormatCsv(*store));
    ASSERT_EQ(lines.size(), 4u + kRows);
    EXPECT_EQ(lines.back(), "0.000000,1.000000,2.000000,3.000000,4.000000,5.000000,6.000000,7.000000");
    // One field per channel on every line: no trailing comma, no extra field.
    for (const std::string& line : lines) ASSERT_EQ(std::count(line.begin(), line.end(), ','), kMaxChannels - 1);

    // A channel shorter than the data count writes 0 past its own samples, nothing stale.
    store->DataCount = 2;
    store->BaseBank[3].SampleCount = 1;
    store->BaseBank[3].Samples.assign({5.0f, 9.0f});
    EXPECT_EQ(CrLfLines(FormatCsv(*store))[4], "0.000000,0.000000,0.000000,5.000000,0.000000,0.000000,0.000000,0.000000");
    EXPECT_EQ(CrLfLines(FormatCsv(*store))[5], "0.000000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000,0.000000");
    EXPECT_EQ(CsvRowCount(*StoreWith(1, -5)), 0);
}

TEST(CsvWriter, HeaderFieldsWithoutTerminatorStopAtTheirWidth) {
    auto store = StoreWith(1, 0);
    std::memset(store->BaseBank[0].ChannelId, 'A', kChannelIdSize);
    std::memset(store->BaseBank[0].PointName, 'B', kPointNameSize);
    EXPECT_EQ(CrLfLines(FormatCsv(*store))[0], std::string(kChannelIdSize, 'A'));
}

TEST(CsvWriter, SavedFileEqualsTheTextAndAFailedSaveKeepsTheOldFile) {
    TempFolder folder;
    auto store = StoreWith(3, 500);
    for (int j = 0; j < 500; ++j) store->BaseBank[2].Samples[j] = static_cast<float>(j) * 0.25f;
    const SaveResult saved = WriteCsv(folder / "data.csv", *store);
    ASSERT_TRUE(saved.ok) << saved.error;
    EXPECT_EQ(ReadBytes(folder / "data.csv"), FormatCsv(*store));

    WriteBytes(folder / "old.csv", "old");
    EXPECT_FALSE(WriteCsv(folder / "missing" / "data.csv", *store).ok);
    std::filesystem::create_directory(folder / "dir.csv");
    EXPECT_FALSE(WriteCsv(folder / "dir.csv", *store).ok);
    // The old file itself the target of a save that cannot be written whole.
    SaveResult full;
    WithFileSizeLimit(100, [&] { full = WriteCsv(folder / "old.csv", *store); });
    EXPECT_FALSE(full.ok);
    EXPECT_EQ(full.errorNumber, EFBIG);
    EXPECT_EQ(ReadBytes(folder / "old.csv"), "old");
    EXPECT_EQ(folder.Listing(), "data.csv;dir.csv;old.csv;") << "no temporary file left";
}

TEST(CsvWriter, SamplesIgnoreTheUserLocale) {
    const TempFolder folder;
    const locale_support::CommaDecimalLocale locale(folder.Path());
    if (!locale.Active()) GTEST_SKIP() << "no locale with a decimal comma could be set";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    ASSERT_STREQ(probe, "0,5") << "the comma locale is in force";
    auto store = StoreWith(2, 1);
    store->BaseBank[0].Samples[0] = 0.12f;
    store->BaseBank[1].Samples[0] = -3.5f;
    EXPECT_EQ(CrLfLines(FormatCsv(*store))[4], "0.120000,-3.500000");
}

TEST(FixedNotation, MatchesPrintfForSpecialValues) {
    const float values[] = {0.0f, -0.0f, 0.12f, -3.5f, 1e-7f, -1e-7f, 5e-7f, -5e-7f, 0.0000005f,
                            0.9999995f, 9.9999995f, 0.0078125f, 0.0234375f, 0.5f, 2.5f,
                            std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
                            std::numeric_limits<float>::min(), std::numeric_limits<float>::denorm_min(),
                            1e38f, 16777216.0f, 16777217.0f, 4294967296.0f};
    for (const float value : values) EXPECT_EQ(Fixed6(value), Printf6(value)) << value;
    // Ties at the sixth decimal: k/128 has seven decimals ending in 5.
    for (int k = -400; k <= 400; ++k) EXPECT_EQ(Fixed6(k / 128.0), Printf6(k / 128.0)) << k;

    const double infinity = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const double value : {infinity, -infinity, nan, -nan}) EXPECT_EQ(Fixed6(value), Printf6(value));
    EXPECT_EQ(Fixed6(-nan), "-nan");
}

TEST(FixedNotation, MatchesPrintfOnRandomFloats) {
    std::mt19937 random(20261208);
    std::uniform_real_distribution<float> ordinary(-2000.0f, 2000.0f);
    int mismatches = 0;
    for (int n = 0; n < 1'200'000 && mismatches < 5; ++n) {
        // Alternate between arbitrary bit patterns (all magnitudes, NaNs included)
        // and the values measurements usually hold.
        const float value = n % 2 ? std::bit_cast<float>(static_cast<std::uint32_t>(random())) : ordinary(random);
        const std::string fast = Fixed6(value);
        const std::string reference = Printf6(value);
        if (fast != reference) {
            ++mismatches;
            ADD_FAILURE() << "bits " << std::bit_cast<std::uint32_t>(value) << ": " << fast << " != " << reference;
        }
    }
}
