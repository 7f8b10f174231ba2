#pragma once

#include "core/survey/SurveyRecord.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <vector>

namespace tremvix {

struct SurveyOptions {
    int threads = 0;  // workers; 0: one per core
    // Called by the writer's thread after each outcome: records done and their total.
    std::function<void(std::size_t done, std::size_t total)> progress;
    // Asked by the writer's thread after each outcome: true ends the survey there, the
    // outcomes written so far kept.
    std::function<bool()> stop;
};

struct SurveyCounts {
    std::size_t rows = 0;
    std::size_t failures = 0;
    bool stopped = false;  // ended by `stop` before every record was written
};

struct SurveyPlan;

// Surveys every record of `paths` (see PlanSurvey) on a pool of worker threads, each
// record on its own, and hands the outcomes to `write` on the calling thread, one at a
// time in the order of the plan, whatever the number of threads. Records waiting to be
// worked on or written are bounded by a few per worker.
SurveyCounts RunSurvey(const std::vector<std::filesystem::path>& paths, const SurveyOptions& options,
                       const std::function<void(const SurveyOutcome&)>& write);
// The same for records planned already; outcome k is of plan.records[k].
SurveyCounts RunSurvey(const SurveyPlan& plan, const SurveyOptions& options,
                       const std::function<void(const SurveyOutcome&)>& write);

}  // namespace tremvix
