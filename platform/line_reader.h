// Sequential reading of a text file line by line through one fixed buffer:
// no allocation per line, lines handed out as views into the buffer.
#pragma once
#include <cstddef>
#include <memory>
#include <string_view>

namespace datrax::platform {

class LineReader {
public:
    // Lines longer than this are cut to it; the rest of such a line is skipped.
    static constexpr size_t kMaxLine = size_t{1} << 20;

    LineReader();
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Opens the named file (see native_path); closes a file already open.
    bool open(std::string_view name);
    void close();
    bool is_open() const { return fd_ >= 0; }

    // The next line without its "\n" and without one trailing "\r".
    // False at the end of the file (or after a read failure). The view stays
    // valid until the next call.
    bool next_line(std::string_view& line);

private:
    // Moves unread bytes to the front and reads more; false when nothing came.
    bool refill();
    // Discards the rest of a line that was cut; false at the end of the file.
    bool skip_rest_of_cut_line();

    int fd_ = -1;
    std::unique_ptr<char[]> buf_;
    size_t begin_ = 0;  // first unread byte
    size_t end_ = 0;    // one past the last byte read
    bool eof_ = false;
    bool skipping_ = false;  // the last line was cut: its rest is still unread
};

}  // namespace datrax::platform
