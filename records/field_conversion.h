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

#if defined(__SSE2__)
inline __m128i bytes_before(unsigned k) { return _mm_load_si128(reinterpret_cast<const __m128i*>(kBytesBefore[k])); }

// A field of 8 to 16 columns right-aligned in sixteen bytes, blanks in front
// of it, from two eight-byte loads inside the field.
inline __m128i field_bytes(std::string_view f) {
    const uint64_t blanks = kEachByte * ' ';
    const size_t w = f.size();
    const unsigned pad = static_cast<unsigned>(16 - w) * 8;
    const uint64_t lo = pad == 64 ? blanks : load8(f.data()) << pad | (blanks & ((uint64_t{1} << pad) - 1));
    return _mm_set_epi64x(static_cast<int64_t>(load8(f.data() + w - 8)), static_cast<int64_t>(lo));
}

// The same from the line: one load of the sixteen bytes that end where the
// field ends, or else (from_start, where those would begin before the line)
// two loads inside the field.
inline __m128i field_bytes_in_line(const char* field, size_t w, bool from_start) {
    if (from_start) return field_bytes({field, w});
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(field + w - 16));
    const __m128i front = bytes_before(static_cast<unsigned>(16 - w));
    return _mm_or_si128(_mm_andnot_si128(front, v), _mm_and_si128(front, _mm_set1_epi8(' ')));
}

inline unsigned bytes_equal(__m128i v, char c) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(c))));
}

// Where the point of sixteen such bytes stands: 16 where there is none.
inline unsigned point_place(__m128i v) {
    return static_cast<unsigned>(std::countr_zero(bytes_equal(v, '.') | 0x10000u));
}

// The scan of sixteen such bytes with the point at byte `at` (16: no
// point): leading blanks, an optional sign, digits around the point, and
// nothing else. All sixteen are classified at once and the digits combined
// in pairs, fours and eights side by side. A caller that knows where the
// point usually stands passes that place, so that the digits need not wait
// for it to be found.
inline bool scan_plain_bytes_at(__m128i v, int d, unsigned at, ScannedReal& r) {
    if constexpr (std::endian::native != std::endian::little) return false;
    // '0'..'9' moved to the bottom of the signed byte range: one comparison.
    const __m128i is_digit =
        _mm_cmplt_epi8(_mm_add_epi8(v, _mm_set1_epi8(static_cast<char>(128 - '0'))), _mm_set1_epi8(-128 + 10));
    const unsigned digit = static_cast<unsigned>(_mm_movemask_epi8(is_digit));
    const unsigned blank = bytes_equal(v, ' '), point = bytes_equal(v, '.'), minus = bytes_equal(v, '-');
    const unsigned sign = minus | bytes_equal(v, '+');
    // Blanks only in front, then the sign, then digits around the point: one
    // test of all of it, so that fields of any shape cost no mispredicted jump.
    const unsigned lead = static_cast<unsigned>(std::countr_one(blank));
    const unsigned first = lead + (sign != 0);
    const bool plain = (blank == (1u << lead) - 1) & ((sign == 0) | (sign == 1u << lead)) &
                       ((point | 0x10000u) == (1u << at | 0x10000u)) & (digit != 0) &
                       (digit == (0xFFFFu & ~((1u << first) - 1) & ~point));
    if (!plain) return false;
    // Digit values, every other byte 0; the point taken out by moving the
    // bytes in front of it one place on.
    const __m128i values = _mm_and_si128(_mm_sub_epi8(v, _mm_set1_epi8('0')), is_digit);
    const __m128i before = bytes_before(at & 15);
    const __m128i x = _mm_or_si128(_mm_slli_si128(_mm_and_si128(values, before), 1), _mm_andnot_si128(before, values));
    // Pairs in 16-bit lanes, fours and eights in 32-bit lanes; the first
    // byte is the most significant digit.
    const __m128i pairs = _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(x, _mm_set1_epi16(0xFF)), _mm_set1_epi16(10)),
                                        _mm_srli_epi16(x, 8));
    const __m128i fours = _mm_madd_epi16(pairs, _mm_set1_epi32(1 << 16 | 100));
    const __m128i eights = _mm_madd_epi16(_mm_packs_epi32(fours, fours), _mm_set1_epi32(1 << 16 | 10000));
    const auto both = static_cast<uint64_t>(_mm_cvtsi128_si64(eights));
    r.kind = ScannedReal::Kind::Number;
    r.neg = minus != 0;
    r.inexact = false;
    r.m = (both & 0xFFFFFFFF) * 100000000 + (both >> 32);
    r.e10 = at == 16 ? -d : static_cast<int>(at) - 15;
    return true;
}

// The same wherever the point stands.
inline bool scan_plain_bytes(__m128i v, int d, ScannedReal& r) { return scan_plain_bytes_at(v, d, point_place(v), r); }
#endif
}  // namespace conversion_detail

// The scan step for the common field of a data file, 8 to 16 characters of
// leading blanks, an optional sign, digits and at most one point, and
// nothing else, converted sixteen bytes at once. False, leaving the field to
// scan_real, for anything else (and always where the vector instructions
// are missing).
inline bool scan_plain_real(std::string_view f, int d, ScannedReal& r) {
#if defined(__SSE2__)
    return f.size() >= 8 && f.size() <= 16 &&
           conversion_detail::scan_plain_bytes(conversion_detail::field_bytes(f), d, r);
#else
    (void)f;
    (void)d;
    (void)r;
    return false;
#endif
}

// Any real field taken apart, the sixteen-byte way where it can be.
inline ScannedReal scan_field(std::string_view f, int d) {
    ScannedReal r;
    if (!scan_plain_real(f, d, r)) r = scan_real(f, d);
    return r;
}

// The rounding step for nearly every field of a data file: a number of at
// most 53 bits and an exponent within reach of double precision, rounded
// through it. False leaves the number to round_real.
inline bool round_real_quickly(const ScannedReal& r, REAL& out) {
    if (r.m == 0) {
        out = r.neg ? -0.0f : 0.0f;
        return true;
    }
    float v;
    if (r.inexact || r.m > (uint64_t{1} << 53) || r.e10 < -22 || r.e10 > 22 ||
        !conversion_detail::real_via_double(r.m, r.e10, v))
        return false;
    // The sign set without a branch: fields of mixed sign cost no
    // mispredicted jumps.
    out = std::bit_cast<float>(std::bit_cast<uint32_t>(v) | static_cast<uint32_t>(r.neg) << 31);
    return true;
}

// The rounding step: the REAL nearest to a scanned number, through single or
// double precision where one rounding is exact, else through the exact path
// on the field itself. False beyond the range of REAL.
inline bool round_real(const ScannedReal& r, std::string_view f, int d, REAL& out) {
    if (round_real_quickly(r, out)) return true;
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
    const ScannedReal r = scan_field(f, d);
    if (r.kind == ScannedReal::Kind::Blank) {
        out = 0.0f;
        return true;
    }
    return r.kind == ScannedReal::Kind::Number && round_real(r, f, d, out);
}

// Where the quick conversion of a column's fields expects the point: where
// it stood in the column's field before, at first where a field written
// with d decimals has it (16: no point).
struct PointPlace {
    explicit PointPlace(int d) : at(static_cast<unsigned char>(d >= 0 && d <= 15 ? 15 - d : 16)) {}
    unsigned char at;
};

// The common field of a data file (see scan_plain_real) of w columns, 8 to
// 16, inside a line that can be read for sixteen bytes up to the field's end
// (else from_start, for a field that begins the line): the number rounded
// without leaving registers. False leaves the field to convert_real.
inline bool convert_plain_real_in_line(const char* field, size_t w, bool from_start, int d, PointPlace& point,
                                       REAL& out) {
#if defined(__SSE2__)
    using namespace conversion_detail;
    const __m128i v = field_bytes_in_line(field, w, from_start);
    ScannedReal r;
    if (!scan_plain_bytes_at(v, d, point.at, r)) {
        const unsigned at = point_place(v);
        if (!scan_plain_bytes_at(v, d, at, r)) return false;
        point.at = static_cast<unsigned char>(at);
    }
    return round_real_quickly(r, out);
#else
    (void)field;
    (void)w;
    (void)from_start;
    (void)d;
    (void)point;
    (void)out;
    return false;
#endif
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
