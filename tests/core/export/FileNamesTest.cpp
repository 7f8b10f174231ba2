#include "core/export/FileNames.h"

#include <gtest/gtest.h>

using namespace tremvix;

TEST(FileNames, AppendsTheDefaultOnlyWhenTheFileNameHasNoExtension) {
    EXPECT_EQ(WithDefaultExtension("/home/u/graph", ".png"), "/home/u/graph.png");
    EXPECT_EQ(WithDefaultExtension("graph", ".csv"), "graph.csv");
    EXPECT_EQ(WithDefaultExtension("/home/u/graph.png", ".png"), "/home/u/graph.png");
    EXPECT_EQ(WithDefaultExtension("/home/u/graph.dat", ".png"), "/home/u/graph.dat");
    EXPECT_EQ(WithDefaultExtension("/home/u/data.CSV", ".csv"), "/home/u/data.CSV");
}

TEST(FileNames, OnlyTheFileNamePartCounts) {
    EXPECT_EQ(WithDefaultExtension("/home/u/dir.v2/graph", ".png"), "/home/u/dir.v2/graph.png");
    EXPECT_EQ(WithDefaultExtension("dir.v2/graph", ".csv"), "dir.v2/graph.csv");
    EXPECT_EQ(ExtensionOf("dir.v2/graph"), "");
    EXPECT_EQ(ExtensionOf("a.tar.gz"), ".gz");
}

TEST(FileNames, ATrailingOrLeadingDotIsAnExtension) {
    EXPECT_EQ(ExtensionOf("graph."), ".");
    EXPECT_EQ(WithDefaultExtension("/tmp/graph.", ".png"), "/tmp/graph.");
    EXPECT_EQ(ExtensionOf("/tmp/.hidden"), ".hidden");
    EXPECT_EQ(WithDefaultExtension("/tmp/.hidden", ".csv"), "/tmp/.hidden");
}
