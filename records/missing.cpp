#include "records/missing.h"

#include <numeric>
#include <vector>

#include "records/helper_thread.h"

namespace datrax {

namespace {

std::string_view trimmed(std::string_view f) {
    const size_t a = f.find_first_not_of(' ');
    if (a == std::string_view::npos) return {};
    return f.substr(a, f.find_last_not_of(' ') - a + 1);
}

}  // namespace

bool is_nan_text(std::string_view field) {
    const std::string_view t = trimmed(field);
    if (t.size() != 3) return false;
    const auto lower = [](char c) { return static_cast<char>(c | 0x20); };
    return lower(t[0]) == 'n' && lower(t[1]) == 'a' && lower(t[2]) == 'n';
}

bool is_flag_value(std::string_view field) {
    const std::string_view t = trimmed(field);
    int before = 0;
    bool point = false;
    for (const char c : t) {
        if (c == '.' && !point) {
            point = true;
        } else if (c != '9') {
            return false;
        } else if (!point) {
            ++before;
        }
    }
    return before >= 4;
}

int64_t count_missing(std::span<const REAL> samples) {
    std::vector<int64_t> missing(spans_for(samples.size()));
    run_spans(samples.size(), missing.size(), [&](size_t k, size_t from, size_t to) {
        int64_t m = 0;
        for (const REAL v : samples.subspan(from, to - from)) m += is_missing(v) ? 1 : 0;
        missing[k] = m;
    });
    return std::accumulate(missing.begin(), missing.end(), int64_t{0});
}

}  // namespace datrax
