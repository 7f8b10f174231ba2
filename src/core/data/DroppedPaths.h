#pragma once

#include <filesystem>
#include <vector>

namespace tremvix {

// What a drop of several paths comes to: one record is opened at a time, so the
// files that are not part of it, and the folders, are left for the user to be told.
struct DroppedPaths {
    std::vector<std::filesystem::path> files;    // regular files, in the order dropped
    std::vector<std::filesystem::path> folders;  // folders, in the order dropped
};

DroppedPaths SortDroppedPaths(const std::vector<std::filesystem::path>& dropped);

// The files of `dropped` that are none of `opened` (the files the opened record is
// read from), compared as the same file on disk, links resolved.
std::vector<std::filesystem::path> FilesLeftOut(const std::vector<std::filesystem::path>& dropped,
                                                const std::vector<std::filesystem::path>& opened);

}  // namespace tremvix
