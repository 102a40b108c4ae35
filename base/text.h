// Fixed-length blank-padded texts and the light references that routines take.
#pragma once
#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>
#include <string>
#include <string_view>

namespace datrax {

// A copy of s in lower case (ASCII letters), for names compared without case.
inline std::string lower_case(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return out;
}

// A mutable view of a fixed-length text: pointer plus declared length.
// Routines that change a text argument in place take one of these.
struct TextRef {
    char* p = nullptr;
    int n = 0;

    TextRef() = default;
    TextRef(char* ptr, int len) : p(ptr), n(len) {}

    char& operator()(int i) const {  // 1-based
        assert(i >= 1 && i <= n && "text position out of range");
        return p[i - 1];
    }
    std::string_view view() const { return {p, static_cast<size_t>(n)}; }
    // Assigns with blank padding or cutting to the declared length.
    void assign(std::string_view s) const {
        const size_t k = std::min(s.size(), static_cast<size_t>(n));
        std::copy_n(s.data(), k, p);
        std::fill(p + k, p + n, ' ');
    }
    int trimmed_length() const {
        int l = n;
        while (l > 0 && p[l - 1] == ' ') --l;
        return l;
    }
    std::string_view trimmed() const { return {p, static_cast<size_t>(trimmed_length())}; }
};

// Moves the first n characters of text left over their leading blanks and
// returns their trimmed length, 1 where all are blank.
inline int left_adjust(TextRef text, int n) {
    n = std::min(n, text.n);
    int first = 0;
    while (first < n && text.p[first] == ' ') ++first;
    if (first == n) return 1;
    std::copy(text.p + first, text.p + n, text.p);
    std::fill(text.p + n - first, text.p + n, ' ');
    int last = n;
    while (last > 0 && text.p[last - 1] == ' ') --last;
    return last;
}

// CHARACTER*N: exactly N bytes, blank-padded, never NUL-terminated.
template <int N>
class Text {
    static_assert(N > 0);
    std::array<char, N> b_;

public:
    Text() { b_.fill(' '); }
    Text(std::string_view s) { assign(s); }  // NOLINT: implicit from literals is the point
    Text& operator=(std::string_view s) {
        assign(s);
        return *this;
    }
    void assign(std::string_view s) { ref().assign(s); }
    void fill(char c) { b_.fill(c); }

    static constexpr int length = N;
    char& operator()(int i) {
        assert(i >= 1 && i <= N && "text position out of range");
        return b_[i - 1];
    }
    char operator()(int i) const {
        assert(i >= 1 && i <= N && "text position out of range");
        return b_[i - 1];
    }
    char* data() { return b_.data(); }
    const char* data() const { return b_.data(); }
    std::string_view view() const { return {b_.data(), static_cast<size_t>(N)}; }
    int trimmed_length() const { return TextRef(const_cast<char*>(b_.data()), N).trimmed_length(); }
    std::string_view trimmed() const { return {b_.data(), static_cast<size_t>(trimmed_length())}; }
    bool is_blank() const { return trimmed_length() == 0; }
    std::string str() const { return std::string(trimmed()); }

    TextRef ref() { return {b_.data(), N}; }
    operator TextRef() { return ref(); }                  // NOLINT
    operator std::string_view() const { return view(); }  // NOLINT

    bool operator==(const Text& o) const { return b_ == o.b_; }
    // Compares as a blank-padded text: "abc" equals "abc   ".
    bool operator==(std::string_view s) const {
        if (s.size() > static_cast<size_t>(N)) return false;
        Text t(s);
        return t == *this;
    }
};

}  // namespace datrax
