// A second thread for the length of one read. The reader cuts a block of
// lines into pieces, and both threads take pieces until none is left, so a
// helper that the system keeps waiting costs nothing but its share of the
// speed-up. Where no second thread can be had (one core, the system refuses
// one, or the readers are held to one thread), the caller's thread takes
// every piece, so the result is the same either way.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

namespace datrax {

// Holds the readers to one thread (false) or lets them use two (true, the
// default); for comparing the two ways of reading.
void set_two_reading_threads(bool allowed);
// True when the readers may use two threads and the machine has two cores.
bool two_reading_threads();

// Blocks of lines are cut into pieces of about this size: large enough that
// handing one over costs little, small enough that the two threads finish
// a block close together.
inline constexpr size_t kPieceBytes = size_t{1} << 16;

// A block of whole lines cut into pieces for the two threads: every piece
// but the last ends at the first line end at least kPieceBytes after its
// start. A block too small to share is one piece.
class LinePieces {
public:
    void cut(std::string_view block);
    size_t count() const { return cuts_.size() + 1; }
    const char* from(size_t k) const { return k == 0 ? begin_ : cuts_[k - 1]; }
    const char* to(size_t k) const { return k < cuts_.size() ? cuts_[k] : end_; }

private:
    std::vector<const char*> cuts_;  // where every piece but the first starts
    const char* begin_ = nullptr;
    const char* end_ = nullptr;
};

class HelperThread {
public:
    HelperThread() = default;
    ~HelperThread();
    HelperThread(const HelperThread&) = delete;
    HelperThread& operator=(const HelperThread&) = delete;

    // Runs piece(0) .. piece(count - 1), the two threads taking them in
    // turn as they come free; returns when all have finished.
    void run_pieces(size_t count, const std::function<void(size_t)>& piece);

private:
    bool start();  // false when there is no second thread
    void loop();
    // The next piece to run, under the lock; false when none is left.
    bool take(size_t& i);

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    const std::function<void(size_t)>* piece_ = nullptr;  // the job, while it runs
    size_t count_ = 0;                                    // pieces of the job
    size_t next_ = 0;                                     // the next piece to take
    std::atomic<size_t> finished_ = 0;                    // pieces finished (changed under the lock)
    std::atomic<uint64_t> jobs_ = 0;                      // jobs posted (changed under the lock)
    bool quit_ = false;                                   // the thread is to end
    bool alone_ = false;                                  // no second thread: every piece runs here
};

// Runs span(k, from, to) over [0, n) cut into `count` nearly equal spans,
// on two threads as run_pieces does: for passes over long arrays of samples.
void run_spans(size_t n, size_t count, const std::function<void(size_t k, size_t from, size_t to)>& span);

// Spans for a pass over n samples: one below a million, else several.
inline size_t spans_for(size_t n) { return n < (size_t{1} << 20) ? 1 : 8; }

}  // namespace datrax
