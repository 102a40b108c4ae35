// The plain list: pairs of values read free-format; the first of each pair
// is not used, the second is the sample.
#include "data/free_read.h"
#include "data/reader_attempts.h"

namespace datrax::reader {

Outcome read_list(Context& c) {
    if (!c.reopen()) return Outcome::NotThisFormat;
    REAL unused = 0.0f, value = 0.0f;
    const FieldRef pair[] = {unused, value};
    REAL* column = Y.column(c.k);
    INTEGER count = 0;
    for (;;) {
        value = 0.0f;  // an empty value reads as 0, never as an old sample
        const ReadOutcome r = read_free(c.in, pair);
        if (r == ReadOutcome::End) break;
        if (r == ReadOutcome::Error || count == MAXPTS) {
            if (count > 0) dset.NPTS(c.k) = count;
            if (r == ReadOutcome::Error) return Outcome::NotThisFormat;
            refuse_too_large();
            return Outcome::Refused;
        }
        column[count++] = value;
    }
    c.in.close();
    dset.NPTS(c.k) = count;
    dset.TITLE(c.k) = "";
    dset.LTITLE(c.k) = 0;
    dset.DT(c.k) = 1.0f;
    dset.DUNIT(c.k) = "no unit";
    dset.TUNIT = "no unit";
    return Outcome::Read;
}

}  // namespace datrax::reader
