#include "data/write_datra.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "records/missing.h"

namespace datrax::writer {

namespace {

constexpr int kPerLine = 5;
constexpr int kWidth = 16;

// Text of at most n characters, blank-padded to n.
std::string column(std::string_view text, size_t n) {
    std::string c(text.substr(0, n));
    c.resize(n, ' ');
    return c;
}

// "1.0e-05" -> "1.0e-5", "2.5e+10" -> "2.5e10": the exponent without its
// sign and zeros where they are not needed.
std::string compact_exponent(std::string t) {
    const size_t e = t.find('e');
    if (e == std::string::npos) return t;
    const bool negative = t[e + 1] == '-';
    const size_t digits = t.find_first_not_of("+-0", e + 1);
    return t.substr(0, e) + (negative ? "e-" : "e") + (digits == std::string::npos ? "0" : t.substr(digits));
}

}  // namespace

std::string datra_interval(REAL dt) {
    char text[40];
    std::string t = compact_exponent(std::string(text, put_value_with_point(text, dt)));
    // Seldom too long (1.2345678e-15): as many digits as fit.
    for (int digits = 8; t.size() > 12 && digits > 1; --digits) {
        std::snprintf(text, sizeof text, "%.*e", digits - 1, static_cast<double>(dt));
        t = compact_exponent(text);
    }
    return std::string(12 - std::min<size_t>(t.size(), 12), ' ') + t.substr(0, 12);
}

void write_datra(const SeriesOut& s, TextOut& out) {
    char count[16];
    std::snprintf(count, sizeof count, "%10zu", s.samples.size());
    out.text(s.title.substr(0, 80) + "\n");
    out.text(std::string(count) + datra_interval(s.dt) + "\n");
    out.text(column("(5e16.8)", 20) + column(s.unit, 20) + s.time_unit.substr(0, 20) + "\n");
    const size_t n = s.samples.size();
    for (size_t i = 0; i < n; i += kPerLine) {
        char* p = out.room();
        for (size_t j = i; j < std::min(n, i + kPerLine); ++j) {
            char field[32];
            const REAL v = s.samples[j];
            char* end = is_missing(v) ? std::strcpy(field, "NaN") + 3 : put_value_with_point(field, v);
            const size_t len = static_cast<size_t>(end - field);
            std::memset(p, ' ', kWidth - len);
            std::memcpy(p + (kWidth - len), field, len);
            p += kWidth;
        }
        *p++ = '\n';
        out.advance(p);
    }
}

}  // namespace datrax::writer
