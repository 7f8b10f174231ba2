#include "core/formats/BlockWindow.h"

#include "core/export/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace tremvix::formats {
namespace {

using testing_support::TempFolder;
using testing_support::WriteBytes;

std::string Counting(std::size_t n) {
    std::string bytes(n, '\0');
    for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>('a' + (i * 7 + i / 13) % 26);
    return bytes;
}

// Stepping through a file in uneven steps sees every byte once, at its own offset,
// with at least `ahead` bytes in view until the end comes nearer.
TEST(BlockWindow, SeesEveryByteAtItsOffsetWithEnoughAhead) {
    TempFolder folder;
    const std::string bytes = Counting(1000);
    WriteBytes(folder / "data.bin", bytes);
    BlockWindow window(64);
    ASSERT_FALSE(window.Open(folder / "data.bin"));
    std::string seen;
    for (std::size_t step = 1; !window.View().empty(); step = step % 97 + 13) {
        const std::string_view view = window.View();
        ASSERT_GE(view.size(), std::min<std::size_t>(64, bytes.size() - window.Offset()));
        ASSERT_EQ(view, std::string_view(bytes).substr(window.Offset(), view.size()));
        const std::size_t taken = std::min(step, view.size());
        seen.append(view.substr(0, taken));
        window.Advance(taken);
    }
    EXPECT_EQ(seen, bytes);
    EXPECT_EQ(window.Offset(), bytes.size());
    EXPECT_FALSE(window.Failed());
}

// A file that grows after it was opened (sized for its first bytes) is still seen whole,
// with enough ahead; one window serves several files in turn.
TEST(BlockWindow, AFileThatGrowsAfterItWasOpenedIsSeenWhole) {
    TempFolder folder;
    const std::string bytes = Counting(700);
    WriteBytes(folder / "grows.bin", bytes.substr(0, 10));
    BlockWindow window(100);
    ASSERT_FALSE(window.Open(folder / "grows.bin"));
    WriteBytes(folder / "grows.bin", bytes);
    std::string seen;
    while (!window.View().empty()) {
        const std::string_view view = window.View();
        ASSERT_GE(view.size(), std::min<std::size_t>(100, bytes.size() - window.Offset()));
        seen.append(view.substr(0, 37 < view.size() ? 37 : view.size()));
        window.Advance(37);
    }
    EXPECT_EQ(seen, bytes);
    WriteBytes(folder / "small.bin", "xyz");
    ASSERT_FALSE(window.Open(folder / "small.bin"));
    EXPECT_EQ(window.View(), "xyz");
    EXPECT_EQ(window.Offset(), 0u);
}

TEST(BlockWindow, FoldersAndMissingFilesAreRefusedByName) {
    TempFolder folder;
    BlockWindow window(16);
    const std::optional<Refusal> folderRefusal = window.Open(folder.Path());
    ASSERT_TRUE(folderRefusal);
    EXPECT_EQ(folderRefusal->kind, RefusalKind::NotAFile);
    const std::optional<Refusal> missing = window.Open(folder / "none.bin");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->kind, RefusalKind::CannotOpen);
    EXPECT_EQ(missing->file, "none.bin");
    WriteBytes(folder / "empty.bin", "");
    ASSERT_FALSE(window.Open(folder / "empty.bin"));
    EXPECT_TRUE(window.View().empty());
}

}  // namespace
}  // namespace tremvix::formats
