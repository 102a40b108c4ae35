// The graphics-profile menu: screen modes, colours, paper size and the
// default plot file names.
#pragma once
#include "app/state.h"

namespace datrax {

// Always called as GPROF(gp.TMODE, gp.GMODE, scr.MENUCL, gp.KS).
void GPROF(INTEGER& TMODE, INTEGER& GMODE, const INTEGER& MENUC, Arr1<INTEGER, 5>& KS);

}  // namespace datrax
