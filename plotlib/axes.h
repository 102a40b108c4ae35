// Numbers and annotated axes.
#pragma once
#include <string_view>

#include "base/types.h"

namespace datrax {

// Draws VALUE with NDEC decimals (FMTNUM) at (X, Y) as PLTSYM draws text.
void PLTNUM(const REAL& X, const REAL& Y, const REAL& HEIGHT, const REAL& VALUE, const REAL& ANGLE,
            const INTEGER& NDEC);

// Axis from (X, Y) of length |AXLEN| along ANGLE degrees with ticks every
// DIV inches annotated FIRSTV, FIRSTV + DELTAV, ... (divided by 10^EXPO),
// and the title LABEL of |NCHAR| characters with "*10" and EXPO when EXPO is
// not 0. NCHAR < 0 puts numbers and title on the clockwise side, AXLEN < 0
// turns the ticks over. A negative ANGLE is brought into 0..360 in the
// caller's variable.
void PLTAXS(const REAL& X, const REAL& Y, std::string_view LABEL, const INTEGER& NCHAR, const REAL& AXLEN, REAL& ANGLE,
            const REAL& FIRSTV, const REAL& DELTAV, const INTEGER& NDEC, const REAL& EXPO, const REAL& DIV);
void PLTAXS(const REAL& X, const REAL& Y, std::string_view LABEL, const INTEGER& NCHAR, const REAL& AXLEN,
            const REAL& ANGLE, const REAL& FIRSTV, const REAL& DELTAV, const INTEGER& NDEC, const REAL& EXPO,
            const REAL& DIV);

}  // namespace datrax
