#include "platform/line_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/files.h"

namespace datrax::platform {

namespace {
// The first buffer: one large read, enough for every line of ordinary files.
constexpr size_t kInitialCapacity = size_t{1} << 20;
}  // namespace

LineReader::LineReader(size_t max_line) : max_line_(max_line) {}

LineReader::~LineReader() { close(); }

bool LineReader::open(std::string_view name) {
    close();
    failure_ = Failure::None;
    if (name.empty()) return false;
    const std::string path = native_path(name);
    // O_NONBLOCK: opening a FIFO without a writer must not wait for one.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) return false;
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        close();
        failure_ = Failure::NotRegular;
        return false;
    }
    remaining_ = static_cast<size_t>(std::max<off_t>(st.st_size, 0));
    if (!buf_) {
        capacity_ = kInitialCapacity;
        buf_.reset(new char[capacity_]);
    }
    begin_ = end_ = 0;
    return true;
}

void LineReader::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    begin_ = end_ = 0;
    remaining_ = 0;
}

void LineReader::fail(Failure why) {
    failure_ = why;
    remaining_ = 0;
    begin_ = end_;
}

bool LineReader::refill() {
    if (fd_ < 0 || remaining_ == 0) return false;
    if (begin_ > 0) {
        std::memmove(buf_.get(), buf_.get() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == capacity_) {
        // A line fills the buffer: double it (the limit bounds the growth).
        std::unique_ptr<char[]> bigger(new char[capacity_ * 2]);
        std::memcpy(bigger.get(), buf_.get(), end_);
        buf_ = std::move(bigger);
        other_.reset();
        capacity_ *= 2;
    }
    return read_more();
}

bool LineReader::refill_other() {
    if (fd_ < 0 || remaining_ == 0 || end_ - begin_ == capacity_) return false;
    if (!other_) other_.reset(new char[capacity_]);
    std::memcpy(other_.get(), buf_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
    std::swap(buf_, other_);
    return read_more();
}

bool LineReader::read_more() {
    for (;;) {
        const size_t want = std::min(capacity_ - end_, remaining_);
        const ssize_t got = ::read(fd_, buf_.get() + end_, want);
        if (got > 0) {
            end_ += static_cast<size_t>(got);
            remaining_ -= static_cast<size_t>(got);
            return true;
        }
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) fail(Failure::ReadError);
        remaining_ = 0;  // the file shrank while read: it ends here
        return false;
    }
}

bool LineReader::next_line(std::string_view& line) {
    if (fd_ < 0 || failure_ != Failure::None) return false;
    size_t scanned = 0;  // bytes after begin_ known to hold no line end
    size_t len = 0;
    for (;;) {
        const size_t avail = end_ - begin_;
        const char* start = buf_.get() + begin_;
        const void* nl = std::memchr(start + scanned, '\n', avail - scanned);
        if (nl) {
            len = static_cast<size_t>(static_cast<const char*>(nl) - start);
            break;
        }
        if (avail > max_line_) {
            fail(Failure::LineTooLong);
            return false;
        }
        scanned = avail;
        if (refill()) continue;
        if (failure_ != Failure::None || avail == 0) return false;
        len = avail;  // the last line has no line end
        break;
    }
    if (len > max_line_) {
        fail(Failure::LineTooLong);
        return false;
    }
    const char* start = buf_.get() + begin_;
    begin_ = std::min(begin_ + len + 1, end_);
    line = without_carriage_return({start, len});
    return true;
}

std::string_view LineReader::next_block() {
    if (fd_ < 0 || failure_ != Failure::None) return {};
    // The lines left in the buffer, else those of one read into the other.
    for (bool read = false;; read = true) {
        const char* start = buf_.get() + begin_;
        const size_t avail = end_ - begin_;
        if (const void* nl = ::memrchr(start, '\n', avail)) {
            const size_t len = static_cast<size_t>(static_cast<const char*>(nl) - start) + 1;
            // Only next_line measures lines against the limit.
            if (len > max_line_) return {};
            begin_ += len;
            return {start, len};
        }
        if (read || avail > max_line_ || !refill_other()) return {};
    }
}

}  // namespace datrax::platform
