// Two real fields of the common shape converted at once, side by side in
// the two halves of a 256-bit vector, on processors that have such vectors
// (AVX2) and fused multiply-add. The results are bit for bit those of
// convert_plain_real_in_line; anything that one would leave to the general
// way, this leaves to it too.
#pragma once
#include <atomic>
#include <cstdint>

#include "records/field_conversion.h"

#if defined(__x86_64__) && defined(__SSE2__)
#include <immintrin.h>
#define DATRAX_FIELD_PAIRS 1
// Functions that use the wide vectors; called only where field_pairs() holds.
#define DATRAX_WIDE [[gnu::target("avx2,fma")]]
#endif

namespace datrax {

// Holds the conversion to one field at a time (false) or lets it take two at
// once where the processor can (true, the default); for comparing the two.
void set_field_pairs(bool allowed);

namespace conversion_detail {
extern std::atomic<bool> pairs_on;
}
// True when pairs are allowed and the processor has what they need. Asked
// for every line, so it is one load.
inline bool field_pairs() { return conversion_detail::pairs_on.load(std::memory_order_relaxed); }

// Two fields of a line taken together, the first in the low half of a
// 256-bit vector, the second in the high half: where the sixteen bytes of
// each half are loaded from and how they are moved into place, the field
// right-aligned behind blanks. Built once for the fields of a line.
struct FieldPair {
    alignas(32) unsigned char arrange[32] = {};  // byte moves within each half; 0x80 clears
    alignas(32) unsigned char blanks[32] = {};   // the blanks in front of each field
    int64_t load[2] = {};                        // where each half's bytes start, from the line's start
    int d[2] = {};                               // implied decimals of each field
    size_t first = 0;                            // the first field's place among its line's values

    // The fields of w 8 to 16 at columns col (from 0) of lines of at least
    // `columns` characters: false where the sixteen bytes of a field can be
    // read neither ending at its end nor starting at its start inside such
    // a line.
    bool plan(int64_t col0, int64_t w0, int d0, int64_t col1, int64_t w1, int d1, int64_t columns);
};

// What a pair expects of the points of its two fields: where they stand
// (as their PointPlaces say), and what follows from that.
struct PairPoints {
    alignas(32) unsigned char close_up[32] = {};  // byte moves that close the gap of each point
    alignas(32) double scale[4] = {};             // the power of ten of each field's digits, in both lanes of its half
    uint32_t point = 0;                           // the points' bytes
    uint32_t digit = 0;                           // a byte of each field that must be a digit
    bool usable = false;                          // both scales within the table

    unsigned char place[2] = {};  // the places expected

    void expect(const FieldPair& f, PointPlace p0, PointPlace p1);
    // True when built for these places.
    bool expects(PointPlace p0, PointPlace p1) const { return place[0] == p0.at && place[1] == p1.at; }
};

#if defined(DATRAX_FIELD_PAIRS)
namespace conversion_detail {

// The sign of the doubles of each half (two lanes each), by whether the
// half holds a minus.
inline constexpr uint64_t kMinus = uint64_t{1} << 63;
alignas(32) inline constexpr uint64_t kPairSigns[4][4] = {
    {0, 0, 0, 0}, {kMinus, kMinus, 0, 0}, {0, 0, kMinus, kMinus}, {kMinus, kMinus, kMinus, kMinus}};

DATRAX_WIDE inline uint32_t pair_bytes_equal(__m256i v, char c) {
    return static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, _mm256_set1_epi8(c))));
}

}  // namespace conversion_detail

// The two fields of a pair in `line` (which holds them whole), scanned and
// rounded as convert_plain_real_in_line does, into two[0] and two[1]: false,
// with nothing stored, where either field is not plain, holds a plus sign,
// has its point elsewhere than expected, or needs a closer look (a value
// halfway between two REALs, or of 2^52 and more).
DATRAX_WIDE inline bool convert_field_pair(const char* line, const FieldPair& f, const PairPoints& e, REAL* two) {
    using namespace conversion_detail;
    if (!e.usable) return false;
    const __m256i loaded = _mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(line + f.load[1]),
                                               reinterpret_cast<const __m128i*>(line + f.load[0]));
    const __m256i v =
        _mm256_or_si256(_mm256_shuffle_epi8(loaded, _mm256_load_si256(reinterpret_cast<const __m256i*>(f.arrange))),
                        _mm256_load_si256(reinterpret_cast<const __m256i*>(f.blanks)));
    const __m256i is_digit = _mm256_cmpgt_epi8(_mm256_set1_epi8(-128 + 10),
                                               _mm256_add_epi8(v, _mm256_set1_epi8(static_cast<char>(128 - '0'))));
    const uint32_t digit = static_cast<uint32_t>(_mm256_movemask_epi8(is_digit));
    const uint32_t blank = pair_bytes_equal(v, ' '), point = pair_bytes_equal(v, '.'), minus = pair_bytes_equal(v, '-');
    // Every byte a blank, minus, point or digit; blanks and the minus only
    // at the start of a field or after a blank (so blanks lead, then at
    // most one minus); the points where expected; a digit in each field.
    constexpr uint32_t kFieldStarts = 1u | 1u << 16;
    const uint32_t faults = ~(digit | blank | point | minus) | (point ^ e.point) |
                            ((blank | minus) & ~(blank << 1 | kFieldStarts)) | (e.digit & ~digit);
    if (faults != 0) return false;
    // Digit values (blanks, minus and point lie below '0' and saturate to
    // 0) with the points taken out (the digits in front of a point moved one
    // byte on), then pairs, fours and eights of digits in each half (as
    // scan_plain_bytes_at).
    const __m256i values = _mm256_subs_epu8(v, _mm256_set1_epi8('0'));
    const __m256i x = _mm256_shuffle_epi8(values, _mm256_load_si256(reinterpret_cast<const __m256i*>(e.close_up)));
    const __m256i pairs = _mm256_maddubs_epi16(x, _mm256_set1_epi16(1 << 8 | 10));
    const __m256i fours = _mm256_madd_epi16(pairs, _mm256_set1_epi32(1 << 16 | 100));
    const __m256i eights = _mm256_madd_epi16(_mm256_packs_epi32(fours, fours), _mm256_set1_epi32(1 << 16 | 10000));
    // Each field's number in both 64-bit lanes of its half: the high eight
    // digits times 10^8 plus the low eight. Below 2^52 it is the mantissa of
    // a double as it stands.
    const __m256i m =
        _mm256_add_epi64(_mm256_mul_epu32(eights, _mm256_set1_epi64x(100000000)), _mm256_srli_epi64(eights, 32));
    const __m256d two52 = _mm256_set1_pd(4503599627370496.0);
    const __m256d exact_m = _mm256_sub_pd(_mm256_castsi256_pd(_mm256_or_si256(m, _mm256_castpd_si256(two52))), two52);
    // The sign goes with the scale, so that a zero keeps it.
    const unsigned signs = ((minus & 0xFFFF) != 0) | (minus > 0xFFFF) << 1;
    const __m256d scaled = _mm256_mul_pd(
        exact_m,
        _mm256_xor_pd(_mm256_load_pd(e.scale), _mm256_load_pd(reinterpret_cast<const double*>(kPairSigns[signs]))));
    // Clear of a midpoint between REALs (see real_via_double).
    const __m256i low =
        _mm256_sub_epi64(_mm256_and_si256(_mm256_castpd_si256(scaled), _mm256_set1_epi64x((int64_t{1} << 29) - 1)),
                         _mm256_set1_epi64x((int64_t{1} << 28) - 8));
    const __m256i clear = _mm256_or_si256(_mm256_cmpgt_epi64(_mm256_setzero_si256(), low),
                                          _mm256_cmpgt_epi64(low, _mm256_set1_epi64x(16)));
    const __m256i exact = _mm256_cmpgt_epi64(_mm256_set1_epi64x(int64_t{1} << 52), m);
    if (_mm256_movemask_pd(_mm256_castsi256_pd(_mm256_and_si256(clear, exact))) != 15) return false;
    const __m128 reals = _mm256_cvtpd_ps(scaled);  // each field's REAL twice
    _mm_storel_pi(reinterpret_cast<__m64*>(two), _mm_shuffle_ps(reals, reals, _MM_SHUFFLE(0, 0, 2, 0)));
    return true;
}
#endif

}  // namespace datrax
