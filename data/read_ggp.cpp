// GGP station files: header lines up to a "77777777" line, then data lines of
// date, time, gravity and pressure read by fields; a year of 9999 ends a
// block, 8888 the file, 7777 is a line to skip. The time stamps place the
// samples: the times a file does not give are missing. Fills slots 1 and 2.
#include <string>

#include "console/console.h"
#include "console/prompts.h"
#include "data/calendar.h"
#include "data/fixed_write.h"
#include "data/ggp_fields.h"
#include "data/ggp_units.h"
#include "data/missing.h"
#include "data/reader_attempts.h"
#include "data/time_grid.h"
#include "platform/window.h"

namespace datrax::reader {

namespace {

// The three lines of a read error stay on the rows above the message line
// until a key, and go to standard error too.
void report_failure(const Context& c, const GgpRecord& d, int64_t line_number) {
    static const FormatList kEcho("(I4,2X,I2,1X,3I2,2F10.6)");
    const OutValue values[] = {d.year, d.day, d.hour, d.minute, d.second, d.gravity, d.pressure};
    std::string echo;
    write_fixed(kEcho, values, echo);
    const std::string lines[] = {" GGP Reading error in line " + std::to_string(line_number),
                                 " Last data read from " + std::string(dset.FNAME(c.k).trimmed()), echo};
    INTEGER row = scr.MAXROW - 3;
    for (const std::string& l : lines) {
        write_long_line(0, -row++, l, scr.PRMCOL);
        platform::window().console_line(l);
    }
    bottom_row_notice("GGP file not read - hit Enter|", scr.PRMCOL);
    for (row = scr.MAXROW - 3; row < scr.MAXROW; ++row) CCLEAR(0, row, scr.MAXCOL, row);
}

// The sampling interval keeps its fraction in the unit it is shown in.
void set_interval(int64_t interval, const HeaderUnits& units) {
    dset.TUNIT = "sec";
    dset.DUNIT(1) = "volt";
    dset.DUNIT(2) = "volt";
    double dt = 1.0;  // no usable interval: one second
    if (interval > 0) {
        if (interval < 60) {
            dt = static_cast<double>(interval);
        } else if (interval < 3600) {
            dset.TUNIT = "min";
            dt = static_cast<double>(interval) / 60.0;
        } else {
            dset.TUNIT = "hr";
            dt = static_cast<double>(interval) / 3600.0;
            dset.DUNIT(1) = "microgal";
            dset.DUNIT(2) = "mbar";
        }
    }
    if (units.has_gravity) dset.DUNIT(1) = units.gravity.view();
    if (units.has_pressure) dset.DUNIT(2) = units.pressure.view();
    dset.DT(1) = static_cast<REAL>(dt);
    dset.DT(2) = dset.DT(1);
}

void finish(Context& c, const TimeGrid& grid, const HeaderUnits& units) {
    const auto n = static_cast<INTEGER>(grid.last());
    for (INTEGER k = 1; k <= 2; ++k) {
        dset.NPTS(k) = n;
        dset.FNAME(k) = c.name.view();
    }
    if (grid.started()) c.start = static_cast<double>(grid.first_time());
    dset.TITLE(1) = c.name.view();
    dset.LTITLE(1) = c.name_len;
    dset.TITLE(2) = "";
    dset.LTITLE(2) = 1;
    set_interval(grid.interval(), units);
}

// Header mode: one line; true when the data block begins.
enum class HeaderLine { Other, DataBegins, FileEnds };
HeaderLine header_line(std::string_view line, HeaderUnits& units) {
    const std::string_view tag = line.substr(0, 8);
    if (tag == "77777777") return HeaderLine::DataBegins;
    if (tag == "88888888") return HeaderLine::FileEnds;
    scan_header_units(line.substr(0, 200), units);
    return HeaderLine::Other;
}

}  // namespace

Outcome read_ggp(Context& c) {
    if (!c.reopen()) return Outcome::NotThisFormat;
    show_reading("Reading GGP data ...|");
    GgpFieldReader fields;
    GgpRecord d;
    TimeGrid grid;
    HeaderUnits units;
    bool seen_data_marker = false;
    bool in_data = false;
    REAL* gravity = Y.column(1);
    REAL* pressure = Y.column(2);
    // Samples written so far must be counted even when the read fails.
    const auto claim = [&] {
        if (grid.last() > 0) dset.NPTS(1) = dset.NPTS(2) = static_cast<INTEGER>(grid.last());
    };
    std::string_view line;
    int64_t line_number = 0;
    while (c.in.next_line(line)) {
        ++line_number;
        if (!in_data) {
            const HeaderLine h = header_line(line, units);
            seen_data_marker |= h == HeaderLine::FileEnds;  // a GGP file without data
            if (h == HeaderLine::FileEnds) break;
            if (h == HeaderLine::DataBegins) in_data = seen_data_marker = true;
            continue;
        }
        const GgpLineKind kind = fields.read(line, d);
        if (kind == GgpLineKind::EndFile) break;
        if (kind == GgpLineKind::EndBlock) in_data = false;
        if (kind == GgpLineKind::Error) {
            claim();
            report_failure(c, d, line_number);
            return Outcome::Refused;
        }
        if (kind != GgpLineKind::Data) continue;
        const int64_t index = grid.place(d.time);
        if (index == 0) continue;
        if (index > MAXPTS) {
            claim();
            refuse_too_large();
            return Outcome::Refused;
        }
        for (int64_t i = grid.last(); i < index - 1; ++i) gravity[i] = pressure[i] = kMissing;
        gravity[index - 1] = d.gravity;
        // A pressure of exactly 0 marks a missing value in these files.
        pressure[index - 1] = d.pressure == 0.0f ? kMissing : d.pressure;
        grid.filled_to(index);
    }
    // Without any GGP marker this is not a GGP file: nothing is touched.
    if (!seen_data_marker) return Outcome::NotThisFormat;
    finish(c, grid, units);
    report_skipped_lines(grid.skipped());
    return Outcome::Read;
}

}  // namespace datrax::reader
