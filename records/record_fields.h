// The receiving fields of a record read and the values of a record write.
#pragma once
#include <string_view>

#include "base/text.h"
#include "base/types.h"
#include "records/line_source.h"

namespace datrax {

// How a read ended: all fields filled, the input ended first, or a field or
// value could not be converted (or the format list was unusable).
enum class ReadOutcome { Done, End, Error };

// How a read ends where its input gives no further line: an input that
// could not be read on is an error, never an end that passes for the file's.
inline ReadOutcome end_of_input(const LineSource& in) { return in.failed() ? ReadOutcome::Error : ReadOutcome::End; }

// One receiving field: where the value goes and what kind it must be.
struct FieldRef {
    enum class Kind : unsigned char { Integer, Real, Logical, Text };
    Kind kind;
    void* p;
    int len = 0;  // declared length of a text field

    FieldRef(INTEGER& v) : kind(Kind::Integer), p(&v) {}         // NOLINT: lists of fields read naturally
    FieldRef(REAL& v) : kind(Kind::Real), p(&v) {}               // NOLINT
    FieldRef(LOGICAL& v) : kind(Kind::Logical), p(&v) {}         // NOLINT
    FieldRef(TextRef t) : kind(Kind::Text), p(t.p), len(t.n) {}  // NOLINT

    INTEGER& integer() const { return *static_cast<INTEGER*>(p); }
    REAL& real() const { return *static_cast<REAL*>(p); }
    LOGICAL& logical() const { return *static_cast<LOGICAL*>(p); }
    TextRef text() const { return {static_cast<char*>(p), len}; }
};

// One value of a record write.
struct OutValue {
    FieldRef::Kind kind;
    INTEGER i = 0;
    REAL r = 0.0f;
    LOGICAL l = false;
    std::string_view t;

    OutValue(INTEGER v) : kind(FieldRef::Kind::Integer), i(v) {}        // NOLINT
    OutValue(REAL v) : kind(FieldRef::Kind::Real), r(v) {}              // NOLINT
    OutValue(LOGICAL v) : kind(FieldRef::Kind::Logical), l(v) {}        // NOLINT
    OutValue(std::string_view v) : kind(FieldRef::Kind::Text), t(v) {}  // NOLINT
    OutValue(const char* v) : OutValue(std::string_view(v)) {}          // NOLINT
};

}  // namespace datrax
