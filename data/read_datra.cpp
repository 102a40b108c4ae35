// The DATRA format: title line; count (I10) and interval (G12.5); data
// format, data unit and time unit (3A20); then the samples in the data format.
// A file whose line 3 begins with a usable format list is a DATRA file: a
// failure after that is told with its line and refuses the file, which is
// not tried as another format.
#include <algorithm>
#include <string>

#include "data/calendar.h"
#include "data/reader_attempts.h"
#include "records/fixed_read.h"

namespace datrax::reader {

namespace {

// Line 3 of the file, when there is one, begins with a usable format list.
bool third_line_is_format(Context& c) {
    std::string_view line;
    for (int i = 0; i < 3; ++i) {
        if (!c.in.next_line(line)) return false;
    }
    const std::string_view format = line.substr(0, 20);
    const size_t open = format.find_first_not_of(' ');
    return open != std::string_view::npos && format[open] == '(' && FormatList(format).ok();
}

// The line of the sample that could not be read: the samples read again,
// counting the lines, up to it.
int64_t line_of_failure(Context& c, const FormatList& format, size_t failed_at) {
    if (!c.reopen()) return 0;
    CountedLines in(c.in);
    std::string_view skip;
    for (int i = 0; i < 3; ++i) in.next_line(skip);
    size_t stored = 0;
    read_fixed_reals(in, format, Y.column(c.k), failed_at + 1, stored);
    return in.count();
}

}  // namespace

Outcome read_datra(Context& c) {
    if (!c.reopen() || !third_line_is_format(c) || !c.reopen()) return Outcome::NotThisFormat;
    const INTEGER k = c.k;
    static const FormatList kTitle("(A)"), kCounts("(I10,G12.5)"), kTexts("(3A20)");

    const FieldRef title[] = {dset.TITLE(k).ref()};
    if (read_fixed(c.in, kTitle, title) != ReadOutcome::Done) return Outcome::NotThisFormat;
    dset.LTITLE(k) = left_adjust(dset.TITLE(k), 80);

    INTEGER n = 0;
    REAL dt = 0.0f;
    const FieldRef counts[] = {n, dt};
    if (read_fixed(c.in, kCounts, counts) != ReadOutcome::Done) {
        c.notice("DATRA file not read: line 2 is no count (I10) and interval (G12.5)");
        return Outcome::Refused;
    }
    Text<20> format, dunit, tunit;
    const FieldRef texts[] = {format.ref(), dunit.ref(), tunit.ref()};
    if (read_fixed(c.in, kTexts, texts) != ReadOutcome::Done) return Outcome::NotThisFormat;
    left_adjust(format, 20);
    if (n > MAXPTS) {
        c.too_large();  // checked before anything of it is stored
        return Outcome::Refused;
    }
    dset.DUNIT(k) = dunit;
    dset.TUNIT = tunit;
    c.start = day_file_start(c.path());
    // Stored only now that the file is known to be one of ours, so that a
    // file of another kind never leaves a count claiming old samples.
    dset.NPTS(k) = n;
    dset.DT(k) = dt;

    c.reading("Reading DATRA data ...|");
    const FormatList data_format(format.view());
    size_t stored = 0;
    const ReadOutcome r =
        read_fixed_samples(c.in, data_format, Y.column(k), static_cast<size_t>(std::max(n, 0)), stored);
    if (r == ReadOutcome::Done) return Outcome::Read;
    // The slot never claims samples that this file did not deliver.
    dset.NPTS(k) = static_cast<INTEGER>(stored);
    if (r == ReadOutcome::Error) {
        const int64_t line = line_of_failure(c, data_format, stored);
        c.notice("DATRA file not read: sample " + std::to_string(stored + 1) + " in line " + std::to_string(line) +
                 " is not a number");
        return Outcome::Refused;
    }
    c.notices.push_back({Notice::Kind::EndedEarly, {}});
    return Outcome::EndedEarly;
}

}  // namespace datrax::reader
