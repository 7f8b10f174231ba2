#include "core/data/DroppedPaths.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace tremvix {

DroppedPaths SortDroppedPaths(const std::vector<fs::path>& dropped) {
    DroppedPaths sorted;
    for (const fs::path& path : dropped) {
        std::error_code error;
        if (fs::is_directory(path, error)) sorted.folders.push_back(path);
        else if (fs::is_regular_file(path, error)) sorted.files.push_back(path);
    }
    return sorted;
}

namespace {

bool SameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    const bool same = fs::equivalent(a, b, error);
    return !error && same;
}

}  // namespace

std::vector<fs::path> FilesLeftOut(const std::vector<fs::path>& dropped, const std::vector<fs::path>& opened) {
    std::vector<fs::path> left;
    for (const fs::path& file : dropped) {
        const bool inRecord = std::any_of(opened.begin(), opened.end(), [&](const fs::path& o) { return SameFile(file, o); });
        if (!inRecord) left.push_back(file);
    }
    return left;
}

}  // namespace tremvix
