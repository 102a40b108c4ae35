// 1-based arrays: the system indexes its tables from 1, and so does the code.
#pragma once
#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace datrax {

#if !defined(NDEBUG) || defined(DATRAX_CHECKED)
#define DATRAX_CHECK_INDEX(cond) assert((cond) && "1-based index out of range")
#else
#define DATRAX_CHECK_INDEX(cond) ((void)0)
#endif

template <typename T, int N>
class Arr1 {
    std::array<T, N> a_{};

public:
    Arr1() = default;
    Arr1(std::initializer_list<T> init) {
        assert(init.size() <= static_cast<std::size_t>(N) && "more initial values than elements");
        int i = 0;
        for (const T& v : init) a_[i++] = v;
    }
    static constexpr int size = N;
    T& operator()(int i) {
        DATRAX_CHECK_INDEX(i >= 1 && i <= N);
        return a_[i - 1];
    }
    const T& operator()(int i) const {
        DATRAX_CHECK_INDEX(i >= 1 && i <= N);
        return a_[i - 1];
    }
    void fill(const T& v) { a_.fill(v); }
    bool operator==(const Arr1&) const = default;
};

template <typename T, int N, int M>
class Arr2 {
    std::array<T, N * M> a_{};

public:
    T& operator()(int i, int k) {
        DATRAX_CHECK_INDEX(i >= 1 && i <= N && k >= 1 && k <= M);
        return a_[(k - 1) * N + (i - 1)];
    }
    const T& operator()(int i, int k) const {
        DATRAX_CHECK_INDEX(i >= 1 && i <= N && k >= 1 && k <= M);
        return a_[(k - 1) * N + (i - 1)];
    }
    void fill(const T& v) { a_.fill(v); }
};

}  // namespace datrax
