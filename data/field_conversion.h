// Conversion of one field of a record into an INTEGER, REAL or LOGICAL.
// Fixed-column fields ignore blanks anywhere; free-format values never hold
// blanks, so the same rules serve both. Nothing here depends on the locale.
#pragma once
#include <cstdint>
#include <string_view>

#include "app/state.h"

namespace datrax {

// Optional sign, then digits; an all-blank field gives 0. False for any
// other character, a sign without digits, or a value beyond INTEGER.
inline bool convert_integer(std::string_view f, INTEGER& out) {
    int64_t v = 0;
    bool neg = false, sign = false, digit = false;
    for (const char c : f) {
        if (c == ' ') continue;
        if ((c == '+' || c == '-') && !sign && !digit) {
            neg = c == '-';
            sign = true;
            continue;
        }
        if (c < '0' || c > '9') return false;
        digit = true;
        v = v * 10 + (c - '0');
        if (v > int64_t{1} << 31) return false;
    }
    if (sign && !digit) return false;
    if (neg) v = -v;
    if (v > INT32_MAX) return false;
    out = static_cast<INTEGER>(v);
    return true;
}

namespace conversion_detail {
// The general path: every digit taken into account, correctly rounded.
// Called only for a field the fast scan has found well formed.
bool convert_real_exact(std::string_view f, int d, REAL& out);

inline constexpr float kPow10[11] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
}  // namespace conversion_detail

// Optional sign, digits with an optional point, optional exponent (E, e, D
// or d with an optionally signed integer, or a sign directly followed by the
// integer). Without a written point one is implied d digits from the right
// of the digit string. An all-blank field gives 0.0. The result is the REAL
// nearest to the decimal value; false for a malformed field or one beyond
// the range of REAL.
inline bool convert_real(std::string_view f, int d, REAL& out) {
    uint64_t m = 0;
    int sig = 0;          // digits held in m
    int frac = 0;         // digits written after the point
    int64_t exponent = 0;
    bool neg = false, sign = false, point = false, digit = false, inexact = false;
    bool in_exp = false, exp_neg = false, exp_sign = false, exp_digit = false;
    int extra = 0;  // significant digits beyond those held in m
    for (const char c : f) {
        if (c == ' ') continue;
        if (!in_exp) {
            if (c >= '0' && c <= '9') {
                digit = true;
                if (point) ++frac;
                if (m == 0 && c == '0') continue;
                if (sig < 19) {
                    m = m * 10 + static_cast<uint64_t>(c - '0');
                    ++sig;
                } else {
                    ++extra;
                    inexact |= c != '0';
                }
            } else if (c == '.') {
                if (point) return false;
                point = true;
            } else if ((c == '+' || c == '-') && !sign && !digit && !point) {
                neg = c == '-';
                sign = true;
            } else if (c == '+' || c == '-') {
                if (!digit) return false;
                in_exp = exp_sign = true;
                exp_neg = c == '-';
            } else if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
                if (!digit) return false;
                in_exp = true;
            } else {
                return false;
            }
        } else if (c >= '0' && c <= '9') {
            exp_digit = true;
            if (exponent < 1000000) exponent = exponent * 10 + (c - '0');
        } else if ((c == '+' || c == '-') && !exp_sign && !exp_digit) {
            exp_sign = true;
            exp_neg = c == '-';
        } else {
            return false;
        }
    }
    if (!digit) {
        if (sign || point) return false;
        out = 0.0f;
        return true;
    }
    if (in_exp && !exp_digit) return false;
    if (m == 0) {
        out = neg ? -0.0f : 0.0f;
        return true;
    }
    const int64_t e10 = (exp_neg ? -exponent : exponent) - (point ? frac : d) + extra;
    if (!inexact && m <= (uint64_t{1} << 24) && e10 >= -10 && e10 <= 10) {
        // Both operands are exact in single precision, so one rounding.
        float v = static_cast<float>(m);
        v = e10 < 0 ? v / conversion_detail::kPow10[-e10] : v * conversion_detail::kPow10[e10];
        out = neg ? -v : v;
        return true;
    }
    return conversion_detail::convert_real_exact(f, d, out);
}

// Optional blanks and point, then T or F (either case); anything may follow.
bool convert_logical(std::string_view f, LOGICAL& out);

}  // namespace datrax
