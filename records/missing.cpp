#include "records/missing.h"

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
    int64_t missing = 0;
    for (const REAL v : samples) missing += is_missing(v) ? 1 : 0;
    return missing;
}

}  // namespace datrax
