#include "data/write_datra.h"

#include <charconv>
#include <cstdio>
#include <cstring>

#include "data/missing.h"

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

// "1e-05" -> "1.0e-5": a decimal point, and the exponent without its zeros.
std::string with_point(std::string t) {
    const size_t e = t.find('e');
    std::string mantissa = t.substr(0, e), exponent = e == std::string::npos ? "" : t.substr(e + 1);
    if (mantissa.find('.') == std::string::npos) mantissa += ".0";
    if (exponent.empty()) return mantissa;
    const bool negative = exponent[0] == '-';
    const size_t digits = exponent.find_first_not_of("+-0");
    return mantissa + (negative ? "e-" : "e") + (digits == std::string::npos ? "0" : exponent.substr(digits));
}

}  // namespace

std::string datra_interval(REAL dt) {
    char text[32];
    std::string t = with_point(std::string(text, static_cast<size_t>(std::to_chars(text, text + sizeof text, dt).ptr - text)));
    // Seldom too long (-1.2345678e-15): as many digits as fit.
    for (int digits = 8; t.size() > 12 && digits > 0; --digits) {
        std::snprintf(text, sizeof text, "%.*e", digits - 1, static_cast<double>(dt));
        t = with_point(text);
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
            char* end = is_missing(v) ? std::strcpy(field, "NaN") + 3 : put_value(field, v);
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
