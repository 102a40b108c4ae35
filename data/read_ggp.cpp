// GGP station files: header lines up to a "77777777" line, then data lines
// (I4,2X,I2,1X,3I2,2F10.6) of gravity and pressure; a year of 9999 ends a
// block, 8888 the file, 7777 is a line to skip. Always fills slots 1 and 2.
#include <string>

#include "console/console.h"
#include "data/fixed_read.h"
#include "data/fixed_write.h"
#include "data/reader_attempts.h"

namespace datrax::reader {

namespace {

const FormatList& data_line_format() {
    static const FormatList f("(I4,2X,I2,1X,3I2,2F10.6)");
    return f;
}

// The values of the data line last read (or partly read).
struct DataLine {
    INTEGER year = 0, day = 0, hour = 0, minute = 0, second = 0;
    REAL gravity = 0.0f, pressure = 0.0f;

    INTEGER seconds() const { return ((day * 24 + hour) * 60 + minute) * 60 + second; }
};

void report_failure(const Context& c, const DataLine& d) {
    console_line(" GGP Reading error");
    console_line(std::string(" Last data read from ") + std::string(dset.FNAME(c.k).trimmed()));
    const OutValue values[] = {d.year, d.day, d.hour, d.minute, d.second, d.gravity, d.pressure};
    std::string line;
    write_fixed(data_line_format(), values, line);
    console_line(line);
}

// The units follow from the interval between the first two data lines.
void set_interval(INTEGER count, INTEGER interval) {
    dset.TUNIT = "sec";
    dset.DUNIT(1) = "volt";
    dset.DUNIT(2) = "volt";
    REAL dt = 1.0f;  // no usable interval: one second
    if (count >= 2 && interval > 0) {
        if (interval < 60) {
            dt = static_cast<REAL>(interval);
        } else if (interval < 3600) {
            dset.TUNIT = "min";
            dt = static_cast<REAL>(interval / 60);
        } else {
            dset.TUNIT = "hr";
            dt = static_cast<REAL>(interval / 3600);
            dset.DUNIT(1) = "microgal";
            dset.DUNIT(2) = "mbar";
        }
    }
    dset.DT(1) = dt;
    dset.DT(2) = dt;
}

void finish(const Context& c, INTEGER count, INTEGER interval) {
    dset.NPTS(1) = count;
    dset.NPTS(2) = count;
    sel.NDSETS = 2;
    dset.TITLE(1) = c.name.view();
    dset.LTITLE(1) = c.name_len;
    dset.FNAME(1) = c.name.view();
    dset.FNAME(2) = c.name.view();
    dset.TITLE(2) = "";
    dset.LTITLE(2) = 1;
    set_interval(count, interval);
}

}  // namespace

Outcome read_ggp(Context& c) {
    if (!c.reopen()) return Outcome::NotThisFormat;
    show_reading("Reading GGP data ...|");
    DataLine d;
    const FieldRef fields[] = {d.year, d.day, d.hour, d.minute, d.second, d.gravity, d.pressure};
    INTEGER count = 0, interval = 0, previous = 0;
    bool seen_data_marker = false;
    bool in_data = false;
    REAL* gravity = Y.column(1);
    REAL* pressure = Y.column(2);
    // Samples written so far must be counted even when the read fails.
    const auto claim = [&] {
        if (count > 0) dset.NPTS(1) = dset.NPTS(2) = count;
    };
    for (;;) {
        if (!in_data) {
            std::string_view line;
            if (!c.in.next_line(line)) break;
            const std::string_view tag = line.substr(0, 8);
            if (tag == "77777777") {
                in_data = seen_data_marker = true;
            } else if (tag == "88888888") {
                break;
            }
            continue;
        }
        const ReadOutcome r = read_fixed(c.in, data_line_format(), fields);
        if (r == ReadOutcome::End) break;
        if (r == ReadOutcome::Error) {
            claim();
            report_failure(c, d);
            return Outcome::NotThisFormat;
        }
        if (d.year == 7777) continue;
        if (d.year == 9999) {
            in_data = false;
            continue;
        }
        if (d.year == 8888) break;
        const INTEGER t = d.seconds();
        if (count == 1) interval = t - previous;
        if (count == MAXPTS) {
            claim();
            refuse_too_large();
            return Outcome::Refused;
        }
        ++count;
        gravity[count - 1] = d.gravity;
        // A pressure of exactly 0 is missing: the previous one repeats.
        pressure[count - 1] = d.pressure == 0.0f ? (count > 1 ? pressure[count - 2] : 0.0f) : d.pressure;
        previous = t;
    }
    // Without any data block this is not a GGP file: nothing is touched.
    if (!seen_data_marker) return Outcome::NotThisFormat;
    finish(c, count, interval);
    return Outcome::Read;
}

}  // namespace datrax::reader
