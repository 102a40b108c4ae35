#include "plots/marking.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <cstdint>

#include "console/console.h"
#include "console/prompts.h"
#include "platform/crosshair.h"
#include "platform/window.h"
#include "plotlib/axes.h"
#include "plotlib/device.h"
#include "plotlib/figures.h"
#include "data/missing.h"
#include "plots/mark_table.h"
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

// Draws the list into the plot being saved and writes its table beside the
// plot file; the list is then empty.
void replay_marks() {
    for (INTEGER m = 1; m <= plotw.mark_count; ++m)
        draw_mark(plotw.mark_x(m), plotw.mark_y(m), plotw.mark_time(m), pp.SIZE(1));
    if (plotw.mark_count > 0 && !write_mark_table(gp.PLTNAM(1).trimmed())) {
        MSGTXT(0, -scr.MAXROW, "The table of the marks could not be written --> |", scr.PRMCOL);
        WAITKY();
    }
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

void remember(REAL x, REAL y, REAL time, INTEGER index, REAL value, INTEGER k) {
    // Further picks of the same step are drawn but not kept: the list holds 100.
    if (plotw.mark_count >= kMaxMarks) return;
    const INTEGER m = ++plotw.mark_count;
    plotw.mark_x(m) = x;
    plotw.mark_y(m) = y;
    plotw.mark_time(m) = time;
    plotw.mark_index(m) = index;
    plotw.mark_value(m) = value;
    plotw.mark_set(m) = k;
}

void marking_step(REAL dxi, INTEGER i1) {
    REAL x = (pp.XMIN + pp.XMAX) / 2.0f;
    REAL y = (pp.YMIN + pp.YMAX) / 2.0f;
    plotw.mark_count = 0;
    do {
        MSGTXT(0, -scr.MAXROW, "Place cursor near curve [Enter] --> |", scr.PRMCOL);
        read_pick(x, y);
        const INTEGER k = marked_set(y);
        // A missing sample is never marked: the nearest present one is.
        const INTEGER nearest = nearest_sample(x, dxi, i1);
        const INTEGER present = present_sample(nearest, k);
        const INTEGER index = present > 0 ? present : nearest;
        const REAL value = present > 0 ? Y(present, k) : std::nanf("");
        const REAL time = static_cast<REAL>(static_cast<int64_t>(index) - 1) * dset.TSCALE * dset.DT(1);
        x = static_cast<REAL>(static_cast<int64_t>(index) - i1) * dxi + pp.XMIN;
        draw_mark(x, y, time, kScreenHead);
        if (gp.DEVICE == kDeviceScreen) remember(x, y, time, index, value, k);
        SHOWIN(-1, 0, " Index = |", index, scr.PRMCOL);
        const std::string values = mark_values_text(time, value, k);
        SHOWTX(-1, 0, "   t = |", values, static_cast<INTEGER>(values.size()), scr.PRMCOL);
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
