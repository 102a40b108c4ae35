#include "data/file_series.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

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

// The date field's positions are counted in the base name, so a series in
// another folder steps as one in the working folder.
DateField in_base_name(const FileName& name, DateField f) {
    const auto base = static_cast<int>(base_name_start(name.trimmed()));
    return {std::min(base + f.first, kNameLength - f.digits + 1), f.digits};
}

// Each character counts as its code minus the code of "0", digit or not.
INTEGER field_value(const FileName& name, DateField f) {
    INTEGER v = 0;
    for (int p = f.first; p < f.first + f.digits; ++p) {
        v = v * 10 + (static_cast<unsigned char>(name(p)) - '0');
    }
    return v;
}

// Leading zeros; the lowest digit last; digits beyond the field dropped.
void put_field(FileName& name, DateField f, INTEGER v) {
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

// Everything a read can change in the slots and the plot names, kept while
// a stepped file is read so that a refused file leaves them as they were.
class SlotsBefore {
public:
    SlotsBefore()
        : data_(dset), plot_names_(gp.PLTNAM), plot_lengths_(gp.NPLT), ndsets_(sel.NDSETS), style_(sel.STYLE) {
        for (INTEGER k = 1; k <= MAXSET; ++k) {
            const REAL* column = Y.column(k);
            samples_[k - 1].assign(column, column + std::clamp(dset.NPTS(k), 0, MAXPTS));
        }
    }
    void restore() const {
        dset = data_;
        gp.PLTNAM = plot_names_;
        gp.NPLT = plot_lengths_;
        sel.NDSETS = ndsets_;
        sel.STYLE = style_;
        for (INTEGER k = 1; k <= MAXSET; ++k) std::copy(samples_[k - 1].begin(), samples_[k - 1].end(), Y.column(k));
    }

private:
    DataSetRecord data_;
    Arr1<FileName, 2> plot_names_;
    Arr1<INTEGER, 2> plot_lengths_;
    INTEGER ndsets_, style_;
    std::vector<REAL> samples_[MAXSET];
};

}  // namespace

FileName stepped_name(const FileName& name, INTEGER iform, bool next) {
    FileName out = name;
    if (iform == FileFormat::Datra || iform == FileFormat::Velk) {
        const DateField field = in_base_name(name, kDayRule);
        const INTEGER number = field_value(name, field);
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
        put_field(out, field, 1000 * year + day);
    } else {
        const DateField field = in_base_name(name, kMonthRule);
        const INTEGER number = field_value(name, field);
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
        put_field(out, field, (100 * year + month) * 100 + day);
    }
    return out;
}

void FEXIST(const Arr1<FileName, 2>& FNAME, const INTEGER& K, INTEGER& STATUS) {
    STATUS = 0;
    if (platform::file_exists(left_trimmed(FNAME(K).trimmed()))) return;
    STATUS = 2;
    ASKYN(0, -scr.MAXROW, "File does not exist. Retry [y/n] --> |", datain.retry, scr.PRMCOL);
    if (datain.retry) STATUS = 1;
}

void NEWFIL(const char& DIR, Arr1<FileName, 2>& FNAME, const INTEGER& K, INTEGER& STATUS) {
    STATUS = 0;
    const INTEGER n = LENTXT(FNAME(K), -kNameLength);
    // Steps go on from the last name stepped to while the slot still holds
    // the file they started from, so a gap in a series can be passed.
    if (!(datain.step_from(K) == FNAME(K))) {
        datain.step_from(K) = FNAME(K);
        datain.step_at(K) = FNAME(K);
    }
    const FileName name = stepped_name(datain.step_at(K), dset.form(K), DIR == 'n');
    datain.step_at(K) = name;
    if (!platform::file_exists(name.trimmed())) {
        show_name(0, scr.MAXROW - 1, "File not found: |", name.view(), n, scr.PRMCOL);
        STATUS = 1;
        return;
    }
    CCLEAR(0, scr.MAXROW - 1, 30, scr.MAXROW - 1);
    const SlotsBefore before;
    FNAME(K) = name.view();
    gp.PLTNAM(K) = name.view();
    SETEXT(gp.PLTNAM(K), "plt");
    gp.NPLT(K) = gp.PLTNAM(K).trimmed_length();
    MSGTXT(0, -scr.MAXROW, "Reading new file ...|", scr.PRMCOL);
    RDFILE(FNAME, K, STATUS);
    if (STATUS == 1) {
        // A plot must never carry one file's name over another's samples.
        before.restore();
        show_name(0, scr.MAXROW - 1, "File not read ... |", name.view(), n, scr.PRMCOL);
        return;
    }
    datain.step_from(K) = FNAME(K);
}

}  // namespace datrax
