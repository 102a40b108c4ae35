// GGP station files: header lines up to a "77777777" line, then data lines of
// date, time, gravity and pressure (ggp_fields.h); a year of 9999 ends a
// block, 8888 the file, 7777 is a line to skip. The time stamps place the
// samples (time_grid.h): the times a file does not give are missing. Fills
// slots 1 and 2; a header naming pressure as its only channel fills slot 2.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "data/calendar.h"
#include "data/ggp_fields.h"
#include "data/ggp_units.h"
#include "data/reader_attempts.h"
#include "data/time_grid.h"
#include "records/fixed_write.h"
#include "records/helper_thread.h"
#include "records/missing.h"

namespace datrax::reader {

namespace {

// The lines of a read error: where, the file, the fields read so far and the
// line as read (the fixed echo cannot show a pressure of 1000 or more).
std::vector<std::string> failure_lines(const Context& c, const GgpRecord& d, int64_t line_number,
                                       std::string_view text) {
    static const FormatList kEcho("(I4,2X,I2,1X,3I2,2F10.6)");
    const OutValue values[] = {d.year, d.day, d.hour, d.minute, d.second, d.gravity, d.pressure};
    std::string echo;
    write_fixed(kEcho, values, echo);
    return {" GGP Reading error in line " + std::to_string(line_number),
            " Last data read from " + std::string(dset.FNAME(c.k).trimmed()), echo, std::string(text.substr(0, 200))};
}

// The sampling interval keeps its fraction in the unit it is shown in; an
// hourly file is of the stated station units unless its header names others.
void set_interval(Context& c, int64_t interval_ms, const HeaderUnits& units) {
    const REAL dt = interval_in_unit(static_cast<double>(interval_ms) / 1000.0, dset.TUNIT);
    const bool hourly = dset.TUNIT.view().starts_with("hr");
    dset.DUNIT(1) = hourly ? "microgal" : "volt";
    dset.DUNIT(2) = hourly ? "mbar" : "volt";
    if (units.has_gravity) dset.DUNIT(1) = units.gravity.view();
    if (units.has_pressure) dset.DUNIT(2) = units.pressure.view();
    dset.DT(1) = dset.DT(2) = dt;
    if (interval_ms > 0) c.interval = static_cast<double>(interval_ms) / 1000.0;
}

void finish(Context& c, const TimeGrid& grid, const HeaderUnits& units) {
    const auto n = static_cast<INTEGER>(grid.samples());
    for (INTEGER k = 1; k <= 2; ++k) {
        dset.NPTS(k) = n;
        dset.FNAME(k) = c.name.view();
    }
    if (grid.lines() > 0) c.start = static_cast<double>(grid.first_time()) / 1000.0;
    title_from_name(c, 1);
    dset.TITLE(2) = "";
    dset.LTITLE(2) = 1;
    set_interval(c, grid.interval(), units);
}

// A line in header mode: the data block begins, the file ends (a GGP file
// without data), or a header line, whose units and latitude are kept.
enum class HeaderLine { Other, DataBegins, FileEnds };
bool begins_data(std::string_view line) { return line.substr(0, 8) == "77777777"; }

HeaderLine header_line(std::string_view line, HeaderUnits& units, double& latitude) {
    if (begins_data(line)) return HeaderLine::DataBegins;
    const std::string_view tag = line.substr(0, 8);
    if (tag == "88888888") return HeaderLine::FileEnds;
    scan_header_units(line.substr(0, 200), units);
    scan_header_latitude(line.substr(0, 200), latitude);
    return HeaderLine::Other;
}

// The lines of one piece of a block, read by fields ahead of their turn on
// either thread. The plain data lines (a data line whose month columns are
// given) give their stamps and values side by side; every other line
// (markers, blank lines, failures, blank month columns, and the header lines
// after a block's end up to its data marker) depends on the lines before it
// and is read again in its turn.
struct alignas(64) PieceLines {  // a cache line of its own: the threads fill neighbours
    struct InTurn {
        size_t plain_before;  // plain lines of the piece before it
        std::string_view text;
        GgpRecord last;  // the fields of the plain line before it, if any
    };
    std::vector<int64_t> times;  // milliseconds since 1970
    std::vector<REAL> gravity, pressure;
    std::vector<InTurn> in_turn;
    GgpRecord last;  // the fields of the last plain line
    const char* begin = nullptr;
    const char* end = nullptr;

    size_t plain() const { return times.size(); }
};

// One read of a GGP file: lines in file order, in header or data mode.
class GgpRead {
public:
    enum class Step {
        Go,       // on with the next line
        End,      // the file (or its data) ends here
        Refused,  // too large, or a line that cannot be read: reported
    };

    explicit GgpRead(Context& c) : c_(c), gravity_(Y.column(1)), pressure_(Y.column(2)) {
        grid_.reserve(static_cast<size_t>(MAXPTS));
    }

    bool in_data() const { return in_data_; }

    // One line, its fields read here.
    Step line(std::string_view text) {
        ++line_number_;
        if (!in_data_) {
            const HeaderLine h = header_line(text, units_, c_.latitude);
            seen_data_marker_ |= h == HeaderLine::FileEnds;  // a GGP file without data
            if (h == HeaderLine::FileEnds) return Step::End;
            if (h == HeaderLine::DataBegins) in_data_ = seen_data_marker_ = true;
            return Step::Go;
        }
        const GgpLineKind kind = fields_.read(text, d_);
        if (kind == GgpLineKind::EndFile) return Step::End;
        if (kind == GgpLineKind::EndBlock) in_data_ = false;
        if (kind == GgpLineKind::Error) {
            claim();
            c_.notices.push_back({Notice::Kind::GgpFailure, failure_lines(c_, d_, line_number_, text)});
            return Step::Refused;
        }
        return kind == GgpLineKind::Data ? place() : Step::Go;
    }

    Outcome finish(Step last) {
        if (last == Step::Refused) return Outcome::Refused;
        // Without any GGP marker this is not a GGP file: nothing is touched.
        if (!seen_data_marker_) return Outcome::NotThisFormat;
        if (!grid_.place(MAXPTS)) {
            claim();
            c_.too_large();
            return Outcome::Refused;
        }
        // A header naming pressure as its only channel: the values are pressures.
        if (units_.pressure_only()) {
            std::copy_n(gravity_, grid_.lines(), pressure_);
            std::fill_n(gravity_, grid_.lines(), kMissing);
        }
        grid_.spread(gravity_);
        grid_.spread(pressure_);
        reader::finish(c_, grid_, units_);
        c_.skipped_lines(grid_.skipped(), grid_.first_skipped_line());
        return Outcome::Read;
    }

    // The lines of a piece read ahead, in file order. Plain data lines go
    // in runs; a piece that begins in a header is read here.
    Step take_piece(const PieceLines& p) {
        if (!in_data_) return lines_in_turn(p.begin, p.end);
        size_t taken = 0;
        for (const PieceLines::InTurn& t : p.in_turn) {
            if (t.plain_before > taken) {
                if (const Step s = take_plain(p, taken, t.plain_before); s != Step::Go) return s;
                follow(t.last);
            }
            if (const Step s = line(t.text); s != Step::Go) return s;
        }
        if (p.plain() == taken) return Step::Go;
        const Step s = take_plain(p, taken, p.plain());
        if (s == Step::Go) follow(p.last);
        return s;
    }

    // The lines of a block from the start of a line to `end`, each read here.
    Step lines_in_turn(const char* from, const char* end) {
        Step s = Step::Go;
        for_each_block_line(from, end, [&](std::string_view text) { return (s = line(text)) == Step::Go; });
        return s;
    }

private:
    // Plain lines [taken, to) of a piece, as many as the samples hold.
    Step take_plain(const PieceLines& p, size_t& taken, size_t to) {
        const size_t room = static_cast<size_t>(MAXPTS) - grid_.lines();
        const size_t n = std::min(to - taken, room);
        const size_t i = grid_.lines();
        grid_.add_run({p.times.data() + taken, n}, line_number_ + 1);
        std::copy_n(p.gravity.data() + taken, n, gravity_ + i);
        std::transform(p.pressure.data() + taken, p.pressure.data() + taken + n, pressure_ + i, pressure_value);
        line_number_ += static_cast<int64_t>(n);
        taken += n;
        if (taken == to) return Step::Go;
        ++line_number_;
        claim();
        c_.too_large();
        return Step::Refused;
    }

    void follow(const GgpRecord& d) {
        d_ = d;
        fields_.follow(d_);
    }

    // A pressure of exactly 0 marks a missing value in these files.
    static REAL pressure_value(REAL p) { return p == 0.0f ? kMissing : p; }

    // Values are kept in line order until every stamp is known.
    Step place() {
        const size_t i = grid_.lines();
        if (i == static_cast<size_t>(MAXPTS)) {
            claim();
            c_.too_large();
            return Step::Refused;
        }
        grid_.add(d_.time * 1000, line_number_);
        gravity_[i] = d_.gravity;
        pressure_[i] = pressure_value(d_.pressure);
        return Step::Go;
    }

    // Values written so far must be counted even when the read fails.
    void claim() {
        if (grid_.lines() > 0) dset.NPTS(1) = dset.NPTS(2) = static_cast<INTEGER>(grid_.lines());
    }

    Context& c_;
    REAL* gravity_;
    REAL* pressure_;
    GgpFieldReader fields_;
    GgpRecord d_;
    TimeGrid grid_;
    HeaderUnits units_;
    bool seen_data_marker_ = false;
    bool in_data_ = false;
    int64_t line_number_ = 0;
};

using Step = GgpRead::Step;

Step read_line_by_line(LineSource& in, GgpRead& r) {
    std::string_view line;
    while (in.next_line(line)) {
        const Step s = r.line(line);
        if (s != Step::Go) return s;
    }
    return Step::End;
}

// Reads the lines of [begin, end) by fields, each on its own.
void parse_piece(const char* begin, const char* end, PieceLines& out) {
    out.times.clear();
    out.gravity.clear();
    out.pressure.clear();
    out.in_turn.clear();
    out.begin = begin;
    out.end = end;
    GgpFieldReader fields;
    // Lines are read into the record the last plain line did not fill, so
    // that it need not be copied for each line.
    GgpRecord records[2];
    int last = 0;
    // Most lines go the quick way, which fills no record: the last of them
    // is read again into its record where the record is needed.
    std::string_view quick;
    const auto last_plain = [&]() -> const GgpRecord& {
        if (!quick.empty()) fields.read(std::exchange(quick, {}), records[last]);
        return records[last];
    };
    bool header = false;  // after a block's end, up to its data marker
    for_each_block_line(begin, end, [&](std::string_view text) {
        if (header) {
            header = !begins_data(text);
            out.in_turn.push_back({out.plain(), text, last_plain()});
            return true;
        }
        int64_t ms = 0;
        REAL gravity = 0.0f, pressure = 0.0f;
        if (fields.read_plain(text, ms, gravity, pressure)) {
            out.times.push_back(ms);
            out.gravity.push_back(gravity);
            out.pressure.push_back(pressure);
            quick = text;
            return true;
        }
        const GgpRecord& before = last_plain();
        GgpRecord& d = records[last ^ 1];
        const GgpLineKind kind = fields.read(text, d);
        header = kind == GgpLineKind::EndBlock;
        if (kind == GgpLineKind::Data && d.month_given) {
            out.times.push_back(d.time * 1000);
            out.gravity.push_back(d.gravity);
            out.pressure.push_back(d.pressure);
            last ^= 1;
        } else {
            out.in_turn.push_back({out.plain(), text, before});
        }
        return true;
    });
    out.last = last_plain();
}

// Header lines one by one; data lines in blocks, read by fields on two
// threads ahead of their turn, then taken in file order. Blocks are read
// one ahead, and taken one behind: while both threads read the lines of one
// block by fields, the thread that comes free first takes the pieces of the
// block before (which stays whole until the next block is read) and then
// reads and cuts the next block.
Step read_in_blocks(LineSource& in, GgpRead& r) {
    HelperThread helper;
    LinePieces now, ahead;
    std::vector<PieceLines> parsed, waiting;  // pieces of this block; of the block before, not yet taken
    size_t waiting_count = 0;
    const auto take_waiting = [&] {
        const size_t count = std::exchange(waiting_count, 0);
        for (size_t k = 0; k < count; ++k) {
            if (const Step s = r.take_piece(waiting[k]); s != Step::Go) return s;
        }
        return Step::Go;
    };
    std::string_view block;  // read and cut, not yet taken
    for (;;) {
        if (block.empty()) {
            if (const Step s = take_waiting(); s != Step::Go) return s;
            if (r.in_data()) block = in.next_block();
            if (block.empty()) {
                std::string_view line;
                if (!in.next_line(line)) return Step::End;
                if (const Step s = r.line(line); s != Step::Go) return s;
                continue;
            }
            now.cut(block);
        }
        if (!r.in_data()) {
            // The data ended before this block, read ahead: its header lines
            // (and any data after them) go one by one.
            if (const Step s = r.lines_in_turn(block.data(), block.data() + block.size()); s != Step::Go) return s;
            block = {};
            continue;
        }
        const size_t count = now.count();
        if (parsed.size() < count) parsed.resize(count);
        std::string_view next;
        Step taken = Step::Go;
        helper.run_pieces(count + 1, [&](size_t k) {
            if (k == 0) {
                taken = take_waiting();
                if (taken != Step::Go) return;
                next = in.next_block();
                if (!next.empty()) ahead.cut(next);
                return;
            }
            parse_piece(now.from(k - 1), now.to(k - 1), parsed[k - 1]);
        });
        if (taken != Step::Go) return taken;
        if (!r.in_data()) {
            // The data ended in the block before: this one goes line by line.
            if (const Step s = r.lines_in_turn(block.data(), block.data() + block.size()); s != Step::Go) return s;
        } else {
            std::swap(parsed, waiting);
            waiting_count = count;
        }
        block = next;
        std::swap(now, ahead);
    }
}

}  // namespace

Outcome read_ggp(Context& c) {
    if (!c.reopen()) return Outcome::NotThisFormat;
    c.reading("Reading GGP data ...|");
    GgpRead r(c);
    return r.finish(two_reading_threads() ? read_in_blocks(c.in, r) : read_line_by_line(c.in, r));
}

}  // namespace datrax::reader
