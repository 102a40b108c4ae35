// The DATRA format: title line; count (I10) and interval (G12.5); data
// format, data unit and time unit (3A20); then the samples in the data format.
#include <algorithm>

#include "console/console.h"
#include "console/prompts.h"
#include "data/calendar.h"
#include "data/fixed_read.h"
#include "data/reader_attempts.h"

namespace datrax::reader {

Outcome read_datra(Context& c) {
    if (!c.reopen()) return Outcome::NotThisFormat;
    const INTEGER k = c.k;
    static const FormatList kTitle("(A)"), kCounts("(I10,G12.5)"), kTexts("(3A20)");

    const FieldRef title[] = {dset.TITLE(k).ref()};
    if (read_fixed(c.in, kTitle, title) != ReadOutcome::Done) return Outcome::NotThisFormat;
    dset.LTITLE(k) = LENTXT(dset.TITLE(k), -80);

    INTEGER n = 0;
    REAL dt = 0.0f;
    const FieldRef counts[] = {n, dt};
    if (read_fixed(c.in, kCounts, counts) != ReadOutcome::Done) return Outcome::NotThisFormat;
    // Line 3 must show a DATRA file before its count can refuse it: a second
    // line of a GGP file or a list of time stamps is no count.
    Text<20> format, dunit, tunit;
    const FieldRef texts[] = {format.ref(), dunit.ref(), tunit.ref()};
    if (read_fixed(c.in, kTexts, texts) != ReadOutcome::Done) return Outcome::NotThisFormat;
    LENTXT(format, -20);
    if (format(1) != '(') return Outcome::NotThisFormat;
    if (n > MAXPTS) {
        refuse_too_large();  // checked before anything of it is stored
        return Outcome::Refused;
    }
    dset.DUNIT(k) = dunit;
    dset.TUNIT = tunit;
    c.start = day_file_start(c.path());
    // Stored only now that the file is known to be one of ours, so that a
    // file of another kind never leaves a count claiming old samples.
    dset.NPTS(k) = n;
    dset.DT(k) = dt;

    show_reading("Reading DATRA data ...|");
    const FormatList data_format(format.view());
    size_t stored = 0;
    const ReadOutcome r =
        read_fixed_samples(c.in, data_format, Y.column(k), static_cast<size_t>(std::max(n, 0)), stored);
    if (r == ReadOutcome::Done) return Outcome::Read;
    // The slot never claims samples that this file did not deliver.
    dset.NPTS(k) = static_cast<INTEGER>(stored);
    if (r == ReadOutcome::Error) return Outcome::NotThisFormat;
    MSGTXT(-1, 0, "..unexpected end of data - hit Enter|", scr.PRMCOL);
    WAITKY();
    return Outcome::EndedEarly;
}

}  // namespace datrax::reader
