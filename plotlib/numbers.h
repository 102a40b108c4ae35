// Number formatting: fixed decimals, switching to an exponent form for very
// large or small values (the limit NUMDIG lives in the library state).
#pragma once
#include "app/state.h"

namespace datrax {

// N >= 0 sets the limit, N < 0 returns it in N.
void NUMDIG(INTEGER& N);
// Formats VALUE with NDEC decimals into TEXT (callers pass 32 characters);
// only the first NCHAR characters are written.
void FMTNUM(const REAL& VALUE, const INTEGER& NDEC, TextRef TEXT, INTEGER& NCHAR);

}  // namespace datrax
