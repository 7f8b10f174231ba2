#include "core/formats/NetworkRecord.h"
#include "core/formats/RecordLoader.h"
#include "core/export/TempFolder.h"
#include "core/survey/SurveyPlan.h"
#include "core/formats/BinaryTestFiles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tremvix {
namespace {

using testing::SacBytes;
using testing::SacSpec;
using testing_support::TempFolder;
using testing_support::WriteBytes;

std::vector<float> Wave(int n, float scale) {
    std::vector<float> samples;
    for (int k = 0; k < n; ++k) samples.push_back(scale * std::sin(0.1f * static_cast<float>(k)) + 3.0f * k);
    return samples;
}

TEST(SacRecordTest, BothByteOrdersReadToTheSameSamplesInGal) {
    TempFolder big, little;
    SacSpec spec;
    spec.samples = Wave(300, 2.5e7f);  // nm/s²
    spec.big = true;
    WriteBytes(big / "a.sac", SacBytes(spec));
    spec.big = false;
    WriteBytes(little / "a.sac", SacBytes(spec));

    const LoadedRecord fromBig = LoadRecordFile(big / "a.sac", FileLayout::Standard, 1.0);
    const LoadedRecord fromLittle = LoadRecordFile(little / "a.sac", FileLayout::Standard, 1.0);
    ASSERT_FALSE(fromBig.refusal) << RefusalText(*fromBig.refusal);
    ASSERT_FALSE(fromLittle.refusal) << RefusalText(*fromLittle.refusal);
    EXPECT_EQ(fromBig.layoutName, "SAC形式");
    ASSERT_EQ(fromBig.channels.size(), 1u);
    EXPECT_EQ(fromBig.channels[0].samples, fromLittle.channels[0].samples);
    EXPECT_EQ(fromBig.channels[0].id, "BHZ");
    EXPECT_EQ(fromBig.channels[0].name, "NT.STA1.00");
    EXPECT_EQ(fromBig.channels[0].unit, "gal");
    EXPECT_EQ(fromBig.channels[0].memo, "2024-02-01 01:02:03.400");  // day 32 of 2024
    EXPECT_DOUBLE_EQ(fromBig.rate, 100.0);
    ASSERT_EQ(fromBig.samplesPerChannel, 300);
    for (std::size_t k = 0; k < spec.samples.size(); ++k)  // 1 gal = 1 cm/s² = 1e7 nm/s²
        EXPECT_FLOAT_EQ(fromBig.channels[0].samples[k], static_cast<float>(spec.samples[k] / 1e7)) << k;
}

TEST(SacRecordTest, UnitsFollowTheDependentVariable) {
    TempFolder folder;
    SacSpec spec;
    spec.samples = {1e6f, -2e6f};
    const struct {
        int idep;
        const char* unit;
        float first;
    } cases[] = {{6, "mm", 1.0f}, {7, "kine", 0.1f}, {8, "gal", 0.1f}, {5, "count", 1e6f}, {50, "count", 1e6f}};
    for (const auto& each : cases) {
        spec.idep = each.idep;
        const auto file = folder / ("u" + std::to_string(each.idep) + ".sac");
        spec.station = "S" + std::to_string(each.idep);  // a record each
        WriteBytes(file, SacBytes(spec));
        const LoadedRecord record = LoadRecordFile(file, FileLayout::Standard, 1.0);
        ASSERT_FALSE(record.refusal) << RefusalText(*record.refusal);
        ASSERT_EQ(record.channels.size(), 1u) << each.idep;
        EXPECT_EQ(record.channels[0].unit, each.unit);
        EXPECT_FLOAT_EQ(record.channels[0].samples[0], each.first);
    }
}

// The components of one station, start and rate are one record, like K-NET's.
TEST(SacRecordTest, ComponentsOfAStationBesideTheFileFormOneRecord) {
    TempFolder folder;
    SacSpec spec;
    spec.samples = Wave(120, 1e7f);
    for (const char* component : {"HNZ", "HNE", "HNN"}) {
        spec.component = component;
        spec.big = component[2] == 'E';
        WriteBytes(folder / ("STA1." + std::string(component) + ".sac"), SacBytes(spec));
    }
    SacSpec other = spec;
    other.station = "STA2";
    WriteBytes(folder / "STA2.HNZ.sac", SacBytes(other));
    SacSpec later = spec;
    later.second = 4;
    later.component = "HNX";
    WriteBytes(folder / "STA1.HNX.sac", SacBytes(later));
    SacSpec slower = spec;
    slower.delta = 0.02f;
    slower.component = "LNZ";
    WriteBytes(folder / "STA1.LNZ.sac", SacBytes(slower));

    const LoadedRecord record = LoadRecordFile(folder / "STA1.HNN.sac", FileLayout::Standard, 1.0);
    ASSERT_FALSE(record.refusal) << RefusalText(*record.refusal);
    ASSERT_EQ(record.channels.size(), 3u);
    EXPECT_EQ(record.channels[0].id, "HNE");  // file-name order
    EXPECT_EQ(record.channels[1].id, "HNN");
    EXPECT_EQ(record.channels[2].id, "HNZ");
    EXPECT_EQ(record.files.size(), 3u);

    // The survey puts them together the same way, the others each on their own.
    const SurveyPlan plan = PlanSurvey({folder.Path()});
    std::vector<std::size_t> sizes;
    for (const PlannedRecord& planned : plan.records) sizes.push_back(planned.files.size());
    EXPECT_EQ(sizes, (std::vector<std::size_t>{3, 1, 1, 1}));
    EXPECT_EQ(plan.records[0].name, "STA1.HNE.sac");
}

TEST(SacRecordTest, ComponentsOfDifferentLengthsAreCutToTheShortestWithANotice) {
    TempFolder folder;
    SacSpec spec;
    spec.samples = Wave(50, 1.0f);
    WriteBytes(folder / "x.HNE.sac", SacBytes(spec));
    spec.samples.resize(40);
    spec.component = "HNN";
    WriteBytes(folder / "x.HNN.sac", SacBytes(spec));
    const LoadedRecord record = LoadRecordFile(folder / "x.HNE.sac", FileLayout::Standard, 1.0);
    ASSERT_FALSE(record.refusal) << RefusalText(*record.refusal);
    EXPECT_EQ(record.samplesPerChannel, 40);
    EXPECT_EQ(record.channels[0].samples.size(), 40u);
    ASSERT_EQ(record.notices.size(), 1u);
}

TEST(SacRecordTest, InconsistentFilesAreRefusedWithTheByteOffset) {
    SacSpec spec;
    spec.samples = Wave(10, 1.0f);
    spec.version = 7;
    const std::string v7 = SacBytes(spec);
    spec.version = 6;
    std::string shortFile = SacBytes(spec);
    shortFile.resize(shortFile.size() - 6);
    std::string notANumber = SacBytes(spec);
    testing::PutU32(notANumber, 632 + 4 * 3, 0x7FC00000u, false);
    spec.delta = 0.0f;
    const std::string delta = SacBytes(spec);
    const std::string* const bytes[] = {&v7, &shortFile, &notANumber, &delta};

    const struct {
        const char* file;
        const char* offset;
    } cases[] = {{"v7.sac", "304 バイト目"}, {"short.sac", "666 バイト目"}, {"nan.sac", "644 バイト目"},
                 {"delta.sac", "0 バイト目"}};
    for (std::size_t k = 0; k < 4; ++k) {
        const auto& each = cases[k];
        TempFolder folder;  // each alone: a broken component refuses its station's record
        WriteBytes(folder / each.file, *bytes[k]);
        ASSERT_EQ(DetectNetworkLayout(folder / each.file), NetworkLayout::Sac) << each.file;
        const LoadedRecord record = LoadRecordFile(folder / each.file, FileLayout::Standard, 1.0);
        ASSERT_TRUE(record.refusal) << each.file;
        const std::string text = RefusalText(*record.refusal);
        EXPECT_NE(text.find(each.file), std::string::npos) << text;
        EXPECT_NE(text.find(each.offset), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace tremvix
