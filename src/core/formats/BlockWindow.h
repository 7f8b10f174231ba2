#pragma once

#include "core/data/DataFileReader.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string_view>

namespace tremvix::formats {

// A binary file read front to back through one buffer of at most four times `ahead`
// bytes (less for a smaller file): View() shows the bytes from the current position
// on, at least `ahead` of them unless the file ends sooner, so a reader of records up
// to `ahead` long never holds the whole file. The buffer is reused, not cleared; what
// is left in view moves to its front when it is refilled.
class BlockWindow {
public:
    explicit BlockWindow(std::size_t ahead);

    // Refused (naming the file) when it is a folder or cannot be opened.
    std::optional<Refusal> Open(const std::filesystem::path& file);

    std::string_view View();
    void Advance(std::size_t bytes);        // at most View().size()
    std::size_t Capacity() const { return capacity_; }  // the most ever in view: the file, when it is small
    std::uint64_t Offset() const { return base_ + begin_; }  // of View()'s first byte in the file
    bool Failed() const { return in_.bad(); }               // a read error, not the end

private:
    void Refill();
    void Reserve(std::size_t capacity);  // keeps what is in view

    std::size_t ahead_, largest_;
    std::size_t capacity_ = 0;
    std::unique_ptr<char[]> buffer_;
    std::ifstream in_;
    std::size_t begin_ = 0, end_ = 0;
    std::uint64_t base_ = 0;
    bool atEnd_ = false;
};

}  // namespace tremvix::formats
