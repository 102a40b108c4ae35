#include "data/list_fields.h"

#include "data/ggp_fields.h"
#include "records/field_conversion.h"
#include "records/missing.h"

namespace datrax {

namespace {

constexpr size_t kMaxFields = 4;  // time, value, two more to look at

bool is_comma(char c) { return c == ',' || c == ';'; }

size_t split_fields(std::string_view line, std::string_view* out) {
    size_t n = 0, pos = 0;
    bool field_expected = true;  // a comma now encloses an empty field
    while (pos < line.size() && n < kMaxFields) {
        const char c = line[pos];
        if (is_blank(c)) {
            ++pos;
        } else if (is_comma(c)) {
            if (field_expected) out[n++] = {};
            field_expected = true;
            ++pos;
        } else {
            const size_t start = pos;
            while (pos < line.size() && !is_blank(line[pos]) && !is_comma(line[pos])) ++pos;
            out[n++] = line.substr(start, pos - start);
            field_expected = false;
        }
    }
    return n;
}

}  // namespace

ListLineKind read_list_line(std::string_view line, ListLine& out) {
    std::string_view f[kMaxFields];
    const size_t n = split_fields(line, f);
    if (n == 0) return ListLineKind::Blank;
    const size_t used = 1;
    REAL time = 0.0f;
    if (!read_sample_value(f[0], time, false)) return ListLineKind::Text;
    if (n <= used) return ListLineKind::NoValue;
    const std::string_view v = f[used];
    out.after = n - used - 1;
    if (v.empty()) {
        out.value = kMissing;
        return ListLineKind::Data;
    }
    if (read_sample_value(v, out.value, false)) return ListLineKind::Data;
    out.bad = v;
    return ListLineKind::BadValue;
}

}  // namespace datrax
