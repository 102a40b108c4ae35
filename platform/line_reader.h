// Sequential reading of a text file line by line through one buffer: no
// allocation per line, lines handed out as views into the buffer. The buffer
// grows for a long line, so a line is never cut: one longer than the limit
// ends the reading with a failure the caller can report.
#pragma once
#include <cstddef>
#include <memory>
#include <string_view>

namespace datrax::platform {

// A line without one trailing carriage return: the "\r" of a "\r\n" line end.
inline std::string_view without_carriage_return(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

class LineReader {
public:
    // The longest line read by default: far beyond any data file's line.
    static constexpr size_t kMaxLine = size_t{1} << 28;

    enum class Failure {
        None,
        NotRegular,   // open: a FIFO, device, socket or folder
        LineTooLong,  // a line longer than the limit: reading stopped there
        ReadError,    // the system refused a read: reading stopped there
    };

    explicit LineReader(size_t max_line = kMaxLine);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Opens the named file (see native_path); closes a file already open.
    // Only a regular file is opened, and never with a wait: a FIFO or a
    // device is refused at once (failure() says NotRegular). The file is
    // read up to the size it had when opened, so a file that keeps growing
    // still ends.
    bool open(std::string_view name);
    void close();
    bool is_open() const { return fd_ >= 0; }
    Failure failure() const { return failure_; }

    // The next line without its "\n" and without one trailing "\r".
    // False at the end of the file, or when reading failed (see failure()).
    // The view stays valid until the next call.
    bool next_line(std::string_view& line);
    // The complete lines now in the buffer (reading more when it holds none),
    // for a caller that splits them itself, e.g. among threads: every line of
    // the block ends with "\n" and is to be taken as next_line gives it,
    // without one trailing "\r". Empty where the next line must come from
    // next_line: at the end of the file or after a failure, for a last line
    // without a line end, and where a line does not fit the buffer. The
    // block stays valid through the next call of next_block (which reads
    // into a second buffer) up to the call after it, or a call of next_line.
    std::string_view next_block();

private:
    // Moves unread bytes to the front, grows a full buffer and reads more;
    // false when nothing came.
    bool refill();
    // The same into the other buffer, which then becomes the buffer: the
    // bytes of this one stay as they are.
    bool refill_other();
    // Reads into the buffer after its unread bytes; false when nothing came.
    bool read_more();
    void fail(Failure why);

    size_t max_line_;
    int fd_ = -1;
    std::unique_ptr<char[]> buf_;
    std::unique_ptr<char[]> other_;  // the second buffer of next_block, of the same capacity
    size_t capacity_ = 0;
    size_t begin_ = 0;      // first unread byte
    size_t end_ = 0;        // one past the last byte read
    size_t remaining_ = 0;  // bytes of the file not yet read, by its size at open
    Failure failure_ = Failure::None;
};

}  // namespace datrax::platform
