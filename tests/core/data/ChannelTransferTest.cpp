#include "core/data/ChannelList.h"
#include "core/data/ChannelStore.h"
#include "core/data/ChannelTransfer.h"
#include "core/dsp/FilterSettings.h"
#include "core/dsp/Fir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

using namespace tremvix;

namespace {

TransferColumn Column(int fileColumn, const char* unit, std::vector<float> samples) {
    TransferColumn column;
    column.fileColumn = fileColumn;
    column.id = "CH" + std::to_string(fileColumn + 1);
    column.name = "point " + std::to_string(fileColumn);
    column.memo = "memo";
    column.unit = unit;
    column.samples = std::move(samples);
    return column;
}

TransferRead Read(std::vector<TransferColumn> columns, int lines) {
    TransferRead read;
    read.columns = std::move(columns);
    read.linesRead = lines;
    return read;
}

}  // namespace

TEST(AppendChannels, FillsRecordsRowsAndTypesAfterTheLoadedChannels) {
    auto store = std::make_unique<ChannelStore>();
    ChannelList list;
    store->ChannelCount = 3;
    const AppendResult result =
        AppendChannels(*store, list, Read({Column(4, "Gal", {1, 2, 3}), Column(7, "mm/s2", {4, 5, 6})}, 3), {});
    EXPECT_EQ(result.firstIndex, 3);
    EXPECT_EQ(result.count, 2);
    EXPECT_EQ(store->ChannelCount, 5);
    EXPECT_EQ(store->DataCount, 3);
    EXPECT_FALSE(store->NothingTransferred);
    EXPECT_EQ(list.Cell(ChannelList::kChannel, 4), "CH5");
    EXPECT_EQ(list.Cell(ChannelList::kPoint, 5), "point 7");
    EXPECT_EQ(list.Cell(ChannelList::kUnit, 5), "mm/s2");
    EXPECT_EQ(list.Cell(ChannelList::kType, 4), "A");
    EXPECT_EQ(list.Cell(ChannelList::kType, 5), "D");
    EXPECT_TRUE(list.IsSelected(4));
    EXPECT_TRUE(store->IsAcceleration[3]);
    EXPECT_TRUE(store->IsAcceleration[4]) << "mm/s2 holds m/s2";
    const ChannelRecord& record = store->BaseBank[4];
    EXPECT_EQ(record.Filled, 1);
    EXPECT_EQ(record.SampleCount, 3);
    EXPECT_STREQ(record.ChannelId, "CH8");
    EXPECT_STREQ(record.Memo, "memo");
    EXPECT_EQ(record.Samples[2], 6.0f);
}

TEST(AppendChannels, CutsLongTextsToTheirFieldsAndKeepsTheListText) {
    auto store = std::make_unique<ChannelStore>();
    ChannelList list;
    TransferColumn column = Column(0, "kine per second", {1});
    column.id = "ACCELERATION-NS";
    AppendChannels(*store, list, Read({column}, 1), {});
    EXPECT_STREQ(store->BaseBank[0].ChannelId, "ACCELERAT");
    EXPECT_STREQ(store->BaseBank[0].Unit, "kine per sec");
    EXPECT_EQ(list.Cell(ChannelList::kChannel, 1), "ACCELERATION-NS");
    EXPECT_EQ(list.Cell(ChannelList::kType, 1), "V");
    EXPECT_FALSE(store->IsAcceleration[0]);
}

namespace {

// The transfer filter written out plainly: a zero-phase convolution with zeros
// outside the record, each step in extended precision kept as single.
std::vector<float> PlainFir(const float* h, int m, const std::vector<float>& x) {
    const int n = static_cast<int>(x.size());
    std::vector<float> y(x.size());
    for (int i = 0; i < n; ++i) {
        float acc = static_cast<float>(static_cast<long double>(x[i]) * h[0]);
        for (int j = 1; j < m; ++j) {
            const float left = i - j >= 0 ? x[i - j] : 0.0f;
            const float right = i + j < n ? x[i + j] : 0.0f;
            acc = static_cast<float>((static_cast<long double>(left) + right) * h[j] + acc);
        }
        y[i] = acc;
    }
    return y;
}

// A three-point mean with zeros outside the record, summed centre first, then the
// neighbours outwards, as the running mean forms it.
std::vector<float> PlainMean3(const std::vector<float>& x) {
    const int n = static_cast<int>(x.size());
    std::vector<float> y(x.size());
    for (int i = 0; i < n; ++i) {
        float s = x[i];
        if (i > 0 && i + 1 < n) s = static_cast<float>(static_cast<long double>(x[i - 1]) + x[i + 1] + s);
        else if (i > 0) s = static_cast<float>(static_cast<long double>(x[i - 1]) + s);
        else if (i + 1 < n) s = static_cast<float>(static_cast<long double>(x[i + 1]) + s);
        y[i] = static_cast<float>(s / 3.0L);
    }
    return y;
}

}  // namespace

TEST(AppendChannels, FiltersThenAveragesEveryNewChannelOnly) {
    auto store = std::make_unique<ChannelStore>();
    ChannelList list;
    FilterSettings filters;
    filters.StartUp();
    // Two channels already loaded; they are not filtered again.
    for (int k = 0; k < 2; ++k) {
        store->BaseBank[k].SampleCount = 3;
        store->BaseBank[k].Samples = {7.0f, -7.0f, 7.0f};
    }
    store->ChannelCount = 2;
    std::vector<std::vector<float>> inputs(3, std::vector<float>(1000, 0.0f));
    inputs[0][500] = 1.0f;
    inputs[1][10] = -2.0f;
    inputs[1][990] = 3.0f;
    for (int i = 0; i < 1000; ++i) inputs[2][i] = static_cast<float>(std::sin(0.2 * i) * 40.0);
    TransferProcessing processing;
    processing.lowPassSet = filters.TransferLowPass.data();
    processing.lowPassCount = FilterSettings::kCoefficients;
    processing.movingAverage = true;
    processing.halfWidth = 1;
    AppendChannels(*store, list,
                   Read({Column(0, "gal", inputs[0]), Column(1, "gal", inputs[1]), Column(2, "gal", inputs[2])}, 1000),
                   processing);

    ASSERT_EQ(store->ChannelCount, 5);
    for (int j = 0; j < 3; ++j) {
        const std::vector<float> expected =
            PlainMean3(PlainFir(filters.TransferLowPass.data(), FilterSettings::kCoefficients, inputs[j]));
        EXPECT_EQ(store->BaseBank[2 + j].Samples, expected) << "new channel " << j;
    }
    for (int k = 0; k < 2; ++k)
        EXPECT_EQ(store->BaseBank[k].Samples, (std::vector<float>{7.0f, -7.0f, 7.0f})) << "loaded channel " << k;
}
