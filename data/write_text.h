// What the data-file writers share: a buffered output into a file being
// replaced, sample values as the shortest text that reads back as the same
// REAL, and the time of each sample as whole ticks.
#pragma once
#include <cstdint>
#include <memory>
#include <string_view>

#include "base/types.h"
#include "platform/atomic_file.h"

namespace datrax::writer {

// Lines are put straight into a large buffer, which goes to the file when
// it fills.
class TextOut {
public:
    static constexpr size_t kLineRoom = 256;  // most bytes one put may need

    explicit TextOut(platform::AtomicFile& file);
    ~TextOut();
    TextOut(const TextOut&) = delete;
    TextOut& operator=(const TextOut&) = delete;

    // Room for up to kLineRoom bytes at the returned pointer; advance() takes
    // the end of what was put there.
    char* room() {
        if (static_cast<size_t>(end_ - pos_) < kLineRoom) flush();
        return pos_;
    }
    void advance(char* p) { pos_ = p; }
    void text(std::string_view s);
    void flush();

private:
    platform::AtomicFile& file_;
    std::unique_ptr<char[]> buf_;
    char* pos_;
    char* end_;
};

// The shortest text that reads back as exactly V (at most 9 significant
// digits, with an exponent where that is shorter). A value that would read
// as a missing-value flag (99999) is written with an exponent instead. V
// must not be NaN.
char* put_value(char* p, REAL v);
// The same with a decimal point always (1.0, 4.0e-4): fixed-column fields
// read a number without one as so many implied decimals.
char* put_value_with_point(char* p, REAL v);

// N digits of V with leading zeros.
char* put_digits(char* p, int64_t v, int n);

// Times of the samples as integer ticks of 10^-decimals of a time unit
// (seconds when dated): exact for starts and intervals of whole seconds,
// milliseconds or microseconds; other intervals are rounded to microseconds.
class SampleClock {
public:
    SampleClock(double origin, double step);
    int decimals() const { return decimals_; }
    int64_t ticks_per_unit() const { return per_unit_; }
    int64_t tick(int64_t i) const;  // time of sample i (from 0)
    // Shares the finer tick of the two, so that ticks can be compared.
    void use_decimals(int decimals);

private:
    void set_ticks();
    double origin_, step_;
    int decimals_ = 0;
    int64_t per_unit_ = 1;
    bool exact_ = true;
    int64_t first_ = 0, step_ticks_ = 0;
};

// Times of ticks as "yyyy-mm-dd hh:mm:ss[.fff]" (decimals 0, 3 or 6); the
// date is worked out once a day.
class DateTimeText {
public:
    char* put(char* p, int64_t ticks, const SampleClock& clock);

private:
    int64_t day_ = INT64_MIN;  // the day of date_, days since 1970
    char date_[32] = {};       // "yyyy-mm-dd "
    size_t date_length_ = 0;
};

}  // namespace datrax::writer
