// The VELK day files: records of the second of the day and 10 gravity
// values one second apart (g files) or 6 pairs of a counter and a pressure
// value ten seconds apart (p files), up to the record that starts at the last
// sampling second of the day. A file whose name and first record are VELK's
// is VELK: its day always holds the samples up to midnight (86,400 or 8,640
// from midnight), seconds a file skips are missing samples, a record that
// goes back is skipped, a file that ends early has the rest of its day
// missing, and a record that cannot be read refuses the file with its reason.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "data/calendar.h"
#include "data/reader_attempts.h"
#include "data/time_grid.h"
#include "records/field_conversion.h"
#include "records/free_read.h"
#include "records/missing.h"

namespace datrax::reader {

namespace {

struct Layout {
    int values;           // values per record
    bool paired;          // each value preceded by an INTEGER that is not used
    INTEGER last_second;  // the record starting here is the last one
    int64_t step;         // seconds between the values of a record
    const char* message;
    const char* record;  // what a record holds, for the reason of a failure
};

constexpr Layout kGravity{10, false, 86390, 1, "Reading VELK gravity ...|", "a second and 10 values"};
constexpr Layout kPressure{6, true, 86340, 10, "Reading VELK pressure ...|", "a second and 6 pairs"};
constexpr int64_t kDay = 86400;

std::string clock_text(int64_t second) {
    const CivilTime t = civil_time(second);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return buf;
}

// The first line is a whole record: a second of the day and the values,
// nothing more. A list that merely starts with numbers is no VELK file.
bool first_line_is_record(Context& c, const Layout& l) {
    std::string_view line;
    if (!c.reopen() || !c.in.next_line(line)) return false;
    size_t tokens = 0, pos = 0;
    INTEGER second = -1;
    while (pos < line.size()) {
        const size_t from = line.find_first_not_of(" \t,", pos);
        if (from == std::string_view::npos) break;
        pos = std::min(line.size(), line.find_first_of(" \t,", from));
        if (tokens++ == 0 && !digits_value(line.substr(from, pos - from), 5, second)) return false;
    }
    return second < kDay && tokens == static_cast<size_t>(1 + l.values * (l.paired ? 2 : 1));
}

Outcome read_records(Context& c, const Layout& l) {
    if (!first_line_is_record(c, l) || !c.reopen()) return Outcome::NotThisFormat;
    CountedLines in(c.in);
    INTEGER second = 0;
    INTEGER unused[6] = {};
    REAL v[10] = {};
    std::vector<FieldRef> fields{second};
    for (int i = 0; i < l.values; ++i) {
        if (l.paired) fields.emplace_back(unused[i]);
        fields.emplace_back(v[i]);
    }
    REAL* column = Y.column(c.k);
    int64_t first = -1, samples = 0, filled = 0, records = 0;
    INTEGER skipped = 0;
    int64_t first_skipped_line = 0;
    for (;;) {
        std::fill(std::begin(v), std::end(v), kMissing);  // an empty value is missing, never an old sample
        const ReadOutcome r = read_free(in, fields);
        if (r != ReadOutcome::Done && records == 0) return Outcome::NotThisFormat;
        if (r == ReadOutcome::Error) {
            dset.NPTS(c.k) = static_cast<INTEGER>(filled);
            c.notice("VELK file not read: line " + std::to_string(in.count()) + " is not " + l.record);
            return Outcome::Refused;
        }
        if (r == ReadOutcome::End) {
            c.notice("VELK day ends at " + clock_text(first + filled * l.step) + ", the rest is missing");
            break;
        }
        if (records++ == 0) {
            if (second < 0 || second >= kDay) return Outcome::NotThisFormat;  // no second of a day
            c.reading(l.message);
            first = second;
            samples = (kDay - first + l.step - 1) / l.step;
        }
        // The nearest sample of the grid from the first record on (of two as
        // near, the earlier: a record never runs past the day's end for it).
        const int64_t index = (static_cast<int64_t>(second) - first + (l.step - 1) / 2) / l.step;
        if (second < first || index < filled) {
            if (skipped++ == 0) first_skipped_line = in.count();
        } else if (index < samples) {
            std::fill(column + filled, column + index, kMissing);
            const int64_t n = std::min<int64_t>(l.values, samples - index);
            std::copy_n(v, n, column + index);
            filled = index + n;
        }
        if (second >= l.last_second) break;
    }
    std::fill(column + filled, column + samples, kMissing);
    dset.NPTS(c.k) = static_cast<INTEGER>(samples);
    title_from_name(c, c.k);
    dset.DT(c.k) = interval_in_unit(static_cast<double>(l.step), dset.TUNIT);
    dset.DUNIT(c.k) = "volt";
    c.start = day_file_start(c.path()) + static_cast<double>(first);
    c.interval = static_cast<double>(l.step);
    c.skipped_lines(skipped, first_skipped_line);
    return Outcome::Read;
}

}  // namespace

Outcome read_velk(Context& c) {
    const char first = c.base_name().empty() ? ' ' : c.base_name().front();
    if (first == 'g') return read_records(c, kGravity);
    if (first == 'p') return read_records(c, kPressure);
    return Outcome::NotThisFormat;
}

}  // namespace datrax::reader
