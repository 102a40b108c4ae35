#include "data/units.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include "console/console.h"
#include "console/prompts.h"
#include "data/calendar.h"

namespace datrax {

namespace {

struct UnitName {
    std::string_view name;
    INTEGER code;
};
constexpr UnitName kUnitNames[] = {
    {"s", 1}, {"sec", 1}, {"min", 2}, {"mins", 2}, {"hr", 3}, {"hour", 3}, {"day", 4}, {"days", 4},
};

constexpr double kSecondsPerCode[] = {0.0, 1.0, 60.0, 3600.0, 86400.0};  // by unit code 1..4

constexpr std::string_view kUnitTitles[] = {"sec", "min", "hour", "day"};
constexpr INTEGER kHour = 3;  // the calendar axis counts its times in hours

// Left-adjusts a unit text and lower-cases its trimmed part.
void normalise_unit(Text<20>& unit) {
    const INTEGER len = LENTXT(unit, -20);
    LOWCAS(unit, len);
}

template <int N>
INTEGER left_adjusted_length(Text<N>& text) {
    return LENTXT(text, -N);
}

// Left-adjusts and lower-cases the time unit and the data units of a read.
void normalise_read_units() {
    normalise_unit(dset.TUNIT);
    // The GGP and list readers set their units as they are shown ("hPa",
    // "cmH2O" from a header).
    for (INTEGER k = 1; k <= sel.NDSETS && k <= 2; ++k) {
        if (dset.form(k) != FileFormat::Ggp && dset.form(k) != FileFormat::List) normalise_unit(dset.DUNIT(k));
    }
}

// The code of the (normalised) time unit; -1 when it is not a standard one.
INTEGER time_unit_code() {
    for (const UnitName& u : kUnitNames)
        if (dset.TUNIT == u.name) return u.code;
    return -1;
}

}  // namespace

void TFACTS() {
    constexpr REAL hours_per_day = 24.0f, seconds_per_hour = 3600.0f, sixty = 60.0f;
    auto& t = dset.TFAC;
    for (int i = 1; i <= 4; ++i) t(i, i) = 1.0f;
    t(1, 2) = 1.0f / sixty;
    t(1, 3) = 1.0f / seconds_per_hour;
    t(1, 4) = 1.0f / (seconds_per_hour * hours_per_day);
    t(2, 1) = sixty;
    t(2, 3) = 1.0f / sixty;
    t(2, 4) = 1.0f / (sixty * hours_per_day);
    t(3, 1) = seconds_per_hour;
    t(3, 2) = sixty;
    t(3, 4) = 1.0f / hours_per_day;
    t(4, 1) = seconds_per_hour * hours_per_day;
    t(4, 2) = sixty * hours_per_day;
    t(4, 3) = hours_per_day;
    pp.LSUBTD = left_adjusted_length(pp.SUBTD);
    pp.LSUBTH = left_adjusted_length(pp.SUBTH);
}

INTEGER TUNITS() {
    normalise_read_units();
    INTEGER code = time_unit_code();
    if (code < 0) {
        SHOWTX(0, -scr.MAXROW, "Nonstandard time units : |", dset.TUNIT.view(), dset.TUNIT.trimmed_length(),
               scr.PRMCOL);
        LOGICAL keep = false;
        ASKYN(-1, 0, " Keep [y/n] --> |", keep, scr.PRMCOL);
        if (!keep) return 1;
        code = 0;
    }
    dset.ITU = code;
    pp.ITUP = code;
    AXLABS();
    return 0;
}

void follow_stepped_units(const Text<20>& shown_unit) {
    normalise_read_units();
    const INTEGER code = std::max(time_unit_code(), 0);
    if (code == dset.ITU && dset.TUNIT == shown_unit.view()) return;
    dset.ITU = code;
    AXLABS();
}

void AXLABS() {
    for (int kind = 1; kind <= 2; ++kind) {
        pp.AXTITX(kind) = "";
        pp.AXTITY(kind) = "";
    }
    pp.AXTITY2 = "";
    if (pp.ITUP == kCalendarUnit)
        pp.AXTITX(1) = "date (" + data_time_zone() + ")";
    else
        pp.AXTITX(1) = pp.ITUP >= 1 && pp.ITUP <= 4 ? kUnitTitles[pp.ITUP - 1] : dset.TUNIT.view();
    pp.AXTITY(1) = dset.DUNIT(1).view();
    pp.AXTITX(2) = dset.DUNIT(1).view();
    pp.AXTITY(2) = "relative frequency";
    pp.AXTITY2 = dset.DUNIT(2).view();
    for (int kind = 1; kind <= 2; ++kind) {
        pp.LAXTX(kind) = left_adjusted_length(pp.AXTITX(kind));
        pp.LAXTY(kind) = left_adjusted_length(pp.AXTITY(kind));
    }
    pp.LAXTY2 = left_adjusted_length(pp.AXTITY2);
    // User units (or a plotting unit of 0) have no entry in the table: factor 1.
    // Calendar time keeps the window and the marks in hours.
    const INTEGER unit = pp.ITUP == kCalendarUnit ? kHour : pp.ITUP;
    dset.TSCALE = dset.ITU <= 0 || dset.ITU > 4 || unit <= 0 || unit > 4 ? 1.0f : dset.TFAC(dset.ITU, unit);
}

double seconds_per_time_unit(std::string_view unit) {
    Text<20> name(unit);
    normalise_unit(name);
    for (const UnitName& u : kUnitNames)
        if (name == u.name) return kSecondsPerCode[u.code];
    return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace datrax
