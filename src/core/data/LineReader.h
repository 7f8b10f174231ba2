#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace tremvix {

// Reads a data file line by line through one reused block buffer. Lines are
// measured as in text mode, where CR LF is one line end: the length of a line is
// its bytes up to and including the LF, a CR right before the LF not counted. The
// file is read with plain read() calls rather than mapped, so a file that shrinks
// while it is read simply ends early.
class LineReader {
public:
    enum class OpenStatus { Opened, CannotOpen, NotAFile };
    enum class Status { Line, End, TooLong, ReadError };

    static constexpr std::size_t kDefaultBlockSize = 256 * 1024;

    explicit LineReader(std::size_t blockSize = kDefaultBlockSize);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Opens a regular file for reading. Folders, FIFOs, devices and sockets are
    // refused before they are opened, and the open itself never blocks.
    OpenStatus Open(const std::filesystem::path& file);

    // The next line, with its line end when it has one; the view stays valid until
    // the next call. TooLong when the line is longer than maxBytes, End when no
    // byte is left (a last line without a line end is still a line).
    Status Next(std::string_view& line, std::size_t maxBytes);

    // Counts the lines left, to the end of the file. Stops with TooLong at the first
    // line longer than maxBytes, `count` then holding the lines before it.
    Status CountRest(std::size_t maxBytes, std::int64_t& count);

    // True when no byte of the file is left; may read the next block.
    bool AtEnd();

private:
    bool Refill();  // false on a read error; at the end of the file sets eof_

    static constexpr std::size_t kSmallestBlock = 4096;

    int fd_ = -1;
    std::size_t largest_;        // the block size asked for
    std::size_t capacity_ = 0;   // of buffer_: up to largest_, less for a small file
    std::unique_ptr<char[]> buffer_;
    std::size_t pos_ = 0;
    std::size_t filled_ = 0;
    bool eof_ = false;
    std::string carry_;  // a line that runs across a block boundary
};

}  // namespace tremvix
