// The plain list: one sample a line, a time (a number or a date and time)
// and the value, separated by commas, semicolons, blanks or tabs; further
// fields are not read, but a list whose only line holds several pairs (a
// list written as one long line) is refused rather than cut to its first
// pair. Lines before the first line that reads as numbers are
// a header, and the first of them is the title.
#include <string>

#include "console/console.h"
#include "data/list_fields.h"
#include "data/missing.h"
#include "data/reader_attempts.h"

namespace datrax::reader {

namespace {

std::string reason_for(ListLineKind kind, int64_t line_number, const ListLine& l) {
    const std::string at = "List not read: line " + std::to_string(line_number);
    switch (kind) {
        case ListLineKind::NoValue: return at + " has no value after its time";
        case ListLineKind::BadValue: return at + ": \"" + std::string(l.bad.substr(0, 20)) + "\" is not a number";
        default: return at + " is not a time and a value";
    }
}

}  // namespace

Outcome read_list(Context& c) {
    if (!c.reopen()) return Outcome::NotThisFormat;
    REAL* column = Y.column(c.k);
    INTEGER count = 0;
    std::string title;
    std::string_view line;
    int64_t line_number = 0;
    int64_t first_data_line = 0;
    size_t first_after = 0;  // fields after the value on the first data line
    ListLine l;
    while (c.in.next_line(line)) {
        ++line_number;
        const ListLineKind kind = read_list_line(line, l);
        if (kind == ListLineKind::Blank) continue;
        if (kind != ListLineKind::Data) {
            if (count == 0) {
                if (title.empty()) title = line.substr(0, 80);
                continue;
            }
            dset.NPTS(c.k) = count;
            refuse_with_reason(reason_for(kind, line_number, l));
            return Outcome::NotThisFormat;
        }
        if (count == MAXPTS) {
            dset.NPTS(c.k) = count;
            refuse_too_large();
            return Outcome::Refused;
        }
        if (count == 0) {
            first_data_line = line_number;
            first_after = l.after;
            if (l.dated) c.start = static_cast<double>(l.time);
        }
        column[count++] = l.value;
    }
    c.in.close();
    if (count == 0 && line_number > 0) {
        refuse_with_reason("List not read: no line holds a time and a value");
        return Outcome::NotThisFormat;
    }
    if (count == 1 && first_after >= 2) {
        // A list written as one long line: its pairs would all but vanish.
        dset.NPTS(c.k) = count;
        refuse_with_reason("List not read: line " + std::to_string(first_data_line) +
                           " holds more than one time and value");
        return Outcome::NotThisFormat;
    }
    dset.NPTS(c.k) = count;
    dset.TITLE(c.k) = title;
    dset.LTITLE(c.k) = title.empty() ? 0 : LENTXT(dset.TITLE(c.k), -80);
    dset.DT(c.k) = 1.0f;
    dset.DUNIT(c.k) = "no unit";
    dset.TUNIT = "no unit";
    return Outcome::Read;
}

}  // namespace datrax::reader
