#include "plots/date_limits.h"

#include <cstdint>
#include <string>

#include "console/console.h"
#include "console/prompts.h"
#include "data/calendar.h"
#include "plots/time_placement.h"

namespace datrax {

namespace {

// Plot time units per axis position.
double units_per_position() { return static_cast<double>(dset.TSCALE) * static_cast<double>(dset.DT(1)); }

double to_seconds(REAL t) {
    return axis_origin() + static_cast<double>(t) / units_per_position() * seconds_per_position();
}

REAL from_seconds(int64_t s) {
    return static_cast<REAL>((static_cast<double>(s) - axis_origin()) / seconds_per_position() * units_per_position());
}

// One limit: the date shown is kept on Enter; false when the answer is no date.
bool ask_date(INTEGER x, INTEGER y, std::string_view prompt, REAL& t) {
    Text<19> answer(format_minutes(to_seconds(t)));
    const Text<19> shown = answer;
    ASKTXT(x, y, prompt, answer, 19, scr.PRMCOL);
    if (answer == shown) return true;
    int64_t seconds = 0;
    if (!parse_date_time(answer.view(), seconds)) {
        bottom_row_notice("Not a date (yyyy-mm-dd hh:mm) : " + std::string(answer.trimmed()) + " --> |", scr.PRMCOL);
        return false;
    }
    t = from_seconds(seconds);
    return true;
}

}  // namespace

void set_date_limits(REAL& LO, REAL& HI) {
    for (;;) {
        if (!ask_date(0, -scr.MAXROW, "Set dates (yyyy-mm-dd hh:mm): Lower -> |", LO)) continue;
        if (!ask_date(-1, 0, " Upper -> |", HI)) continue;
        if (HI > LO) {
            CCLEAR(0, scr.MAXROW, scr.MAXCOL, scr.MAXROW);
            return;
        }
        bottom_row_notice("Incompatible Limits : [" + format_minutes(to_seconds(LO)) + ", " +
                              format_minutes(to_seconds(HI)) + "] redo --> |",
                          scr.PRMCOL);
    }
}

}  // namespace datrax
