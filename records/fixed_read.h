// Fixed-column reading: values taken from the columns a format list gives,
// across as many lines as the values need.
#pragma once
#include <cstddef>
#include <span>

#include "records/format_list.h"
#include "records/line_source.h"
#include "records/record_fields.h"

namespace datrax {

// Reads the fields in order, starting at column 1 of the next line. When
// the list is used up with fields left, reading goes on at column 1 of the
// next line from the list's reversion point. Lines shorter than the columns
// asked for read as if padded with blanks. An I field needs an INTEGER, L a
// LOGICAL, A a text and F, E, D, G a REAL; any other pairing is an error, as
// is an unusable list. stored (if given) counts the fields filled. A read
// of no fields is done at once and uses no line.
ReadOutcome read_fixed(LineSource& in, const FormatList& fmt, std::span<const FieldRef> fields,
                       size_t* stored = nullptr);

// The same for n REAL values going to out[0..n-1] (the sample columns).
ReadOutcome read_fixed_reals(LineSource& in, const FormatList& fmt, REAL* out, size_t n, size_t& stored);

// The same for the last read of an input (the samples of a file): the
// outcome, the values and stored are those of read_fixed_reals, but blocks
// of lines are converted on two threads where there are two (see
// two_reading_threads), and the input
// may be left anywhere after the lines used. Values past the count stored
// may have been overwritten.
ReadOutcome read_fixed_samples(LineSource& in, const FormatList& fmt, REAL* out, size_t n, size_t& stored);

}  // namespace datrax
