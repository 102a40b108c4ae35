// The data-file reader: DATRA, VELK gravity and pressure, GGP and plain
// lists, recognised by trying them in this order on the same file.
#pragma once
#include "app/state.h"

namespace datrax {

// Reads FNAME(K) into slot K (a GGP file into slots 1 and 2). STATUS is set
// by the caller to 0 and changed only on failure: 1 = not read (too large,
// or no format fits), 2 = a DATRA file ended before all its samples. IFORM
// holds the format of the last attempt, or its value on entry after status 1.
// Always called with FNAME = dset.FNAME.
void RDFILE(Arr1<FileName, 2>& FNAME, const INTEGER& K, INTEGER& STATUS);

}  // namespace datrax
