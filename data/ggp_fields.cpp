#include "data/ggp_fields.h"

#include <cstring>

#include "data/calendar.h"
#include "data/field_conversion.h"
#include "data/missing.h"

namespace datrax {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

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

}  // namespace

bool read_sample_value(std::string_view field, REAL& out, bool flags) {
    for (size_t i = 1; i < field.size(); ++i) {
        if ((field[i] == '+' || field[i] == '-') && !is_exponent_letter(field[i - 1])) return false;
    }
    if (convert_real(field, 0, out)) {
        // Flags are at least 9999, so most values are never looked at twice.
        if (flags && out >= 9999.0f && is_flag_value(field)) out = kMissing;
        return true;
    }
    if (!is_nan_text(field)) return false;
    out = kMissing;
    return true;
}

GgpLineKind GgpFieldReader::read(std::string_view line, GgpRecord& r) {
    size_t pos = 0;
    std::string_view date, time, value;
    if (!next_field(line, pos, date)) return GgpLineKind::Blank;
    INTEGER ymd = 0;
    if (date.size() < 4 || !digits_value(date.substr(0, 4), 9, r.year)) return GgpLineKind::Error;
    if (r.year == 7777) return GgpLineKind::Skip;
    if (r.year == 9999) return GgpLineKind::EndBlock;
    if (r.year == 8888) return GgpLineKind::EndFile;
    if (date.size() != 8 || !digits_value(date, 9, ymd)) return GgpLineKind::Error;
    r.month = ymd / 100 % 100;
    r.day = ymd % 100;
    INTEGER hms = 0;
    if (!next_field(line, pos, time) || time.size() > 6 || !digits_value(time, 9, hms)) return GgpLineKind::Error;
    r.hour = hms / 10000;
    r.minute = hms / 100 % 100;
    r.second = hms % 100;
    if (!have_date_ || std::memcmp(date_, date.data(), 8) != 0) {
        int64_t t = 0;
        if (!epoch_seconds(r.year, r.month, r.day, 0, 0, 0, t)) return GgpLineKind::Error;
        std::memcpy(date_, date.data(), 8);
        day_start_ = t;
        have_date_ = true;
    }
    if (r.hour > 23 || r.minute > 59 || r.second > 60) return GgpLineKind::Error;
    r.time = day_start_ + (r.hour * 60 + r.minute) * 60 + r.second;
    if (!next_field(line, pos, value) || !read_sample_value(value, r.gravity)) return GgpLineKind::Error;
    if (!next_field(line, pos, value)) {
        r.pressure = kMissing;
        return GgpLineKind::Data;
    }
    return read_sample_value(value, r.pressure) ? GgpLineKind::Data : GgpLineKind::Error;
}

}  // namespace datrax
