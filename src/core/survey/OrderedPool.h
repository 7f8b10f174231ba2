#pragma once

#include "core/survey/SurveyRecord.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace tremvix {

// Worker threads that run jobs in any order while one writer, the thread that
// submits them, receives the outcomes in the order of their indices. With one
// thread asked for, the submitting thread runs each job as it is submitted.
class OrderedPool {
public:
    using Job = std::function<SurveyOutcome()>;
    using Write = std::function<void(const SurveyOutcome&)>;

    OrderedPool(int threads, std::size_t total, Write write);
    OrderedPool(const OrderedPool&) = delete;
    OrderedPool& operator=(const OrderedPool&) = delete;
    ~OrderedPool();

    // Queues the job of outcome `index`; waits first, writing what is ready, while
    // too many jobs are queued or running.
    void Submit(std::size_t index, Job job);
    // An outcome known without work.
    void Put(std::size_t index, SurveyOutcome outcome);
    // Waits for every job and writes the rest; the indices 0 .. total-1 must all be given.
    void Finish();

private:
    void Work();
    void WriteReady(std::unique_lock<std::mutex>& lock);

    Write write_;
    std::size_t limit_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::pair<std::size_t, Job>> queue_;
    std::vector<std::optional<SurveyOutcome>> outcomes_;
    std::size_t pending_ = 0;  // submitted and not finished
    std::size_t next_ = 0;     // the next index to write
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace tremvix
