#include "records/line_source.h"

namespace datrax {

bool TextLines::next_line(std::string_view& line) {
    if (done_ || rest_.empty()) {
        done_ = true;
        return false;
    }
    const size_t nl = rest_.find('\n');
    if (nl == std::string_view::npos) {
        line = rest_;
        rest_ = {};
        done_ = true;
    } else {
        line = rest_.substr(0, nl);
        rest_.remove_prefix(nl + 1);
    }
    line = platform::without_carriage_return(line);
    return true;
}

bool TextLines::rewind() {
    rest_ = text_;
    done_ = false;
    return true;
}

// The complete lines of about a megabyte, as a file's buffer gives them: a
// last line without a line end is left to next_line.
std::string_view TextLines::next_block() {
    constexpr size_t kBlockBytes = size_t{1} << 20;
    if (done_) return {};
    size_t nl = rest_.rfind('\n', kBlockBytes - 1);
    if (nl == std::string_view::npos) nl = rest_.find('\n');
    if (nl == std::string_view::npos) return {};
    const std::string_view block = rest_.substr(0, nl + 1);
    rest_.remove_prefix(nl + 1);
    return block;
}

}  // namespace datrax
