// The VELK day files: records of the second of the day and 10 gravity
// values one second apart (g files) or 6 pairs of a counter and a pressure
// value ten seconds apart (p files), up to the record that starts at the last
// sampling second of the day. The seconds place the values: seconds a file
// skips are missing samples, a record that goes back is skipped.
#include <algorithm>
#include <vector>

#include "data/calendar.h"
#include "data/free_read.h"
#include "data/missing.h"
#include "data/reader_attempts.h"
#include "data/time_grid.h"

namespace datrax::reader {

namespace {

struct Layout {
    int values;          // values per record
    bool paired;         // each value preceded by an INTEGER that is not used
    INTEGER last_second; // the record starting here is the last one
    int64_t step;        // seconds between the values of a record
    const char* message;
    const char* tunit;
};

constexpr Layout kGravity{10, false, 86390, 1, "Reading VELK gravity ...|", "sec"};
constexpr Layout kPressure{6, true, 86340, 10, "Reading VELK pressure ...|", "min"};

Outcome read_records(Context& c, const Layout& l) {
    if (!c.reopen()) return Outcome::NotThisFormat;
    show_reading(l.message);
    INTEGER second = 0;
    INTEGER unused[6] = {};
    REAL v[10] = {};
    std::vector<FieldRef> fields{second};
    for (int i = 0; i < l.values; ++i) {
        if (l.paired) fields.emplace_back(unused[i]);
        fields.emplace_back(v[i]);
    }
    REAL* column = Y.column(c.k);
    TimeGrid grid(l.step);
    Outcome result = Outcome::NotThisFormat;
    for (;;) {
        std::fill(std::begin(v), std::end(v), kMissing);  // an empty value is missing, never an old sample
        if (read_free(c.in, fields) != ReadOutcome::Done) break;  // also a file without its closing record
        const int64_t index = grid.place(second);
        if (index > MAXPTS - l.values + 1) {
            refuse_too_large();  // the closing second never came
            result = Outcome::Refused;
            break;
        }
        if (index > 0) {
            std::fill(column + grid.last(), column + index - 1, kMissing);
            std::copy_n(v, l.values, column + index - 1);
            grid.filled_to(index - 1 + l.values);
        }
        if (second >= l.last_second) {
            result = Outcome::Read;
            break;
        }
    }
    // The number of values this file actually delivered.
    if (grid.last() > 0 || result == Outcome::Read) dset.NPTS(c.k) = static_cast<INTEGER>(grid.last());
    if (result != Outcome::Read) return result;
    dset.TITLE(c.k) = c.name.view();
    dset.LTITLE(c.k) = c.name_len;
    dset.DT(c.k) = 1.0f;
    dset.DUNIT(c.k) = "volt";
    dset.TUNIT = l.tunit;
    c.start = day_file_start(c.path()) + static_cast<double>(grid.first_time());
    // A pressure file's interval reads 1 min, but its values lie ten seconds
    // apart: the calendar axis places them by their true times.
    c.interval = static_cast<double>(l.step);
    report_skipped_lines(grid.skipped());
    return Outcome::Read;
}

}  // namespace

Outcome read_velk(Context& c) {
    const char first = c.name(1);
    if (first == 'g') return read_records(c, kGravity);
    if (first == 'p') return read_records(c, kPressure);
    return Outcome::NotThisFormat;
}

}  // namespace datrax::reader
