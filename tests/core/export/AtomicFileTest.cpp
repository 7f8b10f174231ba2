#include "core/export/AtomicFile.h"

#include "core/export/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tremvix;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

namespace {

StreamWriter Text(const std::string& text) {
    return [text](std::FILE* file) { return std::fputs(text.c_str(), file) >= 0; };
}

mode_t ModeOf(const std::filesystem::path& file) {
    struct stat st {};
    ::stat(file.c_str(), &st);
    return st.st_mode & 07777;
}

}  // namespace

TEST(AtomicFile, NewFileGetsContentUmaskModeAndNoTemporaryIsLeft) {
    TempFolder folder;
    const mode_t previous = ::umask(027);
    const SaveResult result = WriteFileAtomically(folder / "graph.png", Text("new\r\n"));
    ::umask(previous);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(ReadBytes(folder / "graph.png"), "new\r\n");
    EXPECT_EQ(ModeOf(folder / "graph.png"), 0640u);
    EXPECT_EQ(folder.Listing(), "graph.png;");
}

TEST(AtomicFile, ReplacementKeepsTheOldModeAndFollowsSymbolicLinks) {
    TempFolder folder;
    WriteBytes(folder / "data.csv", "old content that is longer");
    ::chmod((folder / "data.csv").c_str(), 0604);
    std::filesystem::create_symlink("data.csv", folder / "link.csv");

    ASSERT_TRUE(WriteFileAtomically(folder / "link.csv", Text("new")).ok);
    EXPECT_EQ(ReadBytes(folder / "data.csv"), "new");
    EXPECT_EQ(ModeOf(folder / "data.csv"), 0604u);
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.csv"));
    EXPECT_EQ(folder.Listing(), "data.csv;link.csv;");
}

// Stands in for a full disk: the writer gets part of the data out and then fails.
TEST(AtomicFile, FailedWriteLeavesTheOldFileIntactAndRemovesTheTemporary) {
    TempFolder folder;
    WriteBytes(folder / "data.csv", "old");
    const SaveResult result = WriteFileAtomically(folder / "data.csv", [](std::FILE* file) {
        std::fputs("half of the new dat", file);
        return false;
    });
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("data.csv"), std::string::npos) << result.error;
    EXPECT_EQ(ReadBytes(folder / "data.csv"), "old");
    EXPECT_EQ(folder.Listing(), "data.csv;");
}

// A file size limit makes the kernel refuse the data the way a full disk does.
TEST(AtomicFile, DataTheFileSystemRefusesIsReportedAndTheOldFileKept) {
    TempFolder folder;
    WriteBytes(folder / "data.csv", "old");
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 4096;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const SaveResult result = WriteFileAtomically(folder / "data.csv", [](std::FILE* file) {
        const std::string line(1000, 'x');
        for (int n = 0; n < 100; ++n) std::fputs(line.c_str(), file);
        return true;  // the writer does not notice; the flush must
    });
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorNumber, EFBIG) << result.error;
    EXPECT_EQ(ReadBytes(folder / "data.csv"), "old");
    EXPECT_EQ(folder.Listing(), "data.csv;");
}

TEST(AtomicFile, ReportsTargetsThatCannotBeWritten) {
    TempFolder folder;
    const SaveResult missing = WriteFileAtomically(folder / "no-such-folder" / "a.csv", Text("x"));
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.errorNumber, ENOENT);
    EXPECT_NE(missing.error.find(std::strerror(ENOENT)), std::string::npos) << missing.error;

    std::filesystem::create_directory(folder / "sub");
    WriteBytes(folder / "sub" / "keep", "k");
    const SaveResult onFolder = WriteFileAtomically(folder / "sub", Text("x"));
    EXPECT_FALSE(onFolder.ok);
    EXPECT_EQ(onFolder.errorNumber, EISDIR);
    EXPECT_EQ(ReadBytes(folder / "sub" / "keep"), "k");

    // Renaming over a pipe would remove it instead of writing into it.
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    EXPECT_FALSE(WriteFileAtomically(folder / "pipe", Text("x")).ok);
    EXPECT_TRUE(std::filesystem::is_fifo(folder / "pipe"));
    EXPECT_EQ(folder.Listing(), "pipe;sub;");
}

TEST(AtomicFile, ReportsAFolderWhereNoFileMayBeCreated) {
    TempFolder folder;
    std::filesystem::path target;
    if (::geteuid() == 0) {
        // Permission bits do not stop root; nobody can create files in procfs.
        target = "/proc/tremvix-export-check.png";
    } else {
        std::filesystem::create_directory(folder / "locked");
        ::chmod((folder / "locked").c_str(), 0500);
        target = folder / "locked" / "graph.png";
    }
    const SaveResult result = WriteFileAtomically(target, Text("x"));
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.errorNumber, 0);
    EXPECT_FALSE(std::filesystem::exists(target));
    if (::geteuid() != 0) ::chmod((folder / "locked").c_str(), 0700);
}
