// Conversion of one field of a record into an INTEGER, REAL or LOGICAL.
// Fixed-column fields ignore blanks anywhere; free-format values never hold
// blanks, so the same rules serve both. Nothing here depends on the locale.
#pragma once
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/types.h"

namespace datrax {

// A blank between the fields of a line: a space or a tab.
inline bool is_blank(char c) { return c == ' ' || c == '\t'; }

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
inline constexpr double kPow10d[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                       1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// 10^-k rounded to double: multiplying by it is much faster than dividing by
// 10^k, at the price of a result up to about two units of the last double
// place away from the exact quotient.
inline constexpr double kInvPow10d[23] = {1e0,   1e-1,  1e-2,  1e-3,  1e-4,  1e-5,  1e-6,  1e-7,
                                          1e-8,  1e-9,  1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15,
                                          1e-16, 1e-17, 1e-18, 1e-19, 1e-20, 1e-21, 1e-22};

// m x 10^e10 in double precision, then to single precision. The double lies
// within a few units of its last place of the exact value, and midpoints
// between neighbouring REALs are doubles whose 29 low bits read 0x10000000:
// a double clear of that pattern by more than the error rounds to the same
// REAL as the exact value. Doubles close to a midpoint, and results outside
// the normal single range, are left to the exact path (false).
inline bool real_via_double(uint64_t m, int64_t e10, float& out) {
    const double d = e10 < 0 ? static_cast<double>(m) * kInvPow10d[-e10] : static_cast<double>(m) * kPow10d[e10];
    if (!(d >= 1.1754944e-38 && d <= 3.4028234e38)) return false;
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    constexpr uint64_t kMidpoint = uint64_t{1} << 28, kMargin = 8;
    if ((bits & ((uint64_t{1} << 29) - 1)) - (kMidpoint - kMargin) <= 2 * kMargin) return false;
    out = static_cast<float>(d);
    return true;
}
}  // namespace conversion_detail

// A real field taken apart: the value is (neg ? -1 : 1) x m x 10^e10, where
// inexact says that nonzero digits beyond m's 19 were dropped.
struct ScannedReal {
    enum class Kind : unsigned char { Blank, Number, Malformed } kind = Kind::Malformed;
    bool neg = false;
    bool inexact = false;
    uint64_t m = 0;
    int64_t e10 = 0;
};

// The scan step: optional sign, digits with an optional point, optional
// exponent (E, e, D or d with an optionally signed integer, or a sign
// directly followed by the integer). Without a written point one is implied
// d digits from the right of the digit string. Blanks inside are ignored.
inline ScannedReal scan_real(std::string_view f, int d) {
    ScannedReal r;
    const char* p = f.data();
    const char* const end = p + f.size();
    while (p < end && *p == ' ') ++p;
    if (p == end) {
        r.kind = ScannedReal::Kind::Blank;
        return r;
    }
    if (*p == '+' || *p == '-') r.neg = *p++ == '-';
    // The digits go into m while it can hold them (leading zeros included,
    // they add nothing); further digits only scale it.
    int held = 0;   // digits taken into m
    int extra = 0;  // digits beyond those
    int frac = 0;   // digits written after the point
    bool point = false;
    // A field of at most 19 characters cannot hold more digits than m does.
    const bool short_field = end - p <= 19;
    const auto take = [&](unsigned dv) {
        if (short_field || held < 19) {
            r.m = r.m * 10 + dv;
            ++held;
        } else {
            ++extra;
            r.inexact |= dv != 0;
        }
    };
    for (; p < end; ++p) {
        const unsigned dv = static_cast<unsigned>(*p - '0');
        if (dv < 10) {
            take(dv);
        } else if (*p != ' ') {
            break;
        }
    }
    if (p < end && *p == '.') {
        point = true;
        for (++p; p < end; ++p) {
            const unsigned dv = static_cast<unsigned>(*p - '0');
            if (dv < 10) {
                take(dv);
                ++frac;
            } else if (*p != ' ') {
                break;
            }
        }
    }
    if (held == 0) return r;
    int64_t exponent = 0;
    bool exp_neg = false;
    if (p < end) {
        const char c = *p++;
        if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
            while (p < end && *p == ' ') ++p;
            if (p < end && (*p == '+' || *p == '-')) exp_neg = *p++ == '-';
        } else if (c == '+' || c == '-') {
            exp_neg = c == '-';
        } else {
            return r;
        }
        bool exp_digit = false;
        for (; p < end; ++p) {
            const unsigned dv = static_cast<unsigned>(*p - '0');
            if (dv < 10) {
                exp_digit = true;
                if (exponent < 1000000) exponent = exponent * 10 + dv;
            } else if (*p != ' ') {
                return r;
            }
        }
        if (!exp_digit) return r;
    }
    r.e10 = (exp_neg ? -exponent : exponent) - (point ? frac : d) + extra;
    r.kind = ScannedReal::Kind::Number;
    return r;
}

namespace conversion_detail {
inline constexpr uint64_t kEachByte = 0x0101010101010101;

inline uint64_t load8(const char* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Eight digit values (0..9, the first the most significant, in the lowest
// byte) as one number: pairs, then quadruples, then all eight.
inline uint64_t eight_digits(uint64_t v) {
    v = (v * 10 + (v >> 8)) & 0x00FF00FF00FF00FF;
    v = (v * 100 + (v >> 16)) & 0x0000FFFF0000FFFF;
    return (v * 10000 + (v >> 32)) & 0xFFFFFFFF;
}

// Row k: the byte mask of the first k of sixteen bytes.
struct BytesBefore {
    alignas(16) unsigned char rows[16][16];
    constexpr BytesBefore() : rows{} {
        for (int k = 0; k < 16; ++k) {
            for (int i = 0; i < k; ++i) rows[k][i] = 0xFF;
        }
    }
    constexpr const unsigned char* operator[](unsigned k) const { return rows[k]; }
};
inline constexpr BytesBefore kBytesBefore;
}  // namespace conversion_detail

// The scan step for the common field of a data file, 8 to 16 characters of
// leading blanks, an optional sign, digits and at most one point, and
// nothing else: all sixteen bytes are classified at once and the digits
// converted eight to the word. False, leaving the field to scan_real, for
// anything else (and always where the vector instructions are missing).
inline bool scan_plain_real(std::string_view f, int d, ScannedReal& r) {
#if defined(__SSE2__)
    using namespace conversion_detail;
    if constexpr (std::endian::native != std::endian::little) return false;
    const size_t w = f.size();
    if (w < 8 || w > 16) return false;
    // The field right-aligned in sixteen bytes, blanks in front of it.
    const uint64_t blanks = kEachByte * ' ';
    const unsigned pad = static_cast<unsigned>(16 - w) * 8;
    const uint64_t lo = pad == 64 ? blanks : load8(f.data()) << pad | (blanks & ((uint64_t{1} << pad) - 1));
    const __m128i v = _mm_set_epi64x(static_cast<int64_t>(load8(f.data() + w - 8)), static_cast<int64_t>(lo));
    const auto bytes_equal = [v](char c) {
        return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(c))));
    };
    const __m128i is_digit =
        _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8('0' - 1)), _mm_cmplt_epi8(v, _mm_set1_epi8('9' + 1)));
    const unsigned digit = static_cast<unsigned>(_mm_movemask_epi8(is_digit));
    const unsigned blank = bytes_equal(' '), point = bytes_equal('.'), minus = bytes_equal('-');
    const unsigned sign = minus | bytes_equal('+');
    // Blanks only in front, then the sign, then digits around one point: one
    // test of all of it, so that fields of any shape cost no mispredicted jump.
    const unsigned lead = static_cast<unsigned>(std::countr_one(blank));
    const unsigned first = lead + (sign != 0);
    const bool plain = (blank == (1u << lead) - 1) & ((sign == 0) | (sign == 1u << lead)) &
                       ((point & (point - 1)) == 0) & (digit != 0) &
                       (digit == (0xFFFFu & ~((1u << first) - 1) & ~point));
    if (!plain) return false;
    // Digit values, every other byte 0; the point (at 16 where there is
    // none) taken out by moving the bytes in front of it one place on.
    const unsigned at = static_cast<unsigned>(std::countr_zero(point | 0x10000u));
    const __m128i values = _mm_and_si128(_mm_sub_epi8(v, _mm_set1_epi8('0')), is_digit);
    const __m128i before = _mm_load_si128(reinterpret_cast<const __m128i*>(kBytesBefore[at & 15]));
    const __m128i x = _mm_or_si128(_mm_slli_si128(_mm_and_si128(values, before), 1), _mm_andnot_si128(before, values));
    const auto high = static_cast<uint64_t>(_mm_cvtsi128_si64(x)),
               low = static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(x, x)));
    r.kind = ScannedReal::Kind::Number;
    r.neg = minus != 0;
    r.inexact = false;
    r.m = eight_digits(high) * 100000000 + eight_digits(low);
    r.e10 = at == 16 ? -d : static_cast<int>(at) - 15;
    return true;
#else
    (void)f;
    (void)d;
    (void)r;
    return false;
#endif
}

// The rounding step: the REAL nearest to a scanned number, through single or
// double precision where one rounding is exact, else through the exact path
// on the field itself. False beyond the range of REAL.
inline bool round_real(const ScannedReal& r, std::string_view f, int d, REAL& out) {
    if (r.m == 0) {
        out = r.neg ? -0.0f : 0.0f;
        return true;
    }
    // One path for nearly every field of a data file, whatever its digits,
    // and the sign set without a branch: fields of mixed sign and length
    // then cost no mispredicted jumps.
    if (!r.inexact && r.m <= (uint64_t{1} << 53) && r.e10 >= -22 && r.e10 <= 22) {
        float v;
        if (conversion_detail::real_via_double(r.m, r.e10, v)) {
            out = std::bit_cast<float>(std::bit_cast<uint32_t>(v) | static_cast<uint32_t>(r.neg) << 31);
            return true;
        }
    }
    if (!r.inexact && r.m <= (uint64_t{1} << 24) && r.e10 >= -10 && r.e10 <= 10) {
        // Both operands are exact in single precision, so one rounding (this
        // also settles the values the double path leaves open).
        float v = static_cast<float>(r.m);
        v = r.e10 < 0 ? v / conversion_detail::kPow10[-r.e10] : v * conversion_detail::kPow10[r.e10];
        out = r.neg ? -v : v;
        return true;
    }
    return conversion_detail::convert_real_exact(f, d, out);
}

// A real field: an all-blank field gives 0.0, a number the REAL nearest to
// its decimal value; false for a malformed field or one beyond the range of
// REAL.
inline bool convert_real(std::string_view f, int d, REAL& out) {
    ScannedReal r;
    if (!scan_plain_real(f, d, r)) r = scan_real(f, d);
    if (r.kind == ScannedReal::Kind::Blank) {
        out = 0.0f;
        return true;
    }
    return r.kind == ScannedReal::Kind::Number && round_real(r, f, d, out);
}

// Optional blanks and point, then T or F (either case); anything may follow.
bool convert_logical(std::string_view f, LOGICAL& out);

// The value of a text of 1 to MOST digits and nothing else (dates and times
// in file names and fields); false for any other text.
template <class Int>
bool digits_value(std::string_view s, size_t most, Int& v) {
    if (s.empty() || s.size() > most) return false;
    v = 0;
    for (const char c : s) {
        if (c < '0' || c > '9') return false;
        v = static_cast<Int>(v * 10 + (c - '0'));
    }
    return true;
}

}  // namespace datrax
