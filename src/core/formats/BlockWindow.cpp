#include "core/formats/BlockWindow.h"

#include "core/formats/RecordLines.h"

#include <cstring>
#include <system_error>

namespace tremvix::formats {

BlockWindow::BlockWindow(std::size_t ahead)
    : ahead_(ahead), capacity_(4 * ahead), buffer_(std::make_unique_for_overwrite<char[]>(capacity_)) {}

std::optional<Refusal> BlockWindow::Open(const std::filesystem::path& file) {
    std::error_code error;
    const bool folder = std::filesystem::is_directory(file, error);
    if (!folder) in_.open(file, std::ios::binary);
    if (folder || !in_) {
        Refusal refusal{folder ? RefusalKind::NotAFile : RefusalKind::CannotOpen};
        refusal.file = FileNameText(file);
        return refusal;
    }
    begin_ = end_ = 0;
    base_ = 0;
    atEnd_ = false;
    return std::nullopt;
}

void BlockWindow::Refill() {
    std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    base_ += begin_;
    end_ -= begin_;
    begin_ = 0;
    while (!atEnd_ && end_ < capacity_) {
        in_.read(buffer_.get() + end_, static_cast<std::streamsize>(capacity_ - end_));
        end_ += static_cast<std::size_t>(in_.gcount());
        if (!in_) atEnd_ = true;
    }
}

std::string_view BlockWindow::View() {
    if (!atEnd_ && end_ - begin_ < ahead_) Refill();
    return {buffer_.get() + begin_, end_ - begin_};
}

void BlockWindow::Advance(std::size_t bytes) { begin_ += std::min(bytes, end_ - begin_); }

}  // namespace tremvix::formats
