// The four attempts of the data-file reader, each on the file from its
// first line. Shared by the reader's own files only.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/state.h"
#include "records/line_source.h"

namespace datrax::reader {

struct Context {
    INTEGER k = 1;            // slot being read
    FileName name;            // the file name, left-adjusted
    INTEGER name_len = 0;     // its trimmed length as measured by LENTXT
    double start = 0.0;       // time of sample 1 found by the attempt (NaN when unknown)
    double interval = 0.0;    // seconds between samples where the file says more than DT and TUNIT (NaN otherwise)
    double latitude = 0.0;    // station latitude in degrees from a GGP header (NaN otherwise)
    FileLines in;             // reopened by every attempt
    bool both_slots = false;  // the file filled slots 1 and 2 (a dated list of two value columns)
    std::string zone;         // the time zone the file names for its stamps
    std::string date_order;   // how its dates were read where they could be read either way

    std::string_view path() const { return name.trimmed(); }
    // The name after its folders: the part whose positions the naming rules count.
    std::string_view base_name() const { return path().substr(base_name_start(path())); }
    bool reopen() { return in.open(path()); }
};

enum class Outcome {
    Read,           // the file was read in this format
    NotThisFormat,  // go on with the next attempt
    Refused,        // too large: refused, message shown
    EndedEarly,     // a DATRA file ended before its announced samples
};

Outcome read_datra(Context& c);
Outcome read_velk(Context& c);
Outcome read_ggp(Context& c);
Outcome read_list(Context& c);

// Where a dated list's data begin, as read_list found them.
struct DatedStart {
    int64_t first_line = 0;  // line number of the first data line
    char separator = ' ';
    std::vector<std::string> header;  // the lines before it (the last names the columns)
};
// A list whose lines start with a date and time, placed by its stamps.
Outcome read_dated_list(Context& c, const DatedStart& d);

// "File too large for DATRAX, recompile..." on the message line and a key.
void refuse_too_large();
// The reading message of an attempt on the message line.
void show_reading(std::string_view text);
// "3 lines skipped (time repeated or out of order), first at line 4711" and
// a key, when there were any.
void report_skipped_lines(INTEGER skipped, int64_t first_line);
// TITLE(k) of a file whose records carry none: its name, the last 40
// characters of a longer one, so the title keeps to its place on the plots.
void title_from_name(const Context& c, INTEGER k);
// A reason on the message line and a key (a file no attempt could read).
void refuse_with_reason(const std::string& reason);
// Any other notice of a reader on the message line, and a key.
void notice_and_key(std::string text);

}  // namespace datrax::reader
