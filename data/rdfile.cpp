#include "data/rdfile.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/prompts.h"
#include "data/reader_attempts.h"
#include "data/units.h"
#include "platform/window.h"
#include "records/missing.h"

namespace datrax {

namespace {

// A notice answered by a key on the message line: " - hit Enter" where the
// row has room for it, the notice itself cut to the row where it has not.
void notice_and_key(std::string text) {
    constexpr std::string_view kKey = " - hit Enter";
    const size_t width = static_cast<size_t>(std::clamp(scr.MAXCOL + 1, 20, 80));
    if (text.size() + kKey.size() <= width) {
        text += kKey;
    } else {
        text.resize(std::min(text.size(), width));
    }
    bottom_row_notice(text + "|", scr.PRMCOL);
}

// The lines of a GGP read error stay on the rows above the message line
// until a key, and go to standard error too.
void show_ggp_failure(const std::vector<std::string>& lines) {
    INTEGER row = scr.MAXROW - static_cast<INTEGER>(lines.size());
    for (const std::string& l : lines) {
        write_long_line(0, -row++, l, scr.PRMCOL);
        platform::window().console_line(l);
    }
    bottom_row_notice("GGP file not read - hit Enter|", scr.PRMCOL);
    for (row = scr.MAXROW - static_cast<INTEGER>(lines.size()); row < scr.MAXROW; ++row)
        CCLEAR(0, row, scr.MAXCOL, row);
}

void show(const reader::Notice& n) {
    using Kind = reader::Notice::Kind;
    switch (n.kind) {
        case Kind::Key: notice_and_key(n.lines.front()); break;
        case Kind::TooLarge: bottom_row_notice("File too large for DATRAX, recompile...|", scr.PRMCOL); break;
        case Kind::EndedEarly:
            MSGTXT(-1, 0, "..unexpected end of data - hit Enter|", scr.PRMCOL);
            WAITKY();
            break;
        case Kind::GgpFailure: show_ggp_failure(n.lines); break;
    }
}

// What the caller and the plots need to know of each slot the file filled.
void record_slot(INTEGER k, INTEGER form, const reader::Context& c) {
    dset.form(k) = form;
    dset.start(k) = c.start;
    dset.latitude(k) = c.latitude;
    // Each slot keeps its own interval in seconds: two files of other time
    // units may share the plot, while TUNIT holds the last file's unit only.
    dset.interval_seconds(k) = std::isnan(c.interval)
                                   ? static_cast<double>(dset.DT(k)) * seconds_per_time_unit(dset.TUNIT.view())
                                   : c.interval;
    dset.missing(k) =
        static_cast<INTEGER>(count_missing({Y.column(k), static_cast<size_t>(std::clamp(dset.NPTS(k), 0, MAXPTS))}));
    dset.zone(k) = c.zone;
    dset.date_order(k) = c.date_order;
}

// A name and a reason on the message line, answered by any key.
void refuse_file(std::string_view label, const FileName& name, INTEGER name_len) {
    show_name(0, -scr.MAXROW, label, name.view(), name_len, scr.PRMCOL);
    WAITKY();
}

struct Attempt {
    INTEGER iform;
    reader::Outcome (*read)(reader::Context&);
};
constexpr Attempt kAttempts[] = {
    {FileFormat::Datra, reader::read_datra},
    {FileFormat::Velk, reader::read_velk},
    {FileFormat::Ggp, reader::read_ggp},
    {FileFormat::List, reader::read_list},
};

}  // namespace

void read_data(LineSource& in, const INTEGER& K, INTEGER& STATUS) {
    using reader::Outcome;
    const INTEGER iform_on_entry = dset.IFORM;
    reader::Context c(in);
    c.k = K;
    c.name = in.name();
    c.name_len = LENTXT(c.name, -kNameLength);
    c.start = std::numeric_limits<double>::quiet_NaN();
    c.interval = std::numeric_limits<double>::quiet_NaN();
    c.latitude = std::numeric_limits<double>::quiet_NaN();
    c.reading = [](std::string_view text) { MSGTXT(0, -scr.MAXROW, text, scr.PRMCOL); };

    Outcome r = Outcome::NotThisFormat;
    for (const Attempt& a : kAttempts) {
        if (r != Outcome::NotThisFormat) break;
        dset.IFORM = a.iform;
        r = a.read(c);
        for (const reader::Notice& n : c.notices) show(n);
        c.notices.clear();
        if (in.failed()) {
            // What was read is incomplete: never passed for the whole file.
            refuse_file("Line too long or unreadable : |", c.name, c.name_len);
            r = Outcome::Refused;
        }
    }
    if (r == Outcome::EndedEarly) STATUS = 2;
    if (r == Outcome::Refused || r == Outcome::NotThisFormat) {
        STATUS = 1;
        // One unreadable file must not switch the series to the other date rule.
        dset.IFORM = iform_on_entry;
        return;
    }
    dset.list_pair = c.both_slots;
    if (dset.IFORM == FileFormat::Ggp || c.both_slots) {
        record_slot(1, dset.IFORM, c);
        record_slot(2, dset.IFORM, c);
    } else {
        record_slot(K, dset.IFORM, c);
    }
    platform::window().set_data_file(c.path());
}

void RDFILE(Arr1<FileName, 2>& FNAME, const INTEGER& K, INTEGER& STATUS) {
    FileName name = FNAME(K).view();
    const INTEGER name_len = LENTXT(name, -kNameLength);
    FileLines in;
    if (!in.open(name.trimmed()) && in.failure() == platform::LineReader::Failure::NotRegular) {
        // A FIFO or a device could hang the reading or never end it.
        refuse_file("Not a regular file : |", name, name_len);
        STATUS = 1;
        return;
    }
    read_data(in, K, STATUS);
}

}  // namespace datrax
