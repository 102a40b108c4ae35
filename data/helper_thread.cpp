#include "data/helper_thread.h"

#include <atomic>
#include <cstring>
#include <system_error>
#include <utility>

namespace datrax {

namespace {
std::atomic<bool> two_threads_allowed{true};
}  // namespace

void set_two_reading_threads(bool allowed) { two_threads_allowed = allowed; }

bool two_reading_threads() { return two_threads_allowed && std::thread::hardware_concurrency() >= 2; }

const char* split_point(std::string_view block) {
    const char* end = block.data() + block.size();
    if (block.size() < kParallelBlockBytes) return end;
    const size_t half = block.size() / 2;
    const void* nl = std::memchr(block.data() + half, '\n', block.size() - half);
    return nl ? static_cast<const char*>(nl) + 1 : end;
}

HelperThread::~HelperThread() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

bool HelperThread::start() {
    if (thread_.joinable() || alone_) return !alone_;
    alone_ = !two_reading_threads();
    if (alone_) return false;
    try {
        thread_ = std::thread(&HelperThread::loop, this);
    } catch (const std::system_error&) {
        alone_ = true;  // the system gives no further thread: read on one
    }
    return !alone_;
}

void HelperThread::run_both(const std::function<void()>& own, std::function<void()> other) {
    if (!start()) {
        own();
        other();
        return;
    }
    {
        std::lock_guard lock(mutex_);
        job_ = std::move(other);
        busy_ = true;
    }
    changed_.notify_all();
    own();
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
}

void HelperThread::loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return busy_ || quit_; });
        if (!busy_) return;  // asked to end with nothing left to do
        std::function<void()> job = std::move(job_);
        lock.unlock();
        job();
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}

}  // namespace datrax
