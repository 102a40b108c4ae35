#include <string>

#include "data/reader_attempts.h"
#include "data/time_grid.h"

namespace datrax::reader {

void Context::skipped_lines(INTEGER skipped, int64_t first_line) {
    if (skipped > 0) notice(skipped_lines_notice(skipped, first_line));
}

void title_from_name(const Context& c, INTEGER k) {
    constexpr size_t kTitleWidth = 40;
    const std::string title = shown_name(c.path(), kTitleWidth);
    dset.TITLE(k) = title;
    dset.LTITLE(k) = static_cast<INTEGER>(title.size());
}

}  // namespace datrax::reader
