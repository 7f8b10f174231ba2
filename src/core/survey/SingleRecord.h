#pragma once

#include "core/survey/SurveyRecord.h"

#include <filesystem>
#include <vector>

namespace tremvix {

struct PlannedRecord;

// One planned record surveyed on its own, as RunSurvey surveys it among the others:
// a member of an archive is read from the archive (`archives` as the plan lists them)
// here, so that the record can be worked on by a process that holds only the plan's
// entry. Gives the same outcome, refusals included, as the whole survey gives it.
SurveyOutcome SurveySingleRecord(const PlannedRecord& planned, const std::vector<std::filesystem::path>& archives);

}  // namespace tremvix
