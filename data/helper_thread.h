// A second thread for the length of one read: the reader hands it one share
// of a block at a time and converts the other share meanwhile. Where no
// second thread can be had (one core, the system refuses one, or the readers
// are limited to one thread), both shares run on the caller's thread, so the
// result is the same either way.
#pragma once
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string_view>
#include <thread>

namespace datrax {

// Limits the readers to one thread (false) or lets them use two (true, the
// default); for comparing the two ways of reading.
void set_two_reading_threads(bool allowed);
// True when the readers may use two threads and the machine has two cores.
bool two_reading_threads();

// Blocks of lines at least this large are shared between two threads.
inline constexpr size_t kParallelBlockBytes = size_t{1} << 16;

// Where a block of whole lines is cut into two shares: after the line end
// nearest its middle; its end when the block is too small to share.
const char* split_point(std::string_view block);

class HelperThread {
public:
    HelperThread() = default;
    ~HelperThread();
    HelperThread(const HelperThread&) = delete;
    HelperThread& operator=(const HelperThread&) = delete;

    // Runs other on the second thread while own runs here; returns when both
    // have finished.
    void run_both(const std::function<void()>& own, std::function<void()> other);

private:
    bool start();  // false when there is no second thread
    void loop();

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> job_;
    bool busy_ = false;    // a job is handed over and not finished
    bool quit_ = false;    // the thread is to end
    bool alone_ = false;   // no second thread: every share runs here
};

}  // namespace datrax
