#include "data/ggp_fields.h"

#include <algorithm>
#include <cstring>

#include "data/calendar.h"
#include "records/field_conversion.h"
#include "records/missing.h"

namespace datrax {

namespace {

// The next field separated by blanks or tabs; false at the end of the line.
bool next_field(std::string_view line, size_t& pos, std::string_view& field) {
    while (pos < line.size() && is_blank(line[pos])) ++pos;
    if (pos >= line.size()) return false;
    const size_t start = pos;
    while (pos < line.size() && !is_blank(line[pos])) ++pos;
    field = line.substr(start, pos - start);
    return true;
}

bool is_exponent_letter(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// A value that is a flag (9999.999) is missing.
void drop_flag(std::string_view field, REAL& out) {
    // Flags are at least 9999, so most values are never looked at twice.
    if (out >= 9999.0f && is_flag_value(field)) out = kMissing;
}

}  // namespace

bool read_sample_value(std::string_view field, REAL& out, bool flags) {
    for (size_t i = 1; i < field.size(); ++i) {
        if ((field[i] == '+' || field[i] == '-') && !is_exponent_letter(field[i - 1])) return false;
    }
    if (convert_real(field, 0, out)) {
        if (flags) drop_flag(field, out);
        return true;
    }
    if (!is_nan_text(field)) return false;
    out = kMissing;
    return true;
}

namespace {

// Ends of the stated fields (date, time, gravity, pressure), as offsets.
constexpr size_t kFieldEnds[] = {8, 15, 25, 35};

std::string_view columns(std::string_view line, size_t from, size_t to) {
    return from >= line.size() ? std::string_view() : line.substr(from, to - from);
}

// An I2 field from column from + 1: two digits at once, else by the record
// rules (blanks ignored, a sign).
bool two_digit_field(std::string_view line, size_t from, INTEGER& out) {
    if (from + 2 <= line.size()) {
        const unsigned a = static_cast<unsigned>(line[from] - '0'), b = static_cast<unsigned>(line[from + 1] - '0');
        if (a < 10 && b < 10) {
            out = static_cast<INTEGER>(a * 10 + b);
            return true;
        }
    }
    return convert_integer(columns(line, from, from + 2), out);
}

// A value field of the stated columns: blank is missing, else F10.6.
bool read_column_value(std::string_view field, REAL& out) {
    const ScannedReal scanned = scan_field(field, 6);
    if (scanned.kind == ScannedReal::Kind::Blank) {
        out = kMissing;
        return true;
    }
    if (scanned.kind != ScannedReal::Kind::Number || !round_real(scanned, field, 6, out)) {
        if (!is_nan_text(field)) return false;
        out = kMissing;
        return true;
    }
    drop_flag(field, out);
    return true;
}

// The two value fields of the stated columns, gravity and pressure.
constexpr size_t kGravityFrom = 15, kPressureFrom = 25, kValueWidth = 10;

// Kept out of line: the quick way below stays small.
[[gnu::noinline]] bool read_column_values(std::string_view line, GgpRecord& r) {
    return read_column_value(columns(line, kGravityFrom, kGravityFrom + kValueWidth), r.gravity) &&
           read_column_value(columns(line, kPressureFrom, kPressureFrom + kValueWidth), r.pressure);
}

#if defined(DATRAX_FIELD_PAIRS)
// Both values at once, with their points where `expected` says.
DATRAX_WIDE bool convert_value_pair(const char* line, const FieldPair& pair, const PairPoints& expected, REAL* two) {
    return convert_field_pair(line, pair, expected, two);
}
#endif

// Gravity and pressure into two[0] and two[1].
bool convert_values_at_once(const char* line, const FieldPair& pair, const PairPoints& expected, REAL* two) {
#if defined(DATRAX_FIELD_PAIRS)
    return field_pairs() && convert_value_pair(line, pair, expected, two);
#else
    (void)line;
    (void)pair;
    (void)expected;
    (void)two;
    return false;
#endif
}

// The two digits at p[at], known to be digits.
INTEGER two_digits(const char* p, size_t at) { return (p[at] - '0') * 10 + (p[at + 1] - '0'); }

int64_t seconds_of_day(INTEGER hour, INTEGER minute, INTEGER second) {
    return (int64_t{hour} * 60 + minute) * 60 + second;
}

// Flags (9999.999) in the two value columns are missing values.
void drop_value_flags(std::string_view line, REAL& gravity, REAL& pressure) {
    drop_flag(line.substr(kGravityFrom, kValueWidth), gravity);
    drop_flag(line.substr(kPressureFrom, kValueWidth), pressure);
}

GgpLineKind marker_kind(INTEGER year) {
    switch (year) {
        case 7777: return GgpLineKind::Skip;
        case 9999: return GgpLineKind::EndBlock;
        case 8888: return GgpLineKind::EndFile;
        default: return GgpLineKind::Data;
    }
}

}  // namespace

bool fits_ggp_columns(std::string_view line) {
    if (std::memchr(line.data(), '\t', line.size())) return false;
    size_t from = 0;
    for (const size_t end : kFieldEnds) {
        if (from >= line.size()) break;
        // A token crosses the end of the field.
        if (end < line.size() && line[end - 1] != ' ' && line[end] != ' ') return false;
        // A field ending in its last column may hold a value with blanks
        // inside; any other holds one token at most.
        if (end <= line.size() && line[end - 1] != ' ') {
            from = end;
            continue;
        }
        int tokens = 0;
        for (size_t i = from; i < std::min(end, line.size()); ++i) {
            tokens += line[i] != ' ' && (i == from || line[i - 1] == ' ');
        }
        if (tokens > 1) return false;
        from = end;
    }
    return true;
}

namespace {

// The line as a station writes it: eight date digits, a blank, six time
// digits, and the two values each ending in its last column, with a blank
// in front of each and nothing but blanks or the line's end after them.
// Such a line fits the stated columns (fits_ggp_columns) and begins with
// its year, so it goes to them without the token checks.
bool in_written_shape(std::string_view line) {
    if (line.size() < 35 || (line.size() > 35 && line[35] != ' ')) return false;
    const char* p = line.data();
    uint64_t date, time;
    std::memcpy(&date, p, 8);
    std::memcpy(&time, p + 7, 8);  // the last date digit, the blank and the time
    const auto all_digits = [](uint64_t v, uint64_t mask) {
        // Every byte of the mask 0x30..0x39: its high nibble 3, its low nibble below 10.
        const uint64_t low = v & 0x0F0F0F0F0F0F0F0F & mask;
        return ((v & 0xF0F0F0F0F0F0F0F0 & mask) == (0x3030303030303030 & mask)) &&
               (((low + 0x0606060606060606) & 0xF0F0F0F0F0F0F0F0 & mask) == 0);
    };
    constexpr uint64_t kAll = ~uint64_t{0}, kTimeDigits = 0xFFFFFFFFFFFF0000;
    return all_digits(date, kAll) && p[8] == ' ' && all_digits(time, kTimeDigits) && p[15] == ' ' && p[24] != ' ' &&
           p[25] == ' ' && p[34] != ' ' && (line.size() == 35 || !std::memchr(p + 35, '\t', line.size() - 35));
}

}  // namespace

bool GgpFieldReader::set_time(std::string_view date, INTEGER month, GgpRecord& r) {
    const bool month_read = month >= 1 && month <= 12;
    r.month_given = month_read;
    r.month = month_read ? month : month_;
    month_ = r.month;
    if (!month_read || !have_date_ || date.size() != 8 || std::memcmp(date_, date.data(), 8) != 0) {
        if (r.year < -9999 || r.year > 99999) return false;
        day_start_ = (days_from_civil(r.year, r.month, 1) + r.day - 1) * 86400;
        have_date_ = month_read && date.size() == 8;
        if (have_date_) std::memcpy(date_, date.data(), 8);
    }
    r.time = day_start_ + seconds_of_day(r.hour, r.minute, r.second);
    return true;
}

GgpLineKind GgpFieldReader::read_fixed(std::string_view line, GgpRecord& r) {
    INTEGER month = 0;
    if (!two_digit_field(line, 4, month)) month = 0;  // unread by the layout: the line before's month
    if (!two_digit_field(line, 6, r.day) || !two_digit_field(line, 9, r.hour) || !two_digit_field(line, 11, r.minute) ||
        !two_digit_field(line, 13, r.second) || !set_time(columns(line, 0, 8), month, r))
        return GgpLineKind::Error;
    return read_column_values(line, r) ? GgpLineKind::Data : GgpLineKind::Error;
}

GgpLineKind GgpFieldReader::read_written(std::string_view line, GgpRecord& r) {
    const char* p = line.data();
    r.day = two_digits(p, 6);
    r.hour = two_digits(p, 9);
    r.minute = two_digits(p, 11);
    r.second = two_digits(p, 13);
    if (!set_time(line.substr(0, 8), two_digits(p, 4), r)) return GgpLineKind::Error;
    return read_whole_column_values(line, r) ? GgpLineKind::Data : GgpLineKind::Error;
}

// The two value columns as one pair of fields.
const FieldPair& GgpFieldReader::value_pair() {
    static const FieldPair pair = [] {
        FieldPair p;
        p.plan(kGravityFrom, kValueWidth, 6, kPressureFrom, kValueWidth, 6, kPressureFrom + kValueWidth);
        return p;
    }();
    return pair;
}

PairPoints GgpFieldReader::expect_values(PointPlace gravity, PointPlace pressure) const {
    PairPoints e;
    e.expect(value_pair_, gravity, pressure);
    return e;
}

// The values of a line that holds both fields whole: plain numbers the quick
// way, both at once where the processor can, else one after the other so
// that their conversions overlap.
bool GgpFieldReader::read_whole_column_values(std::string_view line, GgpRecord& r) {
    const char* p = line.data();
    if (REAL two[2]; convert_values_at_once(p, value_pair_, value_points_, two)) {
        r.gravity = two[0];
        r.pressure = two[1];
    } else {
        if (!convert_plain_real_in_line(p + kGravityFrom, kValueWidth, false, 6, gravity_point_, r.gravity) ||
            !convert_plain_real_in_line(p + kPressureFrom, kValueWidth, false, 6, pressure_point_, r.pressure))
            return read_column_values(line, r);
        // Only a moved point changes what the pair expects.
        if (!value_points_.expects(gravity_point_, pressure_point_))
            value_points_ = expect_values(gravity_point_, pressure_point_);
    }
    drop_value_flags(line, r.gravity, r.pressure);
    return true;
}

GgpLineKind GgpFieldReader::read_fields(std::string_view line, GgpRecord& r) {
    size_t pos = 0;
    std::string_view date, time, value;
    next_field(line, pos, date);
    INTEGER ymd = 0, hms = 0;
    if (date.size() != 8 || !digits_value(date, 9, ymd)) return GgpLineKind::Error;
    r.day = ymd % 100;
    if (!next_field(line, pos, time) || time.size() > 6 || !digits_value(time, 9, hms)) return GgpLineKind::Error;
    r.hour = hms / 10000;
    r.minute = hms / 100 % 100;
    r.second = hms % 100;
    if (!set_time(date, ymd / 100 % 100, r)) return GgpLineKind::Error;
    if (!next_field(line, pos, value) || !read_sample_value(value, r.gravity)) return GgpLineKind::Error;
    if (!next_field(line, pos, value)) {
        r.pressure = kMissing;
        return GgpLineKind::Data;
    }
    return read_sample_value(value, r.pressure) ? GgpLineKind::Data : GgpLineKind::Error;
}

bool GgpFieldReader::read_plain(std::string_view line, int64_t& ms, REAL& gravity, REAL& pressure) const {
    // The date read last was a data line's, its month given: not a marker.
    const char* p = line.data();
    REAL two[2];
    if (!have_date_ || !in_written_shape(line) || std::memcmp(p, date_, 8) != 0 ||
        !convert_values_at_once(p, value_pair_, value_points_, two))
        return false;
    drop_value_flags(line, two[0], two[1]);
    ms = (day_start_ + seconds_of_day(two_digits(p, 9), two_digits(p, 11), two_digits(p, 13))) * 1000;
    gravity = two[0];
    pressure = two[1];
    return true;
}

GgpLineKind GgpFieldReader::read(std::string_view line, GgpRecord& r) {
    if (in_written_shape(line)) {
        r.year = ((line[0] - '0') * 10 + (line[1] - '0')) * 100 + (line[2] - '0') * 10 + (line[3] - '0');
        if (const GgpLineKind marker = marker_kind(r.year); marker != GgpLineKind::Data) return marker;
        if (read_written(line, r) == GgpLineKind::Data) return GgpLineKind::Data;
    }
    size_t pos = 0;
    std::string_view first;
    if (!next_field(line, pos, first)) return GgpLineKind::Blank;
    if (first.size() < 4 || !digits_value(first.substr(0, 4), 9, r.year)) return GgpLineKind::Error;
    if (const GgpLineKind marker = marker_kind(r.year); marker != GgpLineKind::Data) return marker;
    const bool fits = fits_ggp_columns(line);
    if (fits) {
        if (convert_integer(columns(line, 0, 4), r.year) && read_fixed(line, r) == GgpLineKind::Data)
            return GgpLineKind::Data;
    }
    const GgpRecord before = r;
    const GgpLineKind by_fields = read_fields(line, r);
    if (by_fields != GgpLineKind::Error || fits || line.find('\t') != std::string_view::npos) return by_fields;
    // Values that fill their columns touch one another: the tokens alone
    // cannot be read, the stated columns can.
    GgpRecord glued = before;
    if (!convert_integer(columns(line, 0, 4), glued.year) || read_fixed(line, glued) != GgpLineKind::Data)
        return by_fields;
    r = glued;
    return GgpLineKind::Data;
}

}  // namespace datrax
