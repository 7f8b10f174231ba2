#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tremvix {

// A file of a record: on disk, or a member of one of the plan's archives.
struct SurveyFile {
    std::string name;            // as the survey names it (see PlanSurvey)
    std::filesystem::path disk;  // the file on disk; for a member, empty
    int archive = -1;            // index into SurveyPlan::archives for a member
    std::string member;          // the member's path in its archive
};

// One record as the data set window groups it (a network record's components, a
// CSV file), or something found on the way that is refused with a reason.
struct PlannedRecord {
    std::string name;                // the record's first file: the survey's record column
    std::vector<SurveyFile> files;   // the first one is the file to open
    std::string head;                // the first bytes of the first file (its position)
    std::optional<std::string> refusal;
};

struct SurveyPlan {
    std::vector<PlannedRecord> records;  // in the order of the paths, then of the names
    std::vector<std::filesystem::path> archives;
};

// Bytes of a file's beginning read while planning: enough for every header.
inline constexpr std::size_t kHeadBytes = 4096;

// The records of files, folders (searched recursively, links followed, a link back
// into a folder being searched refused) and archives (.tar, .tar.gz, .tgz, .zip; their
// members read in memory, never unpacked). Names: a file given is named as given; a
// file in a folder by its path relative to that folder; a member by its path in the
// archive (behind the archive's relative path when the archive lies in a folder).
// A record of K-NET/KiK-net components lacking some of its layout's components is refused.
SurveyPlan PlanSurvey(const std::vector<std::filesystem::path>& paths);

}  // namespace tremvix
