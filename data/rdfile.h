// The data-file reader: DATRA, VELK gravity and pressure, GGP and plain
// lists, recognised by trying them in this order on the same file.
//
// How a line travels from the disk to Y:
//   platform/line_reader.cpp  reads the file in large buffers and hands out
//                             a line, or a block of whole lines
//   records/line_source.h     FileLines: that reader as a LineSource, which
//                             the format readers take (TextLines: a text in
//                             memory, for tests and fuzzing)
//   data/rdfile.cpp           RDFILE opens the file; read_data tries the
//                             formats (data/reader_attempts.h), shows their
//                             notices and records the slots filled
// A DATRA line (data/read_datra.cpp): the three header lines through
//   read_fixed, the sample lines through read_fixed_samples
//   (records/fixed_read.cpp), which cuts a block into pieces converted on two
//   threads (records/helper_thread.cpp) by the fields of the format list
//   (records/format_list.cpp, records/field_conversion.h) straight into
//   Y.column(k).
// A GGP line (data/read_ggp.cpp): a block of data lines is cut into pieces,
//   each line read by data/ggp_fields.cpp on either thread into a record;
//   the records are then taken in file order on this thread (a failing line,
//   or one with blank month columns, is read again there), their values kept
//   in line order in Y.column(1) and (2), and data/time_grid.cpp spreads them
//   to the places their time stamps give.
#pragma once
#include "app/state.h"
#include "records/line_source.h"

namespace datrax {

// Reads FNAME(K) into slot K (a GGP file into slots 1 and 2). STATUS is set
// by the caller to 0 and changed only on failure: 1 = not read (too large,
// or no format fits), 2 = a DATRA file ended before all its samples. IFORM
// holds the format of the last attempt, or its value on entry after status 1.
// Always called with FNAME = dset.FNAME.
void RDFILE(Arr1<FileName, 2>& FNAME, const INTEGER& K, INTEGER& STATUS);

// The reading of RDFILE once its file is open: the lines of in, named by
// in.name(), into slot K, with the same notices, keys and STATUS.
void read_data(LineSource& in, const INTEGER& K, INTEGER& STATUS);

}  // namespace datrax
