#include "core/data/SplitFields.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace tremvix {
namespace {

using Fields = std::array<std::string, kMaxFields>;

TEST(SplitFieldsTest, EmptyLineAndLineEndOnly) {
    Fields fields;
    EXPECT_EQ(SplitFields("", fields.data()), 0);
    fields[0] = "old";
    EXPECT_EQ(SplitFields("\n", fields.data()), 1);
    EXPECT_EQ(fields[0], "");
    EXPECT_EQ(SplitFields("\r\n", fields.data()), 1);
    EXPECT_EQ(fields[0], "");
}

TEST(SplitFieldsTest, NoTrimmingNoQuotingAdjacentCommas) {
    Fields fields;
    ASSERT_EQ(SplitFields(" CH1,,\"a,b\", x \n", fields.data()), 5);
    EXPECT_EQ(fields[0], " CH1");
    EXPECT_EQ(fields[1], "");
    EXPECT_EQ(fields[2], "\"a");
    EXPECT_EQ(fields[3], "b\"");
    EXPECT_EQ(fields[4], " x ");
}

TEST(SplitFieldsTest, LineEndsAtLfCrLfNulOrEnd) {
    Fields fields;
    ASSERT_EQ(SplitFields("a,b\r\nc,d", fields.data()), 2);
    EXPECT_EQ(fields[1], "b");
    ASSERT_EQ(SplitFields("a,b", fields.data()), 2);
    EXPECT_EQ(fields[1], "b");
    // A CR that is not part of a line end stays in its field.
    ASSERT_EQ(SplitFields("a\r,b\r", fields.data()), 2);
    EXPECT_EQ(fields[0], "a\r");
    EXPECT_EQ(fields[1], "b\r");
    const std::string withNul("a,b\0,c,d\n", 9);
    ASSERT_EQ(SplitFields(std::string_view(withNul), fields.data()), 2);
    EXPECT_EQ(fields[1], "b");
    EXPECT_EQ(SplitFields(std::string_view("\0a,b", 4), fields.data()), 0);
}

TEST(SplitFieldsTest, ShiftJisBytesKept) {
    Fields fields;
    // "計測" in Shift-JIS, whose second byte 0x91 is no comma but tests byte-wise walking.
    const std::string line = "\x8C\x76\x91\xAA,\x83\x5C\n";
    ASSERT_EQ(SplitFields(line.c_str(), fields.data()), 2);
    EXPECT_EQ(fields[0], "\x8C\x76\x91\xAA");
    EXPECT_EQ(fields[1], "\x83\x5C");
}

TEST(SplitFieldsTest, FieldsBeyondCapacityCountedButNotStored) {
    std::array<std::string, 4> fields;
    fields[3] = "untouched";
    ASSERT_EQ(SplitFields("1,2,3,4,5,6\n", fields.data(), 3), 6);
    EXPECT_EQ(fields[2], "3");
    EXPECT_EQ(fields[3], "untouched");

    std::string line;
    for (int k = 0; k < 150; ++k) {
        line += std::to_string(k) + ",";
    }
    Fields many;
    EXPECT_EQ(SplitFields(line, many.data()), 151);
    EXPECT_EQ(many[99], "99");
}

TEST(SplitFieldsTest, EntriesBeyondCountLeftAlone) {
    Fields fields;
    fields[1] = "previous";
    ASSERT_EQ(SplitFields("only\n", fields.data()), 1);
    EXPECT_EQ(fields[0], "only");
    EXPECT_EQ(fields[1], "previous");
}

}  // namespace
}  // namespace tremvix
