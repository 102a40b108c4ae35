#include "platform/line_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/files.h"

namespace datrax::platform {

namespace {
// Room for the longest line plus one large read behind it.
constexpr size_t kChunk = size_t{1} << 18;
constexpr size_t kCapacity = LineReader::kMaxLine + kChunk;
}  // namespace

LineReader::LineReader() = default;

LineReader::~LineReader() { close(); }

bool LineReader::open(std::string_view name) {
    close();
    if (name.empty()) return false;
    const std::string path = native_path(name);
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return false;
    if (!buf_) buf_.reset(new char[kCapacity]);
    begin_ = end_ = 0;
    eof_ = false;
    skipping_ = false;
    return true;
}

void LineReader::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    begin_ = end_ = 0;
    eof_ = true;
}

bool LineReader::refill() {
    if (eof_ || fd_ < 0) return false;
    if (begin_ > 0) {
        std::memmove(buf_.get(), buf_.get() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    while (end_ < kCapacity) {
        const ssize_t got = ::read(fd_, buf_.get() + end_, kCapacity - end_);
        if (got > 0) {
            end_ += static_cast<size_t>(got);
            return true;
        }
        if (got < 0 && errno == EINTR) continue;
        eof_ = true;  // end of file, or a failure that ends the file for us
        return false;
    }
    return false;
}

bool LineReader::skip_rest_of_cut_line() {
    for (;;) {
        const void* nl = std::memchr(buf_.get() + begin_, '\n', end_ - begin_);
        if (nl) {
            begin_ = static_cast<size_t>(static_cast<const char*>(nl) - buf_.get()) + 1;
            skipping_ = false;
            return true;
        }
        begin_ = end_;
        if (!refill()) {
            skipping_ = false;
            return false;
        }
    }
}

bool LineReader::next_line(std::string_view& line) {
    if (fd_ < 0) return false;
    if (skipping_ && !skip_rest_of_cut_line()) return false;
    size_t scanned = 0;  // bytes after begin_ known to hold no line end
    for (;;) {
        char* start = buf_.get() + begin_;
        const size_t avail = end_ - begin_;
        const void* nl = std::memchr(start + scanned, '\n', avail - scanned);
        size_t len = 0;
        if (nl) {
            len = static_cast<size_t>(static_cast<const char*>(nl) - start);
            begin_ += len + 1;
            if (len > kMaxLine) {
                line = std::string_view(start, kMaxLine);
                return true;
            }
        } else if (avail >= kMaxLine) {
            line = std::string_view(start, kMaxLine);
            begin_ += kMaxLine;
            skipping_ = true;
            return true;
        } else {
            scanned = avail;
            if (refill()) continue;
            if (avail == 0) return false;
            len = avail;  // the last line has no line end
            begin_ = end_;
        }
        if (len > 0 && start[len - 1] == '\r') --len;
        line = std::string_view(start, len);
        return true;
    }
}

}  // namespace datrax::platform
