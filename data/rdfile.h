// The data-file reader: DATRA, VELK gravity and pressure, GGP and plain
// lists, recognised by trying them in this order on the same file.
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
