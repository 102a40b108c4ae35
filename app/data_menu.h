// The data menu: the summary of the current data set and the commands that
// plot it.
#pragma once
#include <string_view>

#include "app/state.h"

namespace datrax {

// Runs the data menu for slot K (the caller's current slot, changed by F)
// until R. Always called as DATAMN(dset.FNAME, gp.TMODE, gp.GMODE,
// mainv.new_data, sel.slot, gp.KS); the plots it starts read those records
// themselves, and TMODE and NEWDAT are not used here.
void DATAMN(Arr1<FileName, 2>& FNAME, const INTEGER& TMODE, const INTEGER& GMODE, LOGICAL& NEWDAT, INTEGER& K,
            const Arr1<INTEGER, 5>& KS);
// The header row of the data menu; NAME is left-justified in place.
void DATAHD(const INTEGER& K, FileName& NAME);

}  // namespace datrax
