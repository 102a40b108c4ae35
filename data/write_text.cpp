#include "data/write_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "data/calendar.h"
#include "records/missing.h"

namespace datrax::writer {

namespace {

constexpr size_t kBufferBytes = size_t{1} << 20;

int64_t floor_div(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// True when v lies within a thousandth of a whole number of ticks: an
// interval of 0.1 s held in single precision is still 100 ms.
bool whole(double v) { return std::fabs(v - std::round(v)) <= 1e-3; }

}  // namespace

TextOut::TextOut(platform::AtomicFile& file)
    : file_(file), buf_(new char[kBufferBytes]), pos_(buf_.get()), end_(buf_.get() + kBufferBytes) {}

TextOut::~TextOut() { flush(); }

void TextOut::text(std::string_view s) {
    while (!s.empty()) {
        const size_t n = std::min(s.size(), kLineRoom);
        char* p = room();
        std::memcpy(p, s.data(), n);
        advance(p + n);
        s.remove_prefix(n);
    }
}

void TextOut::flush() {
    file_.write(std::string_view(buf_.get(), static_cast<size_t>(pos_ - buf_.get())));
    pos_ = buf_.get();
}

char* put_value(char* p, REAL v) {
    char* end = std::to_chars(p, p + 32, v, std::chars_format::general).ptr;
    if (std::fabs(v) >= 9999.0f && is_flag_value(std::string_view(p, static_cast<size_t>(end - p)))) {
        end = std::to_chars(p, p + 32, v, std::chars_format::scientific).ptr;
    }
    return end;
}

char* put_value_with_point(char* p, REAL v) {
    char* end = put_value(p, v);
    if (!std::isfinite(v) || std::memchr(p, '.', static_cast<size_t>(end - p))) return end;
    char* e = static_cast<char*>(std::memchr(p, 'e', static_cast<size_t>(end - p)));
    if (!e) e = end;
    std::memmove(e + 2, e, static_cast<size_t>(end - e));
    e[0] = '.';
    e[1] = '0';
    return end + 2;
}

char* put_digits(char* p, int64_t v, int n) {
    for (int i = n - 1; i >= 0; --i) {
        p[i] = static_cast<char>('0' + v % 10);
        v /= 10;
    }
    return p + n;
}

SampleClock::SampleClock(double origin, double step)
    // An interval that is no number (a broken file's) puts every sample at the start.
    : origin_(std::isfinite(origin) ? origin : 0.0), step_(std::isfinite(step) ? step : 0.0) {
    for (const int d : {0, 3, 6}) {
        const double scale = std::pow(10.0, d);
        decimals_ = d;
        if (whole(origin_ * scale) && whole(step_ * scale)) break;
    }
    set_ticks();
}

void SampleClock::use_decimals(int decimals) {
    if (decimals <= decimals_) return;
    decimals_ = decimals;
    set_ticks();
}

void SampleClock::set_ticks() {
    per_unit_ = decimals_ == 0 ? 1 : decimals_ == 3 ? 1000 : 1000000;
    const double scale = static_cast<double>(per_unit_);
    exact_ = whole(origin_ * scale) && whole(step_ * scale);
    first_ = std::llround(origin_ * scale);
    step_ticks_ = std::llround(step_ * scale);
}

int64_t SampleClock::tick(int64_t i) const {
    if (exact_) return first_ + i * step_ticks_;
    return std::llround((origin_ + static_cast<double>(i) * step_) * static_cast<double>(per_unit_));
}

char* DateTimeText::put(char* p, int64_t ticks, const SampleClock& clock) {
    const int64_t per = clock.ticks_per_unit();
    const int64_t seconds = floor_div(ticks, per);
    const int64_t day = floor_div(seconds, 86400);
    if (day != day_) {
        const CivilTime t = civil_time(day * 86400);
        // Outside four-digit years the year is written as the calendar gives it.
        char* d =
            t.year < 0 || t.year > 9999 ? std::to_chars(date_, date_ + 20, t.year).ptr : put_digits(date_, t.year, 4);
        *d++ = '-';
        d = put_digits(d, t.month, 2);
        *d++ = '-';
        d = put_digits(d, t.day, 2);
        *d++ = ' ';
        date_length_ = static_cast<size_t>(d - date_);
        day_ = day;
    }
    std::memcpy(p, date_, date_length_);
    p += date_length_;
    const int64_t of_day = seconds - day * 86400;
    p = put_digits(p, of_day / 3600, 2);
    *p++ = ':';
    p = put_digits(p, of_day / 60 % 60, 2);
    *p++ = ':';
    p = put_digits(p, of_day % 60, 2);
    if (clock.decimals() > 0) {
        *p++ = '.';
        p = put_digits(p, ticks - seconds * per, clock.decimals());
    }
    return p;
}

}  // namespace datrax::writer
