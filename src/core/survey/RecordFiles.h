#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace tremvix {

struct SurveyPlan;

struct RecordOnDisk {
    std::filesystem::path first;  // the record's first file; empty when `error` is set
    std::string error;            // UTF-8
};

// Where the files of plan.records[index] can be opened from: the files themselves when
// they are on disk; for members of an archive, copies written into `folder` under their
// own file names (the components side by side, as a reader looks for them).
RecordOnDisk RecordFilesOnDisk(const SurveyPlan& plan, std::size_t index, const std::filesystem::path& folder);

}  // namespace tremvix
