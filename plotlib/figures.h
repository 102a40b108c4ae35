// Figures drawn with pen moves: rectangle, grid and arrow.
#pragma once
#include "base/types.h"

namespace datrax {

// Rectangle with corner (X, Y), side H across and W along ANGLE degrees;
// the first move uses IPEN.
void RECTNG(const REAL& X, const REAL& Y, const REAL& H, const REAL& W, const REAL& ANGLE, const INTEGER& IPEN);
// NX by NY cells of DX by DY inches from (X, Y), inner lines then frame.
void PLTGRD(const REAL& X, const REAL& Y, const REAL& DX, const REAL& DY, const INTEGER& NX, const INTEGER& NY);
// Arrow from (X1, Y1) to (X2, Y2); ITYPE = 10 x heads + style.
void PLTARW(const REAL& X1, const REAL& Y1, const REAL& X2, const REAL& Y2, const REAL& HEAD, const REAL& WIDTH,
            const INTEGER& ITYPE);

}  // namespace datrax
