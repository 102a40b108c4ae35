// The fields of one line of a plain list: separated by commas, semicolons,
// blanks or tabs (blanks around a comma belong to it; two commas in a row
// enclose an empty field). The time comes first, as a number, then the
// value (dated lines are read by dated_lines.h).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "base/types.h"

namespace datrax {

enum class ListLineKind {
    Blank,     // nothing but separators
    Text,      // a line that does not read as numbers (a header line)
    Data,      // time and value
    NoValue,   // reads as numbers but holds no value after the time
    BadValue,  // the time reads, the value does not
};

struct ListLine {
    REAL value = 0.0f;     // the sample; NaN or an empty field is missing
    std::string_view bad;  // the field that did not read (BadValue)
    size_t after = 0;      // fields after the value (Data)
};

ListLineKind read_list_line(std::string_view line, ListLine& out);

}  // namespace datrax
