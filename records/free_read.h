// Free-format reading: numbers separated by blanks, tabs, commas or line
// ends, with r*v repeats, empty values and a slash that ends the read.
#pragma once
#include <span>

#include "records/line_source.h"
#include "records/record_fields.h"

namespace datrax {

// Fills INTEGER and REAL fields in order from the next line on, over as many
// lines as needed; the rest of the last line used is skipped. An empty value
// (two commas in a row, a comma first in the read, or r* alone) and the
// fields left after a slash keep their contents. A value that is not a
// number of the field's kind, a zero repeat count and a text or LOGICAL
// field are errors. A read of no fields is done at once and uses no line.
ReadOutcome read_free(LineSource& in, std::span<const FieldRef> fields);

}  // namespace datrax
