// Large (2 MB) pages for big arrays that are filled once: a reader filling
// one meets a few first-touch faults instead of thousands.
#pragma once
#include <cstddef>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace datrax {

inline constexpr size_t kLargePage = size_t{1} << 21;

// Asks for large pages in the whole large pages inside [p, p + bytes).
// Advice only: where the system gives none, small pages serve as well.
inline void ask_large_pages(void* p, size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    const auto from = (reinterpret_cast<uintptr_t>(p) + kLargePage - 1) & ~(kLargePage - 1);
    const auto to = (reinterpret_cast<uintptr_t>(p) + bytes) & ~(kLargePage - 1);
    if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#else
    (void)p;
    (void)bytes;
#endif
}

}  // namespace datrax
