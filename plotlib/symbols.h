// Texts and markers drawn with the stroke font, and the drawing style.
#pragma once
#include "app/state.h"

namespace datrax {

// LMODE 999 returns the five current values; otherwise sets them: line mode
// 6, 5, 0 or else 2; marker -1 (negative), 0..32, or 0 (above 32); marker
// colour 1..15 (mod 16) or -1; fill 1 or 0; forced text height.
void PLTSTY(INTEGER& LMODE, INTEGER& ISYM, INTEGER& SCOL, INTEGER& IFILL, REAL& THGT);
void PLTSTY(const INTEGER& LMODE, const INTEGER& ISYM, const INTEGER& SCOL, const INTEGER& IFILL, const REAL& THGT);

}  // namespace datrax
