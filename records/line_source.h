// Where the record readers take their lines from: a file, or a text held in
// memory (tests, fuzzing). Lines come without their line end and without one
// trailing carriage return.
#pragma once
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/line_reader.h"

namespace datrax {

class LineSource {
public:
    virtual ~LineSource() = default;
    // The next line, or false at the end of the input.
    virtual bool next_line(std::string_view& line) = 0;
    // True when the input ended because it could not be read on (a line too
    // long, a read error), not at its end: what was read is incomplete.
    virtual bool failed() const { return false; }
    // Back to the first line, for a reader that tries the input once more;
    // false where the input cannot be read again.
    virtual bool rewind() { return false; }
    // What the input is called in messages (the file name).
    virtual std::string_view name() const { return {}; }
    // The next lines at once, for readers that convert them on two threads:
    // each line of the block ends with "\n" (block_line() gives it as
    // next_line would). Empty where the next line must come from next_line,
    // which is always right. The block stays valid through the next call,
    // so that the next block can be read while this one is converted, up to
    // the call after it or a call of next_line.
    virtual std::string_view next_block() { return {}; }
};

// A line of a block without its "\n" and without one trailing "\r".
inline std::string_view block_line(std::string_view raw) {
    if (!raw.empty() && raw.back() == '\n') raw.remove_suffix(1);
    return platform::without_carriage_return(raw);
}

// Where the line after the one that `p` lies in starts, in block text
// ending at `end`: past the next "\n", else `end`.
inline const char* next_line_start(const char* p, const char* end) {
#if defined(__SSE2__)
    // The lines of data files are short: their first 64 bytes are searched
    // in line, sixteen at a time, before the library search is called.
    for (int i = 0; i < 4 && end - p >= 16; ++i, p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const auto ends = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('\n'))));
        if (ends != 0) return p + std::countr_zero(ends) + 1;
    }
#endif
    const void* nl = std::memchr(p, '\n', static_cast<size_t>(end - p));
    return nl ? static_cast<const char*>(nl) + 1 : end;
}

// Hands each line of the block text [begin, end) to take, as next_line
// would give it, until take returns false; returns the lines taken.
template <class Take>
size_t for_each_block_line(const char* begin, const char* end, Take take) {
    size_t taken = 0;
    for (const char* p = begin; p < end; ++taken) {
        const char* next = next_line_start(p, end);
        if (!take(block_line({p, static_cast<size_t>(next - p)}))) break;
        p = next;
    }
    return taken;
}

// The lines taken from another source, counted (for messages naming a line).
class CountedLines : public LineSource {
public:
    explicit CountedLines(LineSource& in) : in_(in) {}
    bool next_line(std::string_view& line) override {
        if (!in_.next_line(line)) return false;
        ++count_;
        return true;
    }
    bool failed() const override { return in_.failed(); }
    std::string_view name() const override { return in_.name(); }
    int64_t count() const { return count_; }

private:
    LineSource& in_;
    int64_t count_ = 0;
};

// The lines of a text in memory; the text must outlive the source.
class TextLines : public LineSource {
public:
    explicit TextLines(std::string_view text, std::string_view name = {}) : text_(text), rest_(text), name_(name) {}
    bool next_line(std::string_view& line) override;
    std::string_view next_block() override;
    bool rewind() override;
    std::string_view name() const override { return name_; }

private:
    std::string_view text_;
    std::string_view rest_;
    std::string name_;
    bool done_ = false;
};

// The lines of a file, read through the platform's buffered reader.
class FileLines : public LineSource {
public:
    bool open(std::string_view name) {
        name_ = name;
        return reader_.open(name);
    }
    void close() { reader_.close(); }
    // Opens the file again: its first line comes next.
    bool rewind() override { return reader_.open(name_); }
    std::string_view name() const override { return name_; }
    bool next_line(std::string_view& line) override { return reader_.next_line(line); }
    std::string_view next_block() override { return reader_.next_block(); }
    bool failed() const override { return failure() != platform::LineReader::Failure::None; }
    platform::LineReader::Failure failure() const { return reader_.failure(); }

private:
    platform::LineReader reader_;
    std::string name_;
};

}  // namespace datrax
