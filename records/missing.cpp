#include "records/missing.h"

#include <numeric>
#if defined(__SSE2__)
#include <immintrin.h>
#endif
#include <vector>

#include "records/helper_thread.h"

namespace datrax {

namespace {

std::string_view trimmed(std::string_view f) {
    const size_t a = f.find_first_not_of(' ');
    if (a == std::string_view::npos) return {};
    return f.substr(a, f.find_last_not_of(' ') - a + 1);
}

}  // namespace

bool is_nan_text(std::string_view field) {
    const std::string_view t = trimmed(field);
    if (t.size() != 3) return false;
    const auto lower = [](char c) { return static_cast<char>(c | 0x20); };
    return lower(t[0]) == 'n' && lower(t[1]) == 'a' && lower(t[2]) == 'n';
}

bool is_flag_value(std::string_view field) {
    const std::string_view t = trimmed(field);
    int before = 0;
    bool point = false;
    for (const char c : t) {
        if (c == '.' && !point) {
            point = true;
        } else if (c != '9') {
            return false;
        } else if (!point) {
            ++before;
        }
    }
    return before >= 4;
}

namespace {
// The NaNs among y[0..n-1], four at a time where the vector instructions
// are there (a NaN is unordered with itself).
int64_t count_nans(const REAL* y, size_t n) {
    int64_t m = 0;
    size_t i = 0;
#if defined(__SSE2__)
    // Each lane counts its own: a NaN's mask is -1, taken away.
    __m128i lanes = _mm_setzero_si128();
    for (; i + 4 <= n; i += 4) {
        const __m128 v = _mm_loadu_ps(y + i);
        lanes = _mm_sub_epi32(lanes, _mm_castps_si128(_mm_cmpunord_ps(v, v)));
    }
    alignas(16) int32_t count[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(count), lanes);
    m = int64_t{count[0]} + count[1] + count[2] + count[3];
#endif
    for (; i < n; ++i) m += is_missing(y[i]) ? 1 : 0;
    return m;
}
}  // namespace

int64_t count_missing(std::span<const REAL> samples) {
    std::vector<int64_t> missing(spans_for(samples.size()));
    run_spans(samples.size(), missing.size(),
              [&](size_t k, size_t from, size_t to) { missing[k] = count_nans(samples.data() + from, to - from); });
    return std::accumulate(missing.begin(), missing.end(), int64_t{0});
}

}  // namespace datrax
