#include "data/file_series.h"

#include <cstdlib>

#include "console/console.h"
#include "console/prompts.h"
#include "data/rdfile.h"
#include "platform/files.h"

namespace datrax {

namespace {

// The date field of a rule: first position and number of digits.
struct DateField {
    int first;
    int digits;
};
constexpr DateField kDayRule{2, 5};    // yyddd
constexpr DateField kMonthRule{3, 6};  // yymmdd

// Each character counts as its code minus the code of "0", digit or not.
INTEGER field_value(const Text<40>& name, DateField f) {
    INTEGER v = 0;
    for (int p = f.first; p < f.first + f.digits; ++p) {
        v = v * 10 + (static_cast<unsigned char>(name(p)) - '0');
    }
    return v;
}

// Leading zeros; the lowest digit last; digits beyond the field dropped.
void put_field(Text<40>& name, DateField f, INTEGER v) {
    int64_t u = std::llabs(static_cast<int64_t>(v));
    for (int p = f.first + f.digits - 1; p >= f.first; --p) {
        name(p) = static_cast<char>('0' + u % 10);
        u /= 10;
    }
}

void step_year(INTEGER& year, bool next) {
    year += next ? 1 : -1;
    if (year == 100) year = 0;
    if (year == -1) year = 99;
}

std::string_view left_trimmed(std::string_view s) {
    const size_t first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : s.substr(first);
}

}  // namespace

Text<40> stepped_name(const Text<40>& name, INTEGER iform, bool next) {
    Text<40> out = name;
    if (iform == 1 || iform == 2) {
        const INTEGER number = field_value(name, kDayRule);
        INTEGER year = number / 1000;
        INTEGER day = number - 1000 * year;
        day += next ? 1 : -1;
        if (day > 366) {  // every year has 366 days here
            step_year(year, true);
            day = 1;
        } else if (day == 0) {
            step_year(year, false);
            day = 366;
        }
        put_field(out, kDayRule, 1000 * year + day);
    } else {
        const INTEGER number = field_value(name, kMonthRule);
        const INTEGER t = number / 100;
        INTEGER year = t / 100;
        INTEGER month = t - 100 * year;
        const INTEGER day = number - 100 * t;
        month += next ? 1 : -1;
        if (month == 13) {
            step_year(year, true);
            month = 1;
        } else if (month == 0) {
            step_year(year, false);
            month = 12;
        }
        put_field(out, kMonthRule, (100 * year + month) * 100 + day);
    }
    return out;
}

void FEXIST(const Arr1<Text<40>, 2>& FNAME, const INTEGER& K, INTEGER& STATUS) {
    STATUS = 0;
    if (platform::file_exists(left_trimmed(FNAME(K).trimmed()))) return;
    STATUS = 2;
    ASKYN(0, -scr.MAXROW, "File does not exist. Retry [y/n] --> |", datain.retry, scr.PRMCOL);
    if (datain.retry) STATUS = 1;
}

void NEWFIL(const char& DIR, Arr1<Text<40>, 2>& FNAME, const INTEGER& K, INTEGER& STATUS) {
    STATUS = 0;
    const INTEGER n = LENTXT(FNAME(K), -40);
    // Each slot steps by the rule of its own file.
    const Text<40> name = stepped_name(FNAME(K), dset.form(K), DIR == 'n');
    FNAME(K) = name.view();
    if (!platform::file_exists(name.trimmed())) {
        // The slot keeps the stepped name, so a further step passes the gap.
        SHOWTX(0, scr.MAXROW - 1, "File not found: |", name.view(), n, scr.PRMCOL);
        STATUS = 1;
        return;
    }
    CCLEAR(0, scr.MAXROW - 1, 30, scr.MAXROW - 1);
    gp.PLTNAM(K) = name.view();
    SETEXT(gp.PLTNAM(K), "plt");
    gp.NPLT(K) = gp.PLTNAM(K).trimmed_length();
    MSGTXT(0, -scr.MAXROW, "Reading new file ...|", scr.PRMCOL);
    RDFILE(FNAME, K, STATUS);
    if (STATUS == 1) SHOWTX(0, scr.MAXROW - 1, "File not read ... |", name.view(), n, scr.PRMCOL);
}

}  // namespace datrax
