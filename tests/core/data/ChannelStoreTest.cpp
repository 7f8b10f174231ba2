#include "core/data/ChannelList.h"
#include "core/data/ChannelStore.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tremvix;

TEST(ChannelStore, StartsEmptyWithNothingTransferred) {
    const auto store = std::make_unique<ChannelStore>();
    EXPECT_TRUE(store->NothingTransferred);
    EXPECT_FALSE(store->EDefenceMode);
    EXPECT_EQ(store->ChannelCount, 0);
    EXPECT_EQ(store->DataCount, 0);
    for (int k = 0; k < kMaxChannels; ++k) {
        EXPECT_EQ(store->BaseBank[k].Filled, 0);
        EXPECT_EQ(store->BaseBank[k].SampleCount, 0);
        EXPECT_TRUE(store->BaseBank[k].Samples.empty()) << "no memory is held before a transfer";
    }
}

TEST(ChannelStore, RecordForDisplayFollowsTypeAndBankFlags) {
    const auto store = std::make_unique<ChannelStore>();
    store->DisplayType[2] = kTypeV;
    EXPECT_EQ(&store->RecordForDisplay(2), &store->BaseBank[2]);  // no velocity yet
    store->HasVelocity[2] = true;
    EXPECT_EQ(&store->RecordForDisplay(2), &store->VelocityBank[2]);
    store->DisplayType[2] = kTypeD;
    EXPECT_EQ(&store->RecordForDisplay(2), &store->BaseBank[2]);
    store->HasDisplacement[2] = true;
    EXPECT_EQ(&store->RecordForDisplay(2), &store->DisplacementBank[2]);
    store->DisplayType[2] = kTypeA;
    EXPECT_EQ(&store->RecordForDisplay(2), &store->BaseBank[2]);
}

TEST(ChannelStore, ClearForgetsChannelsButKeepsRecordsAndCounts) {
    const auto store = std::make_unique<ChannelStore>();
    store->ChannelCount = 3;
    store->DataCount = 1200;
    store->NothingTransferred = false;
    store->IsAcceleration[1] = store->HasVelocity[1] = store->HasDisplacement[7] = true;
    store->BaseBank[0].Filled = 1;
    store->ClearChannels();
    EXPECT_EQ(store->ChannelCount, 0);
    EXPECT_FALSE(store->IsAcceleration[1]);
    EXPECT_FALSE(store->HasVelocity[1]);
    EXPECT_FALSE(store->HasDisplacement[7]);
    EXPECT_EQ(store->DataCount, 1200);
    EXPECT_FALSE(store->NothingTransferred);
    EXPECT_EQ(store->BaseBank[0].Filled, 1);
}

TEST(ChannelStore, TypeCodeIsExactText) {
    EXPECT_EQ(TypeCodeOfCell("A"), kTypeA);
    EXPECT_EQ(TypeCodeOfCell("V"), kTypeV);
    EXPECT_EQ(TypeCodeOfCell("D"), kTypeD);
    EXPECT_EQ(TypeCodeOfCell("a"), kTypeNone);
    EXPECT_EQ(TypeCodeOfCell(" A"), kTypeNone);
    EXPECT_EQ(TypeCodeOfCell(""), kTypeNone);
}

TEST(ChannelList, HeadingsAndRowNumbers) {
    ChannelList list;
    EXPECT_EQ(list.Cell(0, 0), "番号");
    EXPECT_EQ(list.Cell(1, 0), " \u3000CH");
    EXPECT_EQ(list.Cell(5, 0), " 選");
    EXPECT_EQ(list.Cell(0, 1), "  1");
    EXPECT_EQ(list.Cell(0, 8), "  8");
    list.SetCell(ChannelList::kSelect, 3, ChannelList::kMark);
    list.SetCell(ChannelList::kUnit, 3, "gal");
    EXPECT_TRUE(list.IsSelected(3));
    list.ClearChannelRows();
    EXPECT_FALSE(list.IsSelected(3));
    EXPECT_EQ(list.Cell(ChannelList::kUnit, 3), "");
    EXPECT_EQ(list.Cell(0, 3), "  3");
}
