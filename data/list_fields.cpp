#include "data/list_fields.h"

#include "data/calendar.h"
#include "data/field_conversion.h"
#include "data/ggp_fields.h"
#include "data/missing.h"

namespace datrax {

namespace {

constexpr size_t kMaxFields = 4;  // time (two fields when dated), value, one more to look at

bool is_blank(char c) { return c == ' ' || c == '\t'; }
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

// Digits only (at most 4): their value.
bool number_of(std::string_view s, int& v) { return digits_value(s, 4, v); }

// "yyyy-mm-dd" or "yyyy/mm/dd", with "Thh:mm[:ss]" attached or the clock
// time in the next field (which is then used up).
bool read_date_time(const std::string_view* f, size_t n, size_t& used, int64_t& t) {
    std::string_view d = f[0];
    if (d.size() < 8 || (d[4] != '-' && d[4] != '/')) return false;
    std::string_view clock;
    used = 1;
    if (const size_t tpos = d.find('T'); tpos != std::string_view::npos) {
        clock = d.substr(tpos + 1);
        d = d.substr(0, tpos);
    } else if (n > 1 && f[1].find(':') != std::string_view::npos) {
        clock = f[1];
        used = 2;
    }
    const char sep = d[4];
    const size_t m_end = d.find(sep, 5);
    if (m_end == std::string_view::npos) return false;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!number_of(d.substr(0, 4), year) || !number_of(d.substr(5, m_end - 5), month) ||
        !number_of(d.substr(m_end + 1), day))
        return false;
    if (!clock.empty()) {
        const size_t c1 = clock.find(':');
        const size_t c2 = clock.find(':', c1 + 1);
        std::string_view sec = c2 == std::string_view::npos ? std::string_view{} : clock.substr(c2 + 1);
        sec = sec.substr(0, sec.find('.'));  // fractions of a second are not kept
        if (!number_of(clock.substr(0, c1), hour) ||
            !number_of(clock.substr(c1 + 1, (c2 == std::string_view::npos ? clock.size() : c2) - c1 - 1), minute) ||
            (!sec.empty() && !number_of(sec, second)))
            return false;
    }
    return epoch_seconds(year, month, day, hour, minute, second, t);
}

}  // namespace

ListLineKind read_list_line(std::string_view line, ListLine& out) {
    std::string_view f[kMaxFields];
    const size_t n = split_fields(line, f);
    if (n == 0) return ListLineKind::Blank;
    size_t used = 1;
    out.dated = read_date_time(f, n, used, out.time);
    REAL time = 0.0f;
    if (!out.dated && !read_sample_value(f[0], time, false)) return ListLineKind::Text;
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
