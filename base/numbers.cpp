#include "base/numbers.h"

#include <algorithm>
#include <cmath>

namespace datrax {

namespace {

constexpr int kWidth = 32;

// Integer digits from which numbers are written in exponent form (0: never);
// every plot device set-up chooses its own.
INTEGER number_digits = 0;

struct Layout {
    bool negative = false;
    double mantissa = 0;  // the value written before any exponent
    int exponent = 0;     // 0 when no exponent form
    bool exponent_form = false;
    bool negative_exponent = false;
};

// The value times 10^n as the single-precision number the system works
// with (10^n itself in double, which holds every power a float needs).
double scaled_single(double a, int n) { return static_cast<float>(a * std::pow(10.0, n)); }

// Exponent form: the mantissa is a / 10^(n-1) with exponent n - 1 for large
// values, a x 10^n with exponent -n for small ones (n = |log10 a| rounded up).
// The logarithm is taken in single precision: 1.0E-8 is exactly 10^-8 there.
void to_exponent_form(Layout& l, float a) {
    const float log = std::log10(a);
    const int n = std::max(1, static_cast<int>(std::ceil(std::fabs(log))));
    l.exponent_form = true;
    if (log >= 0) {
        l.mantissa = scaled_single(a, -(n - 1));
        l.exponent = n - 1;
    } else {
        l.mantissa = scaled_single(a, n);
        l.exponent = n;
        l.negative_exponent = true;
    }
}

// The mantissa rounded to d decimals as an integer. Within the integers that
// single precision holds exactly, a x 10^d is taken in single precision (1.005
// with 2 decimals gives 1.01, as the value typed); beyond, in double so that
// every digit of a large value is kept.
double rounded_digits(double a, int d) {
    constexpr double kSingleIntegers = 16777216.0;  // 2^24
    const double single = scaled_single(a, d);
    return std::floor((single < kSingleIntegers ? single : a * std::pow(10.0, d)) + 0.5);
}

// Position of the decimal point and the length of the fixed part.
void fixed_extent(double a, int d, bool no_point, int start, double& r, int& point, int& length) {
    r = rounded_digits(a, d);
    point = a < 1 ? start + 1 : start + static_cast<int>(std::floor(std::log10(r / std::pow(10.0, d)))) + 1;
    length = point + d - (no_point ? 1 : 0);
}

}  // namespace

void NUMDIG(INTEGER& N) {
    if (N < 0)
        N = number_digits;
    else
        number_digits = N;
}

void FMTNUM(const REAL& VALUE, const INTEGER& NDEC, TextRef TEXT, INTEGER& NCHAR) {
    char buf[kWidth + 8];
    std::fill(std::begin(buf), std::end(buf), ' ');
    if (!std::isfinite(VALUE)) {
        buf[0] = '*';
        NCHAR = 1;
    } else {
        Layout l;
        l.negative = VALUE < 0;
        const float a = std::fabs(VALUE);
        l.mantissa = a;
        if (VALUE != 0 && number_digits != 0 && std::fabs(std::log10(a)) >= static_cast<float>(number_digits))
            to_exponent_form(l, a);

        const int d = std::clamp<int>(NDEC, 0, 9);
        const int start = l.negative ? 2 : 1;
        double r = 0;
        int point = 0, n = 0;
        fixed_extent(l.mantissa, d, NDEC < 0, start, r, point, n);
        if (!l.exponent_form && n > kWidth) {
            // A fixed form that would not fit is written in the exponent form.
            to_exponent_form(l, a);
            fixed_extent(l.mantissa, d, NDEC < 0, start, r, point, n);
        }
        if (l.negative) buf[0] = '-';
        for (int pos = n; pos >= start; --pos) {
            if (pos == point && NDEC >= 0) {
                buf[pos - 1] = '.';
                if (--pos < start) break;
            }
            buf[pos - 1] = static_cast<char>('0' + static_cast<int>(std::fmod(r, 10.0)));
            r = std::floor(r / 10.0);
        }
        if (l.exponent_form) {
            buf[n++] = 'E';
            if (l.negative_exponent) buf[n++] = '-';
            if (l.exponent > 9) buf[n++] = static_cast<char>('0' + l.exponent / 10 % 10);
            buf[n++] = static_cast<char>('0' + l.exponent % 10);
        }
        NCHAR = n;
    }
    std::copy_n(buf, std::min<int>(NCHAR, TEXT.n), TEXT.p);
}

}  // namespace datrax
