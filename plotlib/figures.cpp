#include "plotlib/figures.h"

#include <cmath>

#include "plotlib/coords.h"
#include "plotlib/pen.h"

namespace datrax {

void RECTNG(const REAL& X, const REAL& Y, const REAL& H, const REAL& W, const REAL& ANGLE, const INTEGER& IPEN) {
    const REAL c = std::cos(ANGLE / plotlib_detail::kDegreesPerRadian);
    const REAL s = std::sin(ANGLE / plotlib_detail::kDegreesPerRadian);
    const REAL x2 = X - s * H, y2 = Y + c * H;
    PENMOV(X, Y, IPEN);
    PENMOV(x2, y2, 2);
    PENMOV(x2 + c * W, y2 + s * W, 2);
    PENMOV(X + c * W, Y + s * W, 2);
    PENMOV(X, Y, 2);
}

// The inner lines are drawn alternately up and down (then right to left and
// left to right), so the pen never travels back across the grid; the frame
// is drawn last from where the inner lines ended.
void PLTGRD(const REAL& X, const REAL& Y, const REAL& DX, const REAL& DY, const INTEGER& NX, const INTEGER& NY) {
    if (NX <= 0 || NY <= 0) return;
    const REAL xr = X + static_cast<REAL>(NX) * DX;
    const REAL yt = Y + static_cast<REAL>(NY) * DY;

    bool at_bottom = true;  // where the vertical pass ended
    for (INTEGER i = 1; i < NX; ++i) {
        const REAL x = X + static_cast<REAL>(i) * DX;
        PENMOV(x, at_bottom ? Y : yt, 3);
        PENMOV(x, at_bottom ? yt : Y, 2);
        at_bottom = !at_bottom;
    }

    if (NY == 1) {
        const REAL side = at_bottom ? Y : yt, other = at_bottom ? yt : Y;
        PENMOV(xr, side, 3);
        PENMOV(X, side, 2);
        PENMOV(X, other, 2);
        PENMOV(xr, other, 2);
        PENMOV(xr, side, 2);
        return;
    }

    bool at_right = true;  // where the next horizontal line starts
    for (INTEGER j = 1; j < NY; ++j) {
        const REAL y = at_bottom ? Y + static_cast<REAL>(j) * DY : yt - static_cast<REAL>(j) * DY;
        PENMOV(at_right ? xr : X, y, 3);
        PENMOV(at_right ? X : xr, y, 2);
        at_right = !at_right;
    }

    REAL x0 = 0, y0 = 0, fact = 0;
    PENPOS(x0, y0, fact);
    const REAL end_side = at_right ? xr : X;  // side the last inner line ended on
    const REAL far_side = at_right ? X : xr;
    const REAL first = at_bottom ? yt : Y;  // corner ahead in the direction of the pass
    const REAL second = at_bottom ? Y : yt;
    PENMOV(end_side, first, 2);
    PENMOV(far_side, first, 2);
    PENMOV(far_side, second, 2);
    PENMOV(end_side, second, 2);
    PENMOV(x0, y0, 2);
}

}  // namespace datrax
