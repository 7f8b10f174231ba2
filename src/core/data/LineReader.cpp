#include "core/data/LineReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tremvix {
namespace {

// Length in text mode of a line whose raw bytes (LF included when present) are
// `raw`, the byte before the LF being a CR when `crBeforeLf`.
std::size_t TextLength(std::size_t raw, bool crBeforeLf) {
    return crBeforeLf ? raw - 1 : raw;
}

bool EndsWithCrLf(std::string_view line) {
    return line.size() >= 2 && line[line.size() - 1] == '\n' && line[line.size() - 2] == '\r';
}

}  // namespace

LineReader::LineReader(std::size_t blockSize) : largest_(blockSize < kSmallestBlock ? kSmallestBlock : blockSize) {}

LineReader::~LineReader() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

LineReader::OpenStatus LineReader::Open(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) {
        return OpenStatus::CannotOpen;
    }
    if (!S_ISREG(info.st_mode)) {
        return OpenStatus::NotAFile;
    }
    // O_NONBLOCK: should the name have become a FIFO since the stat, the open still
    // returns at once, and the fstat below refuses it.
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return OpenStatus::CannotOpen;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return OpenStatus::NotAFile;
    }
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = fd;
    // A small file gets a block of its own size: a survey opens thousands of them.
    const std::size_t size = static_cast<std::size_t>(std::max<off_t>(info.st_size, 0));
    const std::size_t wanted = std::clamp(size + 1, kSmallestBlock, largest_);
    if (wanted > capacity_ || wanted < capacity_ / 4) {
        // Not zero-filled: every byte is written by read() before it is looked at.
        buffer_ = std::make_unique_for_overwrite<char[]>(wanted);
        capacity_ = wanted;
    }
    pos_ = filled_ = 0;
    eof_ = false;
    carry_.clear();
    return OpenStatus::Opened;
}

bool LineReader::Refill() {
    pos_ = filled_ = 0;
    if (fd_ < 0) {
        eof_ = true;
        return true;
    }
    while (true) {
        const ssize_t n = ::read(fd_, buffer_.get(), capacity_);
        if (n > 0) {
            filled_ = static_cast<std::size_t>(n);
            return true;
        }
        if (n == 0) {
            eof_ = true;
            return true;
        }
        if (errno != EINTR) {
            eof_ = true;
            return false;
        }
    }
}

LineReader::Status LineReader::Next(std::string_view& line, std::size_t maxBytes) {
    carry_.clear();
    while (true) {
        if (pos_ == filled_) {
            if (eof_) {
                if (carry_.empty()) {
                    return Status::End;
                }
                line = carry_;  // a last line without a line end
                return Status::Line;
            }
            if (!Refill()) {
                return Status::ReadError;
            }
            continue;
        }
        const char* const start = buffer_.get() + pos_;
        const std::size_t available = filled_ - pos_;
        const void* const lf = std::memchr(start, '\n', available);
        if (lf == nullptr) {
            // Without its end the line is already at least this long.
            if (carry_.size() + available > maxBytes) {
                return Status::TooLong;
            }
            carry_.append(start, available);
            pos_ = filled_;
            continue;
        }
        const std::size_t take = static_cast<std::size_t>(static_cast<const char*>(lf) - start) + 1;
        pos_ += take;
        if (carry_.empty()) {
            line = std::string_view(start, take);
        } else {
            carry_.append(start, take);
            line = carry_;
        }
        return TextLength(line.size(), EndsWithCrLf(line)) > maxBytes ? Status::TooLong : Status::Line;
    }
}

LineReader::Status LineReader::CountRest(std::size_t maxBytes, std::int64_t& count) {
    std::size_t partial = 0;  // bytes of a line begun in an earlier block
    bool partialEndsCr = false;
    while (true) {
        if (pos_ == filled_) {
            if (eof_) {
                if (partial > 0) {
                    ++count;  // a last line without a line end
                }
                return Status::End;
            }
            if (!Refill()) {
                return Status::ReadError;
            }
            continue;
        }
        const char* p = buffer_.get() + pos_;
        const char* const end = buffer_.get() + filled_;
        while (const void* found = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
            const char* const lf = static_cast<const char*>(found);
            const bool cr = lf > p ? lf[-1] == '\r' : partialEndsCr;
            const std::size_t raw = partial + static_cast<std::size_t>(lf - p) + 1;
            if (TextLength(raw, cr) > maxBytes) {
                return Status::TooLong;
            }
            ++count;
            partial = 0;
            partialEndsCr = false;
            p = lf + 1;
        }
        if (p != end) {
            partial += static_cast<std::size_t>(end - p);
            partialEndsCr = end[-1] == '\r';
            if (partial > maxBytes) {
                return Status::TooLong;
            }
        }
        pos_ = filled_;
    }
}

bool LineReader::AtEnd() {
    if (pos_ < filled_) {
        return false;
    }
    if (!eof_) {
        Refill();
    }
    return pos_ == filled_;
}

}  // namespace tremvix
