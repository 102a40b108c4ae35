#include "data/rdfile.h"

#include "console/console.h"
#include "console/prompts.h"
#include "data/reader_attempts.h"

namespace datrax {

namespace reader {

void refuse_too_large() {
    bottom_row_notice("File too large for DATRAX, recompile...|", scr.PRMCOL);
}

void show_reading(std::string_view text) { MSGTXT(0, -scr.MAXROW, text, scr.PRMCOL); }

}  // namespace reader

void RDFILE(Arr1<Text<40>, 2>& FNAME, const INTEGER& K, INTEGER& STATUS) {
    using reader::Outcome;
    const INTEGER iform_on_entry = dset.IFORM;
    reader::Context c;
    c.k = K;
    c.name = FNAME(K).view();
    c.name_len = LENTXT(c.name, -40);

    dset.IFORM = 1;
    Outcome r = reader::read_datra(c);
    if (r == Outcome::NotThisFormat) {
        dset.IFORM = 2;
        r = reader::read_velk(c);
    }
    if (r == Outcome::NotThisFormat) {
        dset.IFORM = 3;
        r = reader::read_ggp(c);
    }
    if (r == Outcome::NotThisFormat) {
        dset.IFORM = 4;
        r = reader::read_list(c);
    }
    c.in.close();
    if (r == Outcome::EndedEarly) STATUS = 2;
    if (r == Outcome::Refused || r == Outcome::NotThisFormat) {
        STATUS = 1;
        // One unreadable file must not switch the series to the other date rule.
        dset.IFORM = iform_on_entry;
    }
}

}  // namespace datrax
