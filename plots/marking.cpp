#include "plots/marking.h"

#include <algorithm>
#include <cstdint>

#include "console/console.h"
#include "console/prompts.h"
#include "platform/crosshair.h"
#include "platform/window.h"
#include "plotlib/axes.h"
#include "plotlib/device.h"
#include "plotlib/figures.h"
#include "data/missing.h"
#include "plots/sample_index.h"

namespace datrax {

namespace {

constexpr REAL kScreenHead = 0.15f;  // arrow head on the screen; the plot file uses SIZE(1)

// The arrow above a mark and its time beside it.
void draw_mark(REAL x, REAL y, REAL time, REAL head) {
    PLTARW(x, y + 0.3f, x, y, head, 0.0f, 11);
    PLTNUM(x + pp.SIZE(1) * 0.5f, y + 0.4f, pp.SIZE(1), time, 0.0f, pp.NTX(1));
}

// The sample nearest to page x (I1 itself when DXI is 0).
INTEGER nearest_sample(REAL x, REAL dxi, INTEGER i1) {
    if (dxi == 0.0f) return i1;
    return sample_index((x - pp.XMIN) / dxi, i1);
}

// Sample i of a shown data set is present.
bool present_at(INTEGER i) {
    for (INTEGER k = 1; k <= std::min(sel.NDSETS, MAXSET); ++k) {
        if (i >= 1 && i <= std::min(dset.NPTS(k), MAXPTS) && !is_missing(Y(i, k))) return true;
    }
    return false;
}

// A pick on a missing sample moves to the nearest present one (the earlier
// on a tie); picks on present samples and beyond the record stay.
INTEGER nearest_present(INTEGER index) {
    INTEGER n = 0;
    for (INTEGER k = 1; k <= std::min(sel.NDSETS, MAXSET); ++k) n = std::max(n, std::min(dset.NPTS(k), MAXPTS));
    if (index < 1 || index > n || present_at(index)) return index;
    const int64_t from = index;
    for (int64_t d = 1; d < n; ++d) {
        if (from - d >= 1 && present_at(static_cast<INTEGER>(from - d))) return static_cast<INTEGER>(from - d);
        if (from + d <= n && present_at(static_cast<INTEGER>(from + d))) return static_cast<INTEGER>(from + d);
    }
    return index;
}

void replay_marks() {
    for (INTEGER m = 1; m <= plotw.mark_count; ++m)
        draw_mark(plotw.mark_x(m), plotw.mark_y(m), plotw.mark_time(m), pp.SIZE(1));
    plotw.mark_count = 0;
}

// Page inches <-> canvas pixels, as the plot device maps them.
void to_pixel(REAL x, REAL y, int& px, int& py) {
    INTEGER ix = 0, iy = 0;
    INCPIX(x, y, ix, iy, 0);
    px = ix;
    py = iy;
}

void to_inches(int px, int py, REAL& x, REAL& y) {
    INTEGER ix = px, iy = py;
    INCPIX(x, y, ix, iy, 1);
}

// Moves the crosshair with the arrow keys (or the mouse) until a pick; the
// pick position in page inches replaces (x, y).
void read_pick(REAL& x, REAL& y) {
    platform::Window& win = platform::window();
    platform::Canvas& canvas = win.canvas();
    int px = 0, py = 0;
    to_pixel(x, y, px, py);
    platform::Crosshair cross(canvas);
    for (;;) {
        px = std::clamp(px, 0, canvas.width() - 1);
        py = std::clamp(py, 0, canvas.height() - 1);
        cross.show(px, py);
        win.present();
        const platform::CursorEvent e = win.read_cursor_event();
        using Kind = platform::CursorEvent::Kind;
        if (e.kind == Kind::Move) {
            px += e.dx;
            py += e.dy;
        } else if (e.kind == Kind::MoveTo || e.kind == Kind::Pick) {
            if (e.x >= 0) {
                px = e.x;
                py = e.y;
            }
            if (e.kind == Kind::Pick) break;
        }
    }
    cross.hide();
    px = std::clamp(px, 0, canvas.width() - 1);
    py = std::clamp(py, 0, canvas.height() - 1);
    to_inches(px, py, x, y);
}

void remember(REAL x, REAL y, REAL time) {
    // Further picks of the same step are drawn but not kept: the list holds 100.
    if (plotw.mark_count >= kMaxMarks) return;
    ++plotw.mark_count;
    plotw.mark_x(plotw.mark_count) = x;
    plotw.mark_y(plotw.mark_count) = y;
    plotw.mark_time(plotw.mark_count) = time;
}

void marking_step(REAL dxi, INTEGER i1) {
    REAL x = (pp.XMIN + pp.XMAX) / 2.0f;
    REAL y = (pp.YMIN + pp.YMAX) / 2.0f;
    plotw.mark_count = 0;
    do {
        MSGTXT(0, -scr.MAXROW, "Place cursor near curve [Enter] --> |", scr.PRMCOL);
        read_pick(x, y);
        const INTEGER index = nearest_present(nearest_sample(x, dxi, i1));
        const REAL time = static_cast<REAL>(static_cast<int64_t>(index) - 1) * dset.TSCALE * dset.DT(1);
        x = static_cast<REAL>(static_cast<int64_t>(index) - i1) * dxi + pp.XMIN;
        draw_mark(x, y, time, kScreenHead);
        if (gp.DEVICE == kDeviceScreen) remember(x, y, time);
        SHOWIN(-1, 0, " Index = |", index, scr.PRMCOL);
        ASKYN(-1, 0, " Select a Time [y/n] --> |", plotw.mark_again, scr.PRMCOL);
    } while (plotw.mark_again);
}

}  // namespace

void mark_points(const REAL& DXI, const INTEGER& I1) {
    if (gp.DEVICE == kDevicePlotFile) {
        replay_marks();
        return;
    }
    marking_step(DXI, I1);
}

}  // namespace datrax
