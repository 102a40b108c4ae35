// The plain list: one sample a line, a time and the value, separated by
// commas, semicolons, blanks or tabs; further fields are not read, but a
// list whose only line holds several pairs (a list written as one long line)
// is refused rather than cut to its first pair. A pair split over two lines,
// repeat counts (2*1.5) and a slash ending a line are read free-format.
// Lines before the first line that reads as numbers are a header, and the
// first of them is the title. A list whose first data line starts with a
// date and time is a dated list (read_dated_list.cpp).
#include <string>

#include "data/dated_lines.h"
#include "data/list_fields.h"
#include "data/reader_attempts.h"
#include "records/free_read.h"
#include "records/missing.h"

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

// Gives one line again before the rest of its input: a pair the line
// reader leaves to the free-format reader starts on it.
class LineAgain : public LineSource {
public:
    LineAgain(LineSource& in, std::string_view first) : in_(in), first_(first) {}
    bool next_line(std::string_view& line) override {
        ++taken_;
        if (taken_ == 1) {
            line = first_;
            return true;
        }
        return in_.next_line(line);
    }
    bool failed() const override { return in_.failed(); }
    int64_t taken() const { return taken_; }

private:
    LineSource& in_;
    std::string_view first_;
    int64_t taken_ = 0;
};

// The free-format rules a line needs beyond a time and a value (a line of
// a time and a value alone needs none).
bool needs_free_format(std::string_view line, ListLineKind kind, const ListLine& l) {
    if (kind == ListLineKind::Data && l.after == 0) return false;
    return kind == ListLineKind::NoValue || line.find('*') != std::string_view::npos ||
           line.find('/') != std::string_view::npos;
}

// Finds the first data line: true when it starts with a date and time.
bool find_dated_start(Context& c, DatedStart& d) {
    if (!c.reopen()) return false;
    std::string_view line;
    ListLine l;
    std::string_view f[kMaxListFields];
    while (c.in.next_line(line)) {
        ++d.first_line;
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        d.separator = list_separator(line);
        const size_t n = split_list_line(line, d.separator, f);
        const ListStamp s = read_list_stamp(f, n);
        if (s.form != DateForm::None && n > s.used) return true;
        const ListLineKind kind = read_list_line(line, l);
        if (kind != ListLineKind::Text || d.header.size() == 1000) return false;
        d.header.emplace_back(line.substr(0, 200));
    }
    return false;
}

}  // namespace

Outcome read_list(Context& c) {
    DatedStart dated;
    if (find_dated_start(c, dated)) return read_dated_list(c, dated);
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
        ListLineKind kind = read_list_line(line, l);
        if (kind == ListLineKind::Blank) continue;
        if ((kind != ListLineKind::Text || count > 0) && needs_free_format(line, kind, l)) {
            REAL time = 0.0f;
            l.value = kMissing;  // an empty value is missing
            const FieldRef pair[] = {time, l.value};
            LineAgain again(c.in, line);
            if (read_free(again, pair) == ReadOutcome::Done) {
                kind = ListLineKind::Data;
                line_number += again.taken() - 1;
            }
            l.after = 0;
        }
        if (kind != ListLineKind::Data) {
            if (count == 0) {
                if (title.empty()) title = line.substr(0, 80);
                continue;
            }
            dset.NPTS(c.k) = count;
            c.notice(reason_for(kind, line_number, l));
            return Outcome::NotThisFormat;
        }
        if (count == MAXPTS) {
            dset.NPTS(c.k) = count;
            c.too_large();
            return Outcome::Refused;
        }
        if (count == 0) {
            first_data_line = line_number;
            first_after = l.after;
        }
        column[count++] = l.value;
    }
    if (count == 0 && line_number > 0) {
        c.notice("List not read: no line holds a time and a value");
        return Outcome::NotThisFormat;
    }
    if (count == 1 && first_after >= 2) {
        // A list written as one long line: its pairs would all but vanish.
        dset.NPTS(c.k) = count;
        c.notice("List not read: line " + std::to_string(first_data_line) + " holds more than one time and value");
        return Outcome::NotThisFormat;
    }
    dset.NPTS(c.k) = count;
    dset.TITLE(c.k) = title;
    dset.LTITLE(c.k) = title.empty() ? 0 : left_adjust(dset.TITLE(c.k), 80);
    dset.DT(c.k) = 1.0f;
    dset.DUNIT(c.k) = "no unit";
    dset.TUNIT = "no unit";
    return Outcome::Read;
}

}  // namespace datrax::reader
