#include "core/survey/OrderedPool.h"

#include <algorithm>

namespace tremvix {

OrderedPool::OrderedPool(int threads, std::size_t total, Write write)
    : write_(std::move(write)), limit_(2 * static_cast<std::size_t>(std::max(threads, 1))), outcomes_(total) {
    // A single worker would only take each job over and hand it back: the
    // submitting thread runs it instead, and no thread is started.
    if (threads > 1)
        for (int k = 0; k < threads; ++k) workers_.emplace_back([this] { Work(); });
}

OrderedPool::~OrderedPool() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    changed_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

void OrderedPool::Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty()) return;
        auto [index, job] = std::move(queue_.front());
        queue_.pop_front();
        lock.unlock();
        SurveyOutcome outcome = job();
        job = nullptr;  // its bytes go now, not when the next job comes
        lock.lock();
        outcomes_[index] = std::move(outcome);
        --pending_;
        changed_.notify_all();
    }
}

// Writes outside the lock so that the workers go on meanwhile.
void OrderedPool::WriteReady(std::unique_lock<std::mutex>& lock) {
    while (next_ < outcomes_.size() && outcomes_[next_]) {
        SurveyOutcome outcome = std::move(*outcomes_[next_]);
        outcomes_[next_].reset();
        ++next_;
        lock.unlock();
        write_(outcome);
        lock.lock();
    }
}

void OrderedPool::Submit(std::size_t index, Job job) {
    if (workers_.empty()) {
        Put(index, job());
        return;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    WriteReady(lock);
    while (pending_ >= limit_) {
        changed_.wait(lock);
        WriteReady(lock);
    }
    queue_.emplace_back(index, std::move(job));
    ++pending_;
    changed_.notify_all();
}

void OrderedPool::Put(std::size_t index, SurveyOutcome outcome) {
    std::unique_lock<std::mutex> lock(mutex_);
    outcomes_[index] = std::move(outcome);
    WriteReady(lock);
}

void OrderedPool::Finish() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        WriteReady(lock);
        if (pending_ == 0) break;
        changed_.wait(lock);
    }
    WriteReady(lock);
}

}  // namespace tremvix
