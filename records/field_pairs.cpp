#include "records/field_pairs.h"

#include <atomic>

namespace datrax {

namespace {
bool processor_has_pairs() {
#if defined(DATRAX_FIELD_PAIRS)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
#else
    return false;
#endif
}
}  // namespace

std::atomic<bool> conversion_detail::pairs_on{processor_has_pairs()};

void set_field_pairs(bool allowed) { conversion_detail::pairs_on = allowed && processor_has_pairs(); }

namespace {
// One half of a pair: the field of w columns at col, its sixteen bytes read
// ending at its end where that stays inside the line, else starting at its
// start where that does.
bool plan_half(int64_t col, int64_t w, int64_t columns, unsigned char* arrange, unsigned char* blanks, int64_t& load) {
    if (w < 8 || w > 16 || col < 0) return false;
    const int64_t front = 16 - w;  // bytes before the field in its half
    const bool from_end = col + w >= 16;
    if (!from_end && col + 16 > columns) return false;
    load = from_end ? col + w - 16 : col;
    for (int64_t i = 0; i < 16; ++i) {
        const bool in_field = i >= front;
        arrange[i] = !in_field ? 0x80 : static_cast<unsigned char>(from_end ? i : i - front);
        blanks[i] = in_field ? 0 : ' ';
    }
    return true;
}

// The byte of a field's sixteen that must be a digit when its point stands
// at `at`: the last, or the one before a point in the last.
unsigned digit_needed(unsigned at) { return at == 15 ? 14 : 15; }

// The power of ten that scales the digits of a field with its point at
// byte `at` (16: none, d implied decimals): false beyond the table.
bool place_scale(unsigned at, int d, double& scale) {
    const int e = at < 16 ? 15 - static_cast<int>(at) : d;
    scale = e >= 0 && e <= 22 ? conversion_detail::kInvPow10d[e] : 0.0;
    return e >= 0 && e <= 22;
}
}  // namespace

bool FieldPair::plan(int64_t col0, int64_t w0, int d0, int64_t col1, int64_t w1, int d1, int64_t columns) {
    d[0] = d0;
    d[1] = d1;
    return plan_half(col0, w0, columns, arrange, blanks, load[0]) &&
           plan_half(col1, w1, columns, arrange + 16, blanks + 16, load[1]);
}

void PairPoints::expect(const FieldPair& f, PointPlace p0, PointPlace p1) {
    const PointPlace places[2] = {p0, p1};
    usable = true;
    point = digit = 0;
    for (int h = 0; h < 2; ++h) {
        const unsigned at = places[h].at;
        place[h] = places[h].at;
        usable &= place_scale(at, f.d[h], scale[2 * h]);
        scale[2 * h + 1] = scale[2 * h];
        if (at < 16) point |= 1u << (at + 16 * h);
        digit |= 1u << (digit_needed(at) + 16 * h);
        // Byte j takes byte j - 1 up to the point's byte, byte j after it.
        for (unsigned j = 0; j < 16; ++j) {
            close_up[16 * h + j] = j > at || at == 16 ? static_cast<unsigned char>(j)
                                   : j == 0           ? 0x80
                                                      : static_cast<unsigned char>(j - 1);
        }
    }
}

}  // namespace datrax
