#include "data/write_csv.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "records/missing.h"

namespace datrax::writer {

namespace {

bool is_dated(std::span<const SeriesOut> sets) {
    for (const SeriesOut& s : sets) {
        if (!std::isfinite(s.start) || !std::isfinite(s.interval_seconds) || !(s.interval_seconds > 0.0)) return false;
    }
    return true;
}

// "[UTC+10]", "[UTC-5]", "[UTC+09:30]"; nothing for UTC.
std::string zone_text(int minutes) {
    if (minutes == 0) return "";
    const int a = std::abs(minutes);
    std::string t = std::string("[UTC") + (minutes < 0 ? "-" : "+");
    if (a % 60 == 0) return t + std::to_string(a / 60) + "]";
    char hm[8];
    put_digits(put_digits(hm, a / 60, 2) + 1, a % 60, 2);
    hm[2] = ':';
    return t + std::string(hm, 5) + "]";
}

// The interval as the decimal number it is shown as (0.1, not 0.100000001).
double decimal_interval(REAL dt) {
    char text[32];
    const auto r = std::to_chars(text, text + sizeof text, dt);
    double v = 0.0;
    std::from_chars(text, r.ptr, v);
    return v;
}

SampleClock clock_of(const SeriesOut& s, bool dated, int zone_minutes) {
    if (dated) return SampleClock(s.start + 60.0 * zone_minutes, s.interval_seconds);
    return SampleClock(0.0, decimal_interval(s.dt));
}

// Ticks of an undated time as a number of time units with the clock's decimals.
char* put_units(char* p, int64_t ticks, const SampleClock& c) {
    if (ticks < 0) {  // a negative interval counts back
        *p++ = '-';
        ticks = -ticks;
    }
    p = std::to_chars(p, p + 24, ticks / c.ticks_per_unit()).ptr;
    if (c.decimals() > 0) {
        *p++ = '.';
        p = put_digits(p, ticks % c.ticks_per_unit(), c.decimals());
    }
    return p;
}

class Rows {
public:
    Rows(TextOut& out, bool dated) : out_(out), dated_(dated) {}

    char* start_row(int64_t tick, const SampleClock& c) {
        char* p = out_.room();
        return dated_ ? stamps_.put(p, tick, c) : put_units(p, tick, c);
    }
    static char* cell(char* p, REAL v) {
        *p++ = ',';
        return is_missing(v) ? p : put_value(p, v);
    }
    void end_row(char* p) {
        *p++ = '\n';
        out_.advance(p);
    }

private:
    TextOut& out_;
    bool dated_;
    DateTimeText stamps_;
};

void one_series(const SeriesOut& s, const SampleClock& c, Rows& rows) {
    const int64_t n = static_cast<int64_t>(s.samples.size());
    for (int64_t i = 0; i < n; ++i)
        rows.end_row(Rows::cell(rows.start_row(c.tick(i), c), s.samples[static_cast<size_t>(i)]));
}

// Both series on the union of their times, in time order.
void two_series(const SeriesOut& a, const SeriesOut& b, SampleClock& ca, SampleClock& cb, Rows& rows) {
    ca.use_decimals(cb.decimals());
    cb.use_decimals(ca.decimals());
    const int64_t na = static_cast<int64_t>(a.samples.size()), nb = static_cast<int64_t>(b.samples.size());
    int64_t i = 0, j = 0;
    while (i < na || j < nb) {
        const int64_t ta = i < na ? ca.tick(i) : INT64_MAX, tb = j < nb ? cb.tick(j) : INT64_MAX;
        const int64_t t = std::min(ta, tb);
        char* p = rows.start_row(t, ca);
        p = Rows::cell(p, ta == t ? a.samples[static_cast<size_t>(i++)] : kMissing);
        p = Rows::cell(p, tb == t ? b.samples[static_cast<size_t>(j++)] : kMissing);
        rows.end_row(p);
    }
}

}  // namespace

std::string csv_column_name(const SeriesOut& s) {
    std::string name = s.title;
    if (!s.unit.empty()) name += (name.empty() ? "[" : " [") + s.unit + "]";
    if (name.find_first_of(",\"\r\n") == std::string::npos) return name;
    std::string quoted = "\"";
    for (const char ch : name) {
        if (ch == '"') quoted += '"';
        quoted += ch;
    }
    return quoted + "\"";
}

void write_csv(std::span<const SeriesOut> sets, TextOut& out) {
    const bool dated = is_dated(sets);
    const int zone = dated ? sets[0].zone_minutes : 0;
    std::string header = dated ? "time" : "t";
    if (dated) {
        header += zone_text(zone);
    } else if (!sets[0].time_unit.empty()) {
        header.append(" [").append(sets[0].time_unit).append("]");
    }
    for (const SeriesOut& s : sets) header.append(",").append(csv_column_name(s));
    out.text(header.append("\n"));
    Rows rows(out, dated);
    SampleClock first = clock_of(sets[0], dated, zone);
    if (sets.size() == 1) {
        one_series(sets[0], first, rows);
        return;
    }
    SampleClock second = clock_of(sets[1], dated, zone);
    two_series(sets[0], sets[1], first, second, rows);
}

}  // namespace datrax::writer
