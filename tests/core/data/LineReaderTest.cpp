#include "core/data/LineReader.h"

#include "DataFileTestFiles.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tremvix {
namespace {

// The lines of `text` as text mode sees them: split after each LF, the last piece
// kept when it is not empty.
std::vector<std::string> NaiveLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        const std::size_t end = lf == std::string::npos ? text.size() : lf + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

// Random lines of up to 40 bytes with CR LF and LF ends and NUL bytes, read with a
// block of 4,096 bytes, so that lines and CR LF pairs fall across block edges.
TEST(LineReaderTest, AgreesWithNaiveSplitAcrossBlockEdges) {
    testing::TempFolder folder;
    std::mt19937 random(11);
    std::string text;
    while (text.size() < 50000) {
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) {
            text += "ab,\r\0 9"[random() % 7];
        }
        text += random() % 2 ? "\r\n" : "\n";
    }
    text += "tail";
    const auto file = folder.Write("r.txt", text);
    const std::vector<std::string> expected = NaiveLines(text);

    LineReader reader(4096);
    ASSERT_EQ(reader.Open(file), LineReader::OpenStatus::Opened);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.Next(line, 2047) == LineReader::Status::Line) {
        lines.emplace_back(line);
    }
    EXPECT_EQ(lines, expected);

    // Counting after a few lines read must give the rest.
    LineReader counter(4096);
    ASSERT_EQ(counter.Open(file), LineReader::OpenStatus::Opened);
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(counter.Next(line, 2047), LineReader::Status::Line);
    }
    std::int64_t count = 0;
    EXPECT_EQ(counter.CountRest(2047, count), LineReader::Status::End);
    EXPECT_EQ(count, static_cast<std::int64_t>(expected.size()) - 3);
}

// A line of exactly the limit whose CR LF is split by the block edge.
TEST(LineReaderTest, CrLfSplitByBlockEdgeCountsAsOneByte) {
    testing::TempFolder folder;
    const std::string first(4095 - 9, 'a');                   // with its LF, ends 9 bytes before the edge
    const std::string second = std::string(8, 'b') + "\r\n";  // CR is byte 4095, LF the next block's first
    const auto file = folder.Write("e.txt", first + "\n" + second + "c\n");
    for (std::size_t limit : {std::size_t{9}, std::size_t{8}}) {
        LineReader reader(4096);
        ASSERT_EQ(reader.Open(file), LineReader::OpenStatus::Opened);
        std::string_view line;
        ASSERT_EQ(reader.Next(line, 5000), LineReader::Status::Line);
        EXPECT_EQ(reader.Next(line, limit),
                  limit == 9 ? LineReader::Status::Line : LineReader::Status::TooLong);
        LineReader counter(4096);
        ASSERT_EQ(counter.Open(file), LineReader::OpenStatus::Opened);
        ASSERT_EQ(counter.Next(line, 5000), LineReader::Status::Line);
        std::int64_t count = 0;
        EXPECT_EQ(counter.CountRest(limit, count),
                  limit == 9 ? LineReader::Status::End : LineReader::Status::TooLong);
        EXPECT_EQ(count, limit == 9 ? 2 : 0);
    }
}

TEST(LineReaderTest, AtEnd) {
    testing::TempFolder folder;
    LineReader reader;
    ASSERT_EQ(reader.Open(folder.Write("a.txt", "x\ny")), LineReader::OpenStatus::Opened);
    std::string_view line;
    ASSERT_EQ(reader.Next(line, 100), LineReader::Status::Line);
    EXPECT_FALSE(reader.AtEnd());
    ASSERT_EQ(reader.Next(line, 100), LineReader::Status::Line);
    EXPECT_EQ(line, "y");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.Next(line, 100), LineReader::Status::End);
}

}  // namespace
}  // namespace tremvix
