#include "records/field_conversion.h"

#include <fast_float/fast_float.h>

#include <charconv>
#include <cmath>

namespace datrax {

namespace conversion_detail {

namespace {
// Digits kept for the exact conversion: more than enough to round any
// decimal correctly to single precision, with one sticky digit for the rest.
constexpr int kKeptDigits = 120;
}  // namespace

bool convert_real_exact(std::string_view f, int d, REAL& out) {
    char buf[kKeptDigits + 40];
    int n = 0, frac = 0, extra = 0;
    bool neg = false, point = false, digit = false, sticky = false;
    size_t i = 0;
    for (; i < f.size(); ++i) {
        const char c = f[i];
        if (c == ' ') continue;
        if (c == '-' || c == '+') {
            if (digit) break;  // a sign after digits starts the exponent
            neg = c == '-';
        } else if (c == '.') {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digit = true;
            if (point) ++frac;
            if (n == 0 && c == '0') continue;
            if (n < kKeptDigits) {
                buf[n++] = c;
            } else {
                ++extra;
                sticky |= c != '0';
            }
        } else {
            break;  // exponent letter
        }
    }
    int64_t exponent = 0;
    bool exp_neg = false;
    for (; i < f.size(); ++i) {
        const char c = f[i];
        if (c == '-') exp_neg = true;
        if (c >= '0' && c <= '9' && exponent < 1000000) exponent = exponent * 10 + (c - '0');
    }
    int64_t e10 = (exp_neg ? -exponent : exponent) - (point ? frac : d) + extra;
    if (n == 0) {
        out = neg ? -0.0f : 0.0f;
        return true;
    }
    if (sticky) {
        buf[n++] = '1';
        --e10;
    }
    buf[n++] = 'e';
    n = static_cast<int>(std::to_chars(buf + n, buf + sizeof buf, e10).ptr - buf);
    float v = 0.0f;
    const auto r = fast_float::from_chars(buf, buf + n, v);
    if (r.ec != std::errc() || std::isinf(v)) return false;
    out = neg ? -v : v;
    return true;
}

}  // namespace conversion_detail

bool convert_logical(std::string_view f, LOGICAL& out) {
    size_t i = 0;
    while (i < f.size() && f[i] == ' ') ++i;
    if (i < f.size() && f[i] == '.') ++i;
    if (i >= f.size()) return false;
    const char c = f[i];
    if (c == 'T' || c == 't') {
        out = true;
        return true;
    }
    if (c == 'F' || c == 'f') {
        out = false;
        return true;
    }
    return false;
}

}  // namespace datrax
