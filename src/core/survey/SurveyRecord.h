#pragma once

#include "core/survey/SurveyRow.h"

#include <optional>
#include <string>
#include <vector>

namespace tremvix {

struct PlannedRecord;

// What became of one record: its row, or the reason it was refused.
struct SurveyOutcome {
    std::string record;
    std::optional<SurveyRow> row;
    std::string failure;  // UTF-8; set when there is no row
};

// Reads one planned record and computes its row. Files in archives come as their
// bytes (`members`, in the order of the record's files; empty for files on disk).
SurveyOutcome SurveyRecord(const PlannedRecord& planned, const std::vector<std::string>& members);

}  // namespace tremvix
