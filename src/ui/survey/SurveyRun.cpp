#include "ui/survey/SurveyRun.h"

#include "core/survey/SurveyRunner.h"

SurveyRun::SurveyRun(std::vector<std::filesystem::path> paths, int threads)
    : thread_([this, paths = std::move(paths), threads]() mutable { Run(std::move(paths), threads); }) {}

SurveyRun::~SurveyRun() {
    stop_ = true;
    thread_.join();
}

void SurveyRun::Run(std::vector<std::filesystem::path> paths, int threads) {
    try {
        Survey(std::move(paths), threads);
    } catch (const std::exception& error) {
        const std::lock_guard<std::mutex> lock(mutex_);
        error_ = error.what();
    }
    finished_ = true;
}

void SurveyRun::Survey(std::vector<std::filesystem::path> paths, int threads) {
    // The plan is written here before Now() tells that it is there, and never after.
    tremvix::SurveyPlan plan = tremvix::PlanSurvey(paths);
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        plan_ = std::move(plan);
        progress_.planned = true;
        progress_.total = plan_.records.size();
    }
    tremvix::SurveyOptions options;
    options.threads = threads;
    options.stop = [this] { return stop_.load(); };
    options.progress = [this](std::size_t done, std::size_t) {
        const std::lock_guard<std::mutex> lock(mutex_);
        progress_.done = done;
    };
    if (!stop_) {
        const tremvix::SurveyCounts counts = tremvix::RunSurvey(plan_, options, [this](const tremvix::SurveyOutcome& outcome) {
            const std::lock_guard<std::mutex> lock(mutex_);
            waiting_.push_back(outcome);
        });
        stopped_ = counts.stopped;
    } else {
        stopped_ = !plan_.records.empty();
    }
}

std::string SurveyRun::Error() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return error_;
}

SurveyRun::Progress SurveyRun::Now() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return progress_;
}

std::vector<tremvix::SurveyOutcome> SurveyRun::Take() {
    const std::lock_guard<std::mutex> lock(mutex_);
    std::vector<tremvix::SurveyOutcome> taken;
    taken.swap(waiting_);
    return taken;
}
