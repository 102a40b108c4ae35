#include "records/helper_thread.h"

#include <atomic>
#include <cstring>
#include <system_error>

namespace datrax {

namespace {
std::atomic<bool> two_threads_allowed{true};
}  // namespace

void set_two_reading_threads(bool allowed) { two_threads_allowed = allowed; }

bool two_reading_threads() { return two_threads_allowed && std::thread::hardware_concurrency() >= 2; }

void LinePieces::cut(std::string_view block) {
    cuts_.clear();
    begin_ = block.data();
    end_ = begin_ + block.size();
    for (const char* p = begin_; end_ - p > static_cast<std::ptrdiff_t>(2 * kPieceBytes);) {
        const void* nl = std::memchr(p + kPieceBytes, '\n', static_cast<size_t>(end_ - p) - kPieceBytes);
        if (!nl) break;
        p = static_cast<const char*>(nl) + 1;
        cuts_.push_back(p);
    }
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

bool HelperThread::take(size_t& i) {
    if (!piece_ || next_ >= count_) return false;
    i = next_++;
    return true;
}

namespace {
// A wait between two blocks is shorter than waking a sleeping thread takes:
// a waiting thread first spins this many turns (some 50 microseconds)
// before it sleeps.
constexpr int kSpins = 4000;

void spin_pause() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

// Spins until done() holds or the turns run out.
template <class Done>
void spin_until(Done done) {
    for (int i = 0; i < kSpins && !done(); ++i) spin_pause();
}
}  // namespace

void HelperThread::run_pieces(size_t count, const std::function<void(size_t)>& piece) {
    if (count < 2 || !start()) {
        for (size_t i = 0; i < count; ++i) piece(i);
        return;
    }
    std::unique_lock lock(mutex_);
    piece_ = &piece;
    count_ = count;
    next_ = 0;
    finished_ = 0;
    jobs_.fetch_add(1, std::memory_order_release);
    changed_.notify_all();
    for (size_t i; take(i);) {
        lock.unlock();
        piece(i);
        lock.lock();
        ++finished_;
    }
    // Only a piece the helper holds can be left: wait for it.
    if (finished_ != count) {
        lock.unlock();
        spin_until([&] { return finished_.load(std::memory_order_acquire) == count; });
        lock.lock();
    }
    changed_.wait(lock, [this] { return finished_ == count_; });
    piece_ = nullptr;
}

void HelperThread::loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        size_t i = 0;
        while (!quit_ && !take(i)) {
            // While a file is read, the next job comes soon.
            const uint64_t seen = jobs_.load(std::memory_order_relaxed);
            lock.unlock();
            spin_until([&] { return jobs_.load(std::memory_order_acquire) != seen; });
            lock.lock();
            changed_.wait(lock, [&] { return quit_ || jobs_.load(std::memory_order_relaxed) != seen; });
        }
        if (quit_) return;  // only asked once no job runs
        const std::function<void(size_t)>& piece = *piece_;
        lock.unlock();
        piece(i);
        lock.lock();
        if (++finished_ == count_) changed_.notify_all();
    }
}

void run_spans(size_t n, size_t count, const std::function<void(size_t, size_t, size_t)>& span) {
    if (count < 2) {
        span(0, 0, n);
        return;
    }
    HelperThread helper;
    helper.run_pieces(count, [&](size_t k) { span(k, n * k / count, n * (k + 1) / count); });
}

}  // namespace datrax
