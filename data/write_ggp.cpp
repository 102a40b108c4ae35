#include "data/write_ggp.h"

#include <cstring>
#include <string>

#include "data/calendar.h"
#include "records/missing.h"

namespace datrax::writer {

namespace {

constexpr int kValueColumns = 10;

char* put_field(char* p, REAL v) {
    char text[32];
    const char* missing = "9999.999";
    char* end = is_missing(v) ? std::strcpy(text, missing) + std::strlen(missing) : put_value_with_point(text, v);
    const int len = static_cast<int>(end - text);
    const int pad = len < kValueColumns ? kValueColumns - len : 1;
    std::memset(p, ' ', static_cast<size_t>(pad));
    std::memcpy(p + pad, text, static_cast<size_t>(len));
    return p + pad + len;
}

char* put_stamp(char* p, int64_t seconds) {
    const CivilTime t = civil_time(seconds);
    p = put_digits(p, t.year, 4);
    p = put_digits(p, t.month, 2);
    p = put_digits(p, t.day, 2);
    *p++ = ' ';
    p = put_digits(p, t.hour, 2);
    p = put_digits(p, t.minute, 2);
    return put_digits(p, t.second, 2);
}

}  // namespace

void write_ggp(const SeriesOut& gravity, const SeriesOut& pressure, TextOut& out) {
    // No free text in the header: a title holding "grav(...)" would be
    // taken for the column line when the file is read.
    out.text("Author            : DATRAX\n");
    out.text("yyyymmdd hhmmss gravity(" + gravity.unit + ") pressure(" + pressure.unit + ")\n");
    out.text("C***************************************************************\n");
    out.text("77777777\n");
    const auto first = static_cast<int64_t>(gravity.start);
    const auto step = static_cast<int64_t>(gravity.interval_seconds);
    const size_t n = gravity.samples.size();
    for (size_t i = 0; i < n; ++i) {
        char* p = put_stamp(out.room(), first + static_cast<int64_t>(i) * step);
        p = put_field(p, gravity.samples[i]);
        p = put_field(p, pressure.samples[i]);
        *p++ = '\n';
        out.advance(p);
    }
    out.text("99999999\n88888888\n");
}

}  // namespace datrax::writer
