// Placing time-stamped lines on a grid of samples. The stamps of all lines
// are gathered first, since one irregular stamp early in a file must not
// decide the interval. The interval is the most common step between
// consecutive stamps over the whole file (steps within a third of it count
// as it: clock jitter); a smaller step that runs through a stretch of the
// file and divides it wins, so that a record that changed its rate keeps
// every reading. Each line goes to the sample nearest its stamp; a line
// whose sample is taken already or lies before the last one placed is
// skipped, and so is a lone line whose stamp jumps away from a series that
// the lines after it continue.
#pragma once
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "base/text.h"
#include "base/types.h"

namespace datrax {

class TimeGrid {
public:
    // Adds the stamp (milliseconds since 1970) of the next line, found on
    // line `line` of the file.
    void add(int64_t t, int64_t line);
    // The stamps of lines that follow one another in the file, the first on
    // line `first_line`.
    void add_run(std::span<const int64_t> t, int64_t first_line);
    // Room for this many lines, so that adding them never moves the stamps
    // (only the pages written are ever touched, large pages where the
    // system gives them).
    void reserve(size_t lines);
    size_t lines() const { return regular_.held ? regular_.count : slots_.size(); }
    // The file line of the i-th line added.
    int64_t file_line(size_t i) const;

    // Before place(): rewrites each stamp by f, which returns false for one
    // it cannot rewrite; returns the file line of the first such, else 0.
    template <class F>
    int64_t restamp(F f) {
        write_out();
        steps_counted_ = false;
        for (size_t i = 0; i < slots_.size(); ++i) {
            if (!f(slots_[i])) return file_line(i);
        }
        return 0;
    }

    // Places the lines added. False when the lines kept span more than
    // most samples (nothing is then placed).
    bool place(int64_t most);

    // After place(): the sample (from 1) of the i-th line added, 0 when it
    // was skipped.
    int64_t slot(size_t i) const { return regular_.held ? static_cast<int64_t>(i) + 1 : slots_[i]; }
    int64_t samples() const { return samples_; }        // the span of the lines kept
    int64_t interval() const { return interval_; }      // milliseconds; 0 without two distinct stamps
    int64_t first_time() const { return first_time_; }  // stamp of sample 1
    INTEGER skipped() const { return skipped_; }
    int64_t first_skipped_line() const { return first_skipped_line_; }

    // Moves the values y[0..lines()-1], held in the order their lines were
    // added, to their samples y[0..samples()-1]; samples no line fills are
    // missing.
    void spread(float* y) const;

    // The positive steps between consecutive stamps, counted by length as
    // the stamps come: runs of equal steps (nearly every step of a regular
    // file) are counted at once.
    class StepCounter {
    public:
        void add(std::span<const int64_t> t);
        std::map<int64_t, int64_t> counts() const;  // step -> how many

    private:
        std::map<int64_t, int64_t> counts_;
        int64_t last_ = 0, run_step_ = 0, run_ = 0;
        bool any_ = false;
    };

private:
    // Stamps that go on by one positive step from the first, as a record
    // without gaps or jitter has them all: held as that and not stored, so
    // that a regular month of seconds needs no 20 MB of stamps, and each
    // line is the next sample. The first stamp off the progression writes
    // it out, and from there every stamp is stored.
    struct Progression {
        int64_t first = 0, step = 0;
        size_t count = 0;
        bool held = true;
        // Takes the leading stamps of t that go on with it: how many.
        size_t take(std::span<const int64_t> t);
        // Its i-th stamp. Stamps come from dates, far from the ends of the
        // range: computed without overflow for any i up to count.
        int64_t stamp(size_t i) const {
            return static_cast<int64_t>(static_cast<uint64_t>(first) + i * static_cast<uint64_t>(step));
        }
    };

    int64_t estimate_interval() const;
    void skip(size_t i);
    // Stores the stamps of the progression; it is held no longer.
    void write_out();

    Progression regular_;
    std::vector<int64_t> slots_;  // stamps until place(), samples after it (none while the progression is held)
    // The steps of the stamps added, counted while they are fresh in the
    // cache; not after restamp().
    StepCounter steps_;
    bool steps_counted_ = true;
    // Where the file line stops being the count of stamps plus an offset:
    // (first stamp index, its offset); header and marker lines are few.
    std::vector<std::pair<size_t, int64_t>> line_offsets_;
    int64_t interval_ = 0;
    int64_t first_time_ = 0;
    int64_t samples_ = 0;
    INTEGER skipped_ = 0;
    int64_t first_skipped_line_ = 0;
};

// An interval in seconds in the unit it reads best in: seconds below a
// minute, minutes below an hour, else hours ("sec", "min", "hr" into unit);
// one second when there is none.
REAL interval_in_unit(double seconds, Text<20>& unit);

// "3 lines skipped (time repeated or out of order), first at line 4711".
std::string skipped_lines_notice(INTEGER skipped, int64_t first_line);

}  // namespace datrax
