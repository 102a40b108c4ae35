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
    int64_t load[2] = {};                   // where each half's bytes start, from the line's start
    int d[2] = {};                          // implied decimals of each field
    size_t first = 0;                       // the first field's place among its line's values

    // The fields of w 8 to 16 at columns col (from 0) of lines of at least
    // `columns` characters: false where the sixteen bytes of a field can be
    // read neither ending at its end nor starting at its start inside such
    // a line.
    bool plan(int64_t col0, int64_t w0, int d0, int64_t col1, int64_t w1, int d1, int64_t columns);
};

// What a pair expects of the points of its two fields: where they stand
// (as their PointPlaces say), and what follows from that.
struct PairPoints {
    alignas(32) unsigned char before[32] = {};  // the digits in front of each point
    alignas(16) double scale[2] = {};      // the power of ten of each field's digits
    uint32_t point = 0;                    // the points' bytes
    uint32_t digit = 0;                    // a byte of each field that must be a digit
    bool usable = false;                   // both scales within the table

    void expect(const FieldPair& f, PointPlace p0, PointPlace p1);
};

#if defined(DATRAX_FIELD_PAIRS)
namespace conversion_detail {

// The sign of each half's double, by whether the half holds a minus.
alignas(16) inline constexpr uint64_t kPairSigns[4][2] = {
    {0, 0}, {uint64_t{1} << 63, 0}, {0, uint64_t{1} << 63}, {uint64_t{1} << 63, uint64_t{1} << 63}};

DATRAX_WIDE inline uint32_t pair_bytes_equal(__m256i v, char c) {
    return static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, _mm256_set1_epi8(c))));
}

}  // namespace conversion_detail

// The two fields of a pair in `line` (which holds them whole), scanned and
// rounded as convert_plain_real_in_line does, into two[0] and two[1]: false,
// with nothing stored, where either field is not plain, holds a plus sign,
// has its point elsewhere than expected, or needs a closer look (a value
// halfway between two REALs, or of 2^53 and more).
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
    // Digit values with the points taken out, then pairs, fours and eights
    // of digits in each half (as scan_plain_bytes_at).
    const __m256i values = _mm256_and_si256(_mm256_sub_epi8(v, _mm256_set1_epi8('0')), is_digit);
    const __m256i before = _mm256_load_si256(reinterpret_cast<const __m256i*>(e.before));
    const __m256i x =
        _mm256_or_si256(_mm256_slli_si256(_mm256_and_si256(values, before), 1), _mm256_andnot_si256(before, values));
    const __m256i pairs = _mm256_maddubs_epi16(x, _mm256_set1_epi16(1 << 8 | 10));
    const __m256i fours = _mm256_madd_epi16(pairs, _mm256_set1_epi32(1 << 16 | 100));
    const __m256i eights = _mm256_madd_epi16(_mm256_packs_epi32(fours, fours), _mm256_set1_epi32(1 << 16 | 10000));
    // The high and low eight digits of both fields, as doubles, joined
    // exactly by one fused step wherever the number is below 2^53.
    const __m128i halves =
        _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(eights, _mm256_setr_epi32(0, 4, 1, 5, 0, 4, 1, 5)));
    const __m128d m =
        _mm_fmadd_pd(_mm_cvtepi32_pd(halves), _mm_set1_pd(1e8), _mm_cvtepi32_pd(_mm_unpackhi_epi64(halves, halves)));
    // The sign goes with the scale, so that a zero keeps it.
    const unsigned signs = ((minus & 0xFFFF) != 0) | (minus > 0xFFFF) << 1;
    const __m128d scaled = _mm_mul_pd(
        m, _mm_xor_pd(_mm_load_pd(e.scale), _mm_load_pd(reinterpret_cast<const double*>(kPairSigns[signs]))));
    // Clear of a midpoint between REALs (see real_via_double).
    const __m128i low = _mm_sub_epi64(_mm_and_si128(_mm_castpd_si128(scaled), _mm_set1_epi64x((int64_t{1} << 29) - 1)),
                                      _mm_set1_epi64x((int64_t{1} << 28) - 8));
    const __m128i clear =
        _mm_or_si128(_mm_cmpgt_epi64(_mm_setzero_si128(), low), _mm_cmpgt_epi64(low, _mm_set1_epi64x(16)));
    const __m128i exact = _mm_castpd_si128(_mm_cmplt_pd(m, _mm_set1_pd(9007199254740992.0)));
    if (_mm_movemask_pd(_mm_castsi128_pd(_mm_and_si128(clear, exact))) != 3) return false;
    _mm_storel_pi(reinterpret_cast<__m64*>(two), _mm_cvtpd_ps(scaled));
    return true;
}
#endif

}  // namespace datrax
