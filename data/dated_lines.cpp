#include "data/dated_lines.h"

#include <cmath>

#include "data/calendar.h"
#include "data/ggp_fields.h"
#include "records/field_conversion.h"
#include "records/missing.h"

namespace datrax {

namespace {

constexpr int64_t kDayMs = 86400000;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::string_view trim(std::string_view f) {
    while (!f.empty() && (f.front() == ' ' || f.front() == '\t')) f.remove_prefix(1);
    while (!f.empty() && (f.back() == ' ' || f.back() == '\t')) f.remove_suffix(1);
    if (f.size() >= 2 && f.front() == '"' && f.back() == '"') f = f.substr(1, f.size() - 2);
    return f;
}

// Digits from pos: their value and how many (at most `most`).
size_t take_number(std::string_view s, size_t pos, size_t most, int& v) {
    size_t n = 0;
    v = 0;
    while (pos + n < s.size() && n < most && is_digit(s[pos + n])) v = v * 10 + (s[pos + n++] - '0');
    return n;
}

// "h:mm", "hh:mm:ss" or "hh:mm:ss.fff", a trailing Z allowed: milliseconds
// of the day (24:00 is the next midnight).
bool read_clock(std::string_view s, int64_t& ms) {
    if (!s.empty() && (s.back() == 'Z' || s.back() == 'z')) s.remove_suffix(1);
    int h = 0, m = 0, sec = 0;
    size_t p = take_number(s, 0, 2, h);
    if (p == 0 || p >= s.size() || s[p] != ':') return false;
    const size_t nm = take_number(s, p + 1, 2, m);
    if (nm != 2) return false;
    p += 1 + nm;
    int64_t frac = 0;
    if (p < s.size()) {
        if (s[p] != ':' || take_number(s, p + 1, 2, sec) != 2) return false;
        p += 3;
        if (p < s.size()) {
            if (s[p] != '.' && s[p] != ',') return false;
            int64_t scale = 100;
            for (++p; p < s.size(); ++p, scale /= 10) {
                if (!is_digit(s[p])) return false;
                frac += (s[p] - '0') * scale;
            }
        }
    }
    if (h > 24 || m > 59 || sec > 60) return false;
    ms = ((int64_t{h} * 60 + m) * 60 + sec) * 1000 + frac;
    return true;
}

// The clock after a date in the same field (after a blank or a T), or in
// the next field; none is midnight.
bool clock_after(std::string_view rest, const std::string_view* f, size_t n, ListStamp& s, int64_t& ms) {
    ms = 0;
    s.used = 1;
    if (!rest.empty()) {
        if (rest[0] != ' ' && rest[0] != 'T') return false;
        return read_clock(trim(rest.substr(1)), ms);
    }
    if (n > 1 && f[1].find(':') != std::string_view::npos) {
        s.used = 2;
        return read_clock(f[1], ms);
    }
    return true;
}

bool date_ms(int64_t year, int month, int day, int64_t ms_of_day, int64_t& out) {
    if (!valid_date(year, month, day)) return false;
    out = days_from_civil(year, month, day) * kDayMs + ms_of_day;
    return true;
}

bool is_date_mark(char c) { return c == '-' || c == '/' || c == '.'; }

// yyyy-mm-dd, yyyy/mm/dd or yyyy.mm.dd.
bool year_first(const std::string_view* f, size_t n, ListStamp& s) {
    const std::string_view d = f[0];
    int y = 0, m = 0, day = 0;
    if (take_number(d, 0, 4, y) != 4 || d.size() < 8 || !is_date_mark(d[4])) return false;
    const size_t nm = take_number(d, 5, 2, m);
    if (nm == 0 || 5 + nm >= d.size() || d[5 + nm] != d[4]) return false;
    const size_t nd = take_number(d, 6 + nm, 2, day);
    int64_t clock = 0;
    if (nd == 0 || !clock_after(d.substr(6 + nm + nd), f, n, s, clock)) return false;
    s.form = DateForm::YearFirst;
    return date_ms(y, m, day, clock, s.ms);
}

// dd/mm/yyyy, mm/dd/yyyy, dd.mm.yyyy: the order is the file's to decide.
bool year_last(const std::string_view* f, size_t n, ListStamp& s) {
    const std::string_view d = f[0];
    int a = 0, b = 0, y = 0;
    const size_t na = take_number(d, 0, 2, a);
    if (na == 0 || na >= d.size() || !is_date_mark(d[na])) return false;
    const size_t nb = take_number(d, na + 1, 2, b);
    const size_t at_year = na + 1 + nb + 1;
    if (nb == 0 || at_year > d.size() || d[at_year - 1] != d[na]) return false;
    if (take_number(d, at_year, 4, y) != 4) return false;
    int64_t clock = 0;
    if (a < 1 || b < 1 || a > 31 || b > 31 || !clock_after(d.substr(at_year + 4), f, n, s, clock)) return false;
    s.form = DateForm::YearLast;
    s.first = a;
    s.second = b;
    s.ms = ((int64_t{y} * 32 + a) * 32 + b) * kDayMs + clock;
    return true;
}

bool all_digits(std::string_view f, size_t lo, size_t hi) {
    if (f.size() < lo || f.size() > hi) return false;
    for (const char c : f) {
        if (!is_digit(c)) return false;
    }
    return true;
}

// yyyymmdd hhmmss.
bool compact(const std::string_view* f, size_t n, ListStamp& s) {
    if (n < 3 || !all_digits(f[0], 8, 8) || !all_digits(f[1], 6, 6)) return false;
    int y = 0, m = 0, d = 0, hh = 0, mm = 0, ss = 0;
    take_number(f[0], 0, 4, y);
    take_number(f[0], 4, 2, m);
    take_number(f[0], 6, 2, d);
    take_number(f[1], 0, 2, hh);
    take_number(f[1], 2, 2, mm);
    take_number(f[1], 4, 2, ss);
    if (hh > 24 || mm > 59 || ss > 60) return false;
    s.form = DateForm::Compact;
    s.used = 2;
    return date_ms(y, m, d, ((int64_t{hh} * 60 + mm) * 60 + ss) * 1000, s.ms);
}

// yy mm dd hh mm ss (or yyyy mm dd hh mm ss) in six fields.
bool six_fields(const std::string_view* f, size_t n, ListStamp& s) {
    if (n < 7 || !(all_digits(f[0], 2, 2) || all_digits(f[0], 4, 4))) return false;
    int v[6] = {};
    for (size_t i = 0; i < 6; ++i) {
        if (i > 0 && !all_digits(f[i], 1, 2)) return false;
        take_number(f[i], 0, 4, v[i]);
    }
    if (f[0].size() == 2) v[0] += v[0] >= 70 ? 1900 : 2000;
    if (v[3] > 24 || v[4] > 59 || v[5] > 60) return false;
    s.form = DateForm::SixFields;
    s.used = 6;
    return date_ms(v[0], v[1], v[2], ((int64_t{v[3]} * 60 + v[4]) * 60 + v[5]) * 1000, s.ms);
}

// Seconds since 1970 of 1973 to 2103: nine or ten digits, a fraction allowed.
bool unix_seconds(const std::string_view* f, size_t n, ListStamp& s) {
    const std::string_view t = f[0];
    const size_t point = t.find('.');
    if (n < 2 || !all_digits(t.substr(0, point), 9, 10) ||
        (point != std::string_view::npos && !all_digits(t.substr(point + 1), 1, 9)))
        return false;
    double v = 0;
    for (const char c : t) {
        if (c == '.') break;
        v = v * 10 + (c - '0');
    }
    if (point != std::string_view::npos) {
        double scale = 0.1;
        for (const char c : t.substr(point + 1)) {
            v += (c - '0') * scale;
            scale /= 10;
        }
    }
    if (v < 1e8 || v > 4.2e9) return false;
    s.form = DateForm::Unix;
    s.used = 1;
    s.ms = std::llround(v * 1000.0);
    return true;
}

}  // namespace

namespace {

// Where the double quote that closes a quoted field starting at pos stands
// (a doubled quote inside stands for one); npos when the field is not quoted
// or its quote never closes.
size_t closing_quote(std::string_view line, size_t pos) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    if (pos >= line.size() || line[pos] != '"') return std::string_view::npos;
    for (size_t q = line.find('"', pos + 1); q != std::string_view::npos; q = line.find('"', q + 2)) {
        if (q + 1 >= line.size() || line[q + 1] != '"') return q;
    }
    return std::string_view::npos;
}

}  // namespace

size_t split_list_line(std::string_view line, char sep, std::string_view* out) {
    size_t n = 0, pos = 0;
    if (sep == ' ') {
        while (n < kMaxListFields) {
            while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
            if (pos >= line.size()) break;
            const size_t from = pos;
            while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') ++pos;
            const bool last = n + 1 == kMaxListFields;
            out[n++] = trim(last ? line.substr(from) : line.substr(from, pos - from));
        }
        return n;
    }
    if (trim(line).empty()) return 0;
    while (n < kMaxListFields) {
        const bool last = n + 1 == kMaxListFields;
        const size_t close = last ? std::string_view::npos : closing_quote(line, pos);
        const size_t end =
            last ? std::string_view::npos : line.find(sep, close == std::string_view::npos ? pos : close);
        const std::string_view field =
            line.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        out[n++] = trim(field);  // also drops the quotes
        if (end == std::string_view::npos) break;
        pos = end + 1;
    }
    return n;
}

char list_separator(std::string_view line) {
    if (line.find(';') != std::string_view::npos) return ';';
    if (line.find('\t') != std::string_view::npos) return '\t';
    if (line.find(',') != std::string_view::npos) return ',';
    return ' ';
}

ListStamp read_list_stamp(const std::string_view* f, size_t n) {
    ListStamp s;
    if (n == 0 || f[0].empty()) return s;
    if (year_first(f, n, s) || year_last(f, n, s) || compact(f, n, s) || six_fields(f, n, s) || unix_seconds(f, n, s))
        return s;
    return ListStamp{};
}

bool year_last_time(int64_t key, bool day_first, int64_t& ms) {
    const int64_t day_key = key / kDayMs;
    const auto b = static_cast<int>(day_key % 32), a = static_cast<int>(day_key / 32 % 32);
    const int64_t y = day_key / 1024;
    return date_ms(y, day_first ? b : a, day_first ? a : b, key % kDayMs, ms);
}

bool read_list_value(std::string_view field, bool decimal_comma, float& out) {
    field = trim(field);
    if (field.empty()) {
        out = kMissing;
        return true;
    }
    const size_t comma = field.find(',');
    if (!decimal_comma || comma == std::string_view::npos || field.size() > 64)
        return read_sample_value(field, out, false);
    char buf[64];
    for (size_t i = 0; i < field.size(); ++i) buf[i] = field[i] == ',' ? '.' : field[i];
    return read_sample_value({buf, field.size()}, out, false);
}

}  // namespace datrax
