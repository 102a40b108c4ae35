#include "data/time_grid.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numeric>

#include "base/large_pages.h"
#include "records/missing.h"

namespace datrax {

namespace {

// A step within a third of c counts as c.
bool near(int64_t d, int64_t c) { return 3 * d >= 2 * c && 3 * d <= 4 * c; }

std::map<int64_t, int64_t> count_steps(const std::vector<int64_t>& t) {
    TimeGrid::StepCounter steps;
    steps.add(t);
    return steps.counts();
}

// The steps from moment to moment where steps up to `short_step` separate
// lines of one moment (a second sensor writing a second after the first).
std::map<int64_t, int64_t> count_merged_steps(const std::vector<int64_t>& t, int64_t short_step) {
    std::map<int64_t, int64_t> counts;
    int64_t sum = 0;
    for (size_t i = 1; i < t.size(); ++i) {
        const int64_t d = t[i] - t[i - 1];
        if (d <= 0) continue;
        sum += d;
        if (3 * d <= 4 * short_step) continue;
        ++counts[sum];
        sum = 0;
    }
    return counts;
}

// Consecutive steps both near c (repeated stamps between them passed over):
// a stretch of the file sampled at c.
int64_t pairs_near(const std::vector<int64_t>& t, int64_t c) {
    int64_t pairs = 0;
    bool before = false;
    for (size_t i = 1; i < t.size(); ++i) {
        const int64_t d = t[i] - t[i - 1];
        if (d <= 0) continue;
        const bool now = near(d, c);
        pairs += before && now;
        before = now;
    }
    return pairs;
}

// The distinct steps in ascending order and how many steps lie below each.
struct StepTable {
    std::vector<int64_t> value, below;
    int64_t total = 0;

    explicit StepTable(const std::map<int64_t, int64_t>& counts) {
        for (const auto& [v, n] : counts) {
            value.push_back(v);
            below.push_back(total);
            total += n;
        }
    }
    // The index of the first distinct step at or above the lower end of
    // c's window, and of the first beyond its upper end.
    size_t from(int64_t c) const {
        return static_cast<size_t>(
            std::lower_bound(value.begin(), value.end(), 0, [c](int64_t v, int) { return 3 * v < 2 * c; }) -
            value.begin());
    }
    size_t to(int64_t c) const {
        return static_cast<size_t>(
            std::lower_bound(value.begin(), value.end(), 0, [c](int64_t v, int) { return 3 * v <= 4 * c; }) -
            value.begin());
    }
    int64_t count_below(size_t j) const { return j < value.size() ? below[j] : total; }
    int64_t window(int64_t c) const { return count_below(to(c)) - count_below(from(c)); }
    // The step with the most steps near it; of two with as many, the longer.
    int64_t most_common() const {
        int64_t best = 0, best_count = 0;
        for (const int64_t c : value) {
            if (const int64_t n = window(c); n >= best_count) {
                best = c;
                best_count = n;
            }
        }
        return best;
    }
    // The mean of the steps near c, to the finest step the stamps show
    // (their greatest common divisor): the rate of a jittering clock, and
    // exact for a regular one.
    int64_t mean_near(int64_t c) const {
        const size_t a = from(c), b = to(c);
        double sum = 0;
        int64_t unit = 0;
        for (size_t j = a; j < b; ++j) {
            sum += static_cast<double>(value[j]) * static_cast<double>(count_below(j + 1) - count_below(j));
            unit = std::gcd(unit, value[j]);
        }
        const double mean = sum / static_cast<double>(count_below(b) - count_below(a));
        return std::max<int64_t>(unit, std::llround(mean / static_cast<double>(unit)) * unit);
    }
};

}  // namespace

void TimeGrid::StepCounter::add(std::span<const int64_t> t) {
    for (const int64_t v : t) {
        const int64_t d = v - last_;
        const bool step = any_ && d > 0;
        last_ = v;
        any_ = true;
        if (!step) continue;
        if (d == run_step_) {
            ++run_;
            continue;
        }
        if (run_ > 0) counts_[run_step_] += run_;
        run_step_ = d;
        run_ = 1;
    }
}

std::map<int64_t, int64_t> TimeGrid::StepCounter::counts() const {
    std::map<int64_t, int64_t> all = counts_;
    if (run_ > 0) all[run_step_] += run_;
    return all;
}

void TimeGrid::reserve(size_t lines) {
    slots_.reserve(lines);
    ask_large_pages(slots_.data(), slots_.capacity() * sizeof(int64_t));
}

void TimeGrid::add(int64_t t, int64_t line) { add_run({&t, 1}, line); }

size_t TimeGrid::Progression::take(std::span<const int64_t> t) {
    size_t i = 0;
    if (count == 0) {
        first = t[i++];
        count = 1;
    }
    if (count == 1 && i < t.size()) {
        if (t[i] <= first) return i;
        step = t[i++] - first;
        count = 2;
    }
    while (i < t.size() && t[i] == stamp(count)) {
        ++i;
        ++count;
    }
    return i;
}

void TimeGrid::write_out() {
    if (!regular_.held) return;
    regular_.held = false;
    slots_.reserve(regular_.count);
    for (size_t i = 0; i < regular_.count; ++i) slots_.push_back(regular_.stamp(i));
}

void TimeGrid::add_run(std::span<const int64_t> t, int64_t first_line) {
    if (t.empty()) return;
    const size_t before = lines();
    const int64_t offset = first_line - static_cast<int64_t>(before);
    if (line_offsets_.empty() || line_offsets_.back().second != offset) line_offsets_.emplace_back(before, offset);
    steps_.add(t);
    const size_t held = regular_.held ? regular_.take(t) : 0;
    if (held == t.size()) return;
    write_out();
    slots_.insert(slots_.end(), t.begin() + static_cast<std::ptrdiff_t>(held), t.end());
}

int64_t TimeGrid::file_line(size_t i) const {
    auto it = std::upper_bound(line_offsets_.begin(), line_offsets_.end(), i,
                               [](size_t v, const std::pair<size_t, int64_t>& e) { return v < e.first; });
    return static_cast<int64_t>(i) + (it == line_offsets_.begin() ? 0 : std::prev(it)->second);
}

int64_t TimeGrid::estimate_interval() const {
    StepTable steps(steps_counted_ ? steps_.counts() : count_steps(slots_));
    if (steps.total == 0) return 0;
    int64_t best = steps.most_common();
    // The common step seldom follows itself: it parts lines of one moment,
    // and the interval is that of the moments. (Where every step is near
    // it, every step but the first follows one near it.)
    if (steps.window(best) >= 8 && steps.window(best) < steps.total &&
        4 * pairs_near(slots_, best) < steps.window(best)) {
        StepTable moments(count_merged_steps(slots_, best));
        if (moments.total > 0) {
            steps = std::move(moments);
            best = steps.most_common();
        }
    }
    // A shorter step that runs through a stretch of the file and divides the
    // common one: the rate changed, and the shorter keeps every reading.
    const int64_t enough = std::max<int64_t>(8, steps.total / 100);
    int64_t tested = 0;
    for (const int64_t c : steps.value) {
        if (c >= best || (tested > 0 && near(c, tested))) continue;
        const int64_t k = (best + c / 2) / c;
        if (k < 2 || 3 * std::llabs(best - k * c) > c || steps.window(c) < enough) continue;
        tested = c;
        if (pairs_near(slots_, c) >= enough) {
            best = c;
            break;
        }
    }
    return steps.mean_near(best);
}

void TimeGrid::skip(size_t i) {
    if (skipped_++ == 0) first_skipped_line_ = file_line(i);
    slots_[i] = 0;
}

bool TimeGrid::place(int64_t most) {
    const size_t n = lines();
    interval_ = estimate_interval();
    steps_counted_ = false;  // the stamps become samples
    samples_ = 0;
    skipped_ = 0;
    first_skipped_line_ = 0;
    if (n == 0) return true;
    if (regular_.held) {
        // Every line the next sample, unless they are more than most.
        first_time_ = regular_.first;
        if (n > static_cast<size_t>(most)) return false;
        samples_ = static_cast<int64_t>(n);
        return true;
    }
    // Without two distinct stamps every later line repeats or goes back.
    const double step = static_cast<double>(interval_ > 0 ? interval_ : 1);
    const auto at = [step](int64_t t, int64_t anchor_t, int64_t anchor_s) {
        const double k = std::round(static_cast<double>(t - anchor_t) / step);
        return anchor_s + static_cast<int64_t>(std::clamp(k, -1e15, 1e15));
    };
    // A first line apart from the series that the next lines continue:
    // behind them, or so far before them that the span could not fit.
    size_t first = 0;
    if (n >= 3) {
        const int64_t s2 = at(slots_[2], slots_[1], 0), s1 = at(slots_[1], slots_[0], 0);
        if (s2 >= 1 && s2 < most && (s1 < 0 || s1 >= most)) first = 1;
    }
    first_time_ = slots_[first];
    int64_t anchor_t = first_time_, anchor_s = 1, last = 1;
    for (size_t i = 0; i < first; ++i) skip(i);
    slots_[first] = 1;
    const auto interval = static_cast<int64_t>(step);
    int64_t next_t = first_time_ + interval;  // the stamp of the sample after the last one
    for (size_t i = first + 1; i < n; ++i) {
        const int64_t t = slots_[i];
        // Nearly every line of a regular file is the next sample exactly.
        if (t == next_t && last < most) {
            slots_[i] = ++last;
            next_t += interval;
            continue;
        }
        const int64_t s = at(t, anchor_t, anchor_s);
        if (s <= last) {
            skip(i);
            continue;
        }
        if (i + 1 < n) {
            // The next line lies between the last one kept and this one: this
            // line stands alone, unless the lines after go on from it.
            const int64_t s1 = at(slots_[i + 1], anchor_t, anchor_s);
            if (s1 > last && s1 < s && !(i + 2 < n && at(slots_[i + 2], anchor_t, anchor_s) > s)) {
                skip(i);
                continue;
            }
        }
        if (s > most) return false;
        // Off the grid by more than a third of the interval: the logger's
        // clock was set again, and the grid follows it.
        const int64_t off = t - anchor_t - (s - anchor_s) * interval;
        if (3 * std::llabs(off) > interval) {
            anchor_t = t;
            anchor_s = s;
        }
        slots_[i] = last = s;
        next_t = anchor_t + (s + 1 - anchor_s) * interval;
    }
    samples_ = last;
    return true;
}

void TimeGrid::spread(float* y) const {
    // A file without gaps and skipped lines has its values in place.
    if (skipped_ == 0 && samples_ == static_cast<int64_t>(lines())) return;
    // Kept values to the front in order, then each to its sample from the
    // back: a sample is never before its value's place in the front part.
    size_t kept = 0;
    for (size_t i = 0; i < slots_.size(); ++i) {
        if (slots_[i] > 0) y[kept++] = y[i];
    }
    int64_t free_from = samples_;
    for (size_t i = slots_.size(); i-- > 0;) {
        if (slots_[i] == 0) continue;
        const int64_t s = slots_[i] - 1;
        std::fill(y + s + 1, y + free_from, kMissing);
        y[s] = y[--kept];
        free_from = s;
    }
}

REAL interval_in_unit(double seconds, Text<20>& unit) {
    if (!(seconds > 0.0)) seconds = 1.0;
    if (seconds < 60.0) {
        unit = "sec";
        return static_cast<REAL>(seconds);
    }
    if (seconds < 3600.0) {
        unit = "min";
        return static_cast<REAL>(seconds / 60.0);
    }
    unit = "hr";
    return static_cast<REAL>(seconds / 3600.0);
}

std::string skipped_lines_notice(INTEGER skipped, int64_t first_line) {
    if (skipped == 1) return "1 line skipped (time repeated or out of order), at line " + std::to_string(first_line);
    return std::to_string(skipped) + " lines skipped (time repeated or out of order), first at line " +
           std::to_string(first_line);
}

}  // namespace datrax
