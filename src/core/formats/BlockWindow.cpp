#include "core/formats/BlockWindow.h"

#include "core/formats/RecordLines.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace tremvix::formats {

BlockWindow::BlockWindow(std::size_t ahead) : ahead_(ahead), largest_(4 * ahead) {}

void BlockWindow::Reserve(std::size_t capacity) {
    auto larger = std::make_unique_for_overwrite<char[]>(capacity);
    if (end_ > begin_) std::memcpy(larger.get(), buffer_.get() + begin_, end_ - begin_);
    buffer_ = std::move(larger);
    end_ -= begin_;
    base_ += begin_;
    begin_ = 0;
    capacity_ = capacity;
}

std::optional<Refusal> BlockWindow::Open(const std::filesystem::path& file) {
    std::error_code error;
    const bool folder = std::filesystem::is_directory(file, error);
    in_.close();
    in_.clear();
    if (!folder) in_.open(file, std::ios::binary);
    if (folder || !in_) {
        Refusal refusal{folder ? RefusalKind::NotAFile : RefusalKind::CannotOpen};
        refusal.file = FileNameText(file);
        return refusal;
    }
    begin_ = end_ = 0;
    base_ = 0;
    atEnd_ = false;
    // A small file gets a buffer of its own size: most records are far shorter than the
    // longest a format allows.
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    const std::size_t wanted = error ? largest_ : static_cast<std::size_t>(std::min<std::uintmax_t>(size + 1, largest_));
    if (wanted > capacity_ || wanted < capacity_ / 4) Reserve(std::max<std::size_t>(wanted, 1));
    return std::nullopt;
}

void BlockWindow::Refill() {
    std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    base_ += begin_;
    end_ -= begin_;
    begin_ = 0;
    for (;;) {
        while (!atEnd_ && end_ < capacity_) {
            in_.read(buffer_.get() + end_, static_cast<std::streamsize>(capacity_ - end_));
            end_ += static_cast<std::size_t>(in_.gcount());
            if (!in_) atEnd_ = true;
        }
        // A file that has grown since it was opened outgrows a buffer sized to it.
        if (atEnd_ || end_ >= ahead_ || capacity_ >= largest_) break;
        Reserve(largest_);
    }
}

std::string_view BlockWindow::View() {
    if (!atEnd_ && end_ - begin_ < ahead_) Refill();
    return {buffer_.get() + begin_, end_ - begin_};
}

void BlockWindow::Advance(std::size_t bytes) { begin_ += std::min(bytes, end_ - begin_); }

}  // namespace tremvix::formats
