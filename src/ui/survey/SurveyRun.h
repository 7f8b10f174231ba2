#pragma once

#include "core/survey/SurveyPlan.h"
#include "core/survey/SurveyRecord.h"

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A survey on a thread of its own, so that a window stays responsive: the outcomes
// collect here as the survey writes them and the window takes them when it likes.
class SurveyRun {
public:
    SurveyRun(std::vector<std::filesystem::path> paths, int threads);
    SurveyRun(const SurveyRun&) = delete;
    SurveyRun& operator=(const SurveyRun&) = delete;
    // Stops the survey and waits for its thread.
    ~SurveyRun();

    // Asks the survey to end after the outcome being written; what is written stays.
    void Stop() { stop_ = true; }
    bool Finished() const { return finished_; }
    bool Stopped() const { return stopped_; }
    // Why the survey ended early when it could not go on (memory, the file system).
    std::string Error() const;

    struct Progress {
        bool planned = false;   // the records are listed: total is known
        std::size_t done = 0;
        std::size_t total = 0;
    };
    Progress Now() const;
    // The outcomes written since the last call, in the order of the plan.
    std::vector<tremvix::SurveyOutcome> Take();
    // The records listed (set once planned; empty before).
    const tremvix::SurveyPlan& Plan() const { return plan_; }

private:
    void Run(std::vector<std::filesystem::path> paths, int threads);
    void Survey(std::vector<std::filesystem::path> paths, int threads);

    tremvix::SurveyPlan plan_;
    mutable std::mutex mutex_;
    std::vector<tremvix::SurveyOutcome> waiting_;
    Progress progress_;
    std::string error_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> stopped_{false};
    std::atomic<bool> finished_{false};
    std::thread thread_;
};
