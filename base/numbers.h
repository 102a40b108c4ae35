// Number formatting: fixed decimals, switching to an exponent form for very
// large or small values beyond the integer-digit limit of NUMDIG.
#pragma once
#include "base/text.h"
#include "base/types.h"

namespace datrax {

// N >= 0 sets the limit, N < 0 returns it in N.
void NUMDIG(INTEGER& N);
// Formats VALUE with NDEC decimals into TEXT (callers pass 32 characters);
// only the first NCHAR characters are written.
void FMTNUM(const REAL& VALUE, const INTEGER& NDEC, TextRef TEXT, INTEGER& NCHAR);

}  // namespace datrax
