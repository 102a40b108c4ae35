// The four attempts of the data-file reader, each on the lines of one input
// from its first line. They read and store; what the user is to be told
// comes back as notices, which the caller shows. Shared by the reader's own
// files only.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/state.h"
#include "records/line_source.h"

namespace datrax::reader {

// A notice of an attempt, to be shown after it and answered by a key.
struct Notice {
    enum class Kind {
        Key,         // a text on the message line (a reason, lines skipped)
        TooLarge,    // the file holds more samples than a slot
        EndedEarly,  // a DATRA file ended before its announced samples
        GgpFailure,  // the lines of a GGP read error, shown above the message line
    };
    Kind kind = Kind::Key;
    std::vector<std::string> lines;
};

struct Context {
    explicit Context(LineSource& source) : in(source) {}

    LineSource& in;           // rewound by every attempt
    INTEGER k = 1;            // slot being read
    FileName name;            // the file name, left-adjusted
    INTEGER name_len = 0;     // its trimmed length as measured by LENTXT
    double start = 0.0;       // time of sample 1 found by the attempt (NaN when unknown)
    double interval = 0.0;    // seconds between samples where the file says more than DT and TUNIT (NaN otherwise)
    double latitude = 0.0;    // station latitude in degrees from a GGP header (NaN otherwise)
    bool both_slots = false;  // the file filled slots 1 and 2 (a dated list of two value columns)
    std::string zone;         // the time zone the file names for its stamps
    std::string date_order;   // how its dates were read where they could be read either way
    // Told the reading message as a read starts, so that it stands while
    // a long file is read.
    std::function<void(std::string_view)> reading = [](std::string_view) {};
    std::vector<Notice> notices;  // the notices of the attempt, in order

    std::string_view path() const { return name.trimmed(); }
    // The name after its folders: the part whose positions the naming rules count.
    std::string_view base_name() const { return path().substr(base_name_start(path())); }
    bool reopen() { return in.rewind(); }

    // "File too large for DATRAX, recompile...".
    void too_large() { notices.push_back({Notice::Kind::TooLarge, {}}); }
    // A reason (a file no attempt could read) or any other notice.
    void notice(std::string text) { notices.push_back({Notice::Kind::Key, {std::move(text)}}); }
    // "3 lines skipped (time repeated or out of order), first at line 4711",
    // when there were any.
    void skipped_lines(INTEGER skipped, int64_t first_line);
};

enum class Outcome {
    Read,           // the file was read in this format
    NotThisFormat,  // go on with the next attempt
    Refused,        // too large or unreadable: refused, with its notice
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

// TITLE(k) of a file whose records carry none: its name, the last 40
// characters of a longer one, so the title keeps to its place on the plots.
void title_from_name(const Context& c, INTEGER k);

}  // namespace datrax::reader
