// The fields of one line of a plain list: separated by commas, semicolons,
// blanks or tabs (blanks around a comma belong to it; two commas in a row
// enclose an empty field). The time comes first, as a number or as a date
// and time (2023-05-01 12:00:00, 2023/05/01T12:00), then the value.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "base/types.h"

namespace datrax {

enum class ListLineKind {
    Blank,    // nothing but separators
    Text,     // a line that does not read as numbers (a header line)
    Data,     // time and value
    NoValue,  // reads as numbers but holds no value after the time
    BadValue, // the time reads, the value does not
};

struct ListLine {
    REAL value = 0.0f;     // the sample; NaN or an empty field is missing
    bool dated = false;    // the time was a date and time
    int64_t time = 0;      // its seconds since 1970 when dated
    std::string_view bad;  // the field that did not read (BadValue)
    size_t after = 0;      // fields after the value (Data)
};

ListLineKind read_list_line(std::string_view line, ListLine& out);

}  // namespace datrax
