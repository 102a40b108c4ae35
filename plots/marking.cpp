#include "plots/marking.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "console/console.h"
#include "console/prompts.h"
#include "data/filter.h"
#include "platform/crosshair.h"
#include "platform/window.h"
#include "plotlib/axes.h"
#include "plotlib/device.h"
#include "plotlib/figures.h"
#include "plotlib/symbols.h"
#include "plots/mark_table.h"
#include "plots/sample_index.h"
#include "plots/time_placement.h"
#include "records/missing.h"

namespace datrax {

namespace {

constexpr REAL kScreenHead = 0.15f;  // arrow head on the screen; the plot file uses SIZE(1)
constexpr REAL kLabelAbove = 0.4f;   // the time of a mark stands this far above it

// "03-16 11:00" (seconds only when there are any) of sample index of set
// k: the time a mark on a calendar axis shows.
std::string calendar_label(INTEGER index, INTEGER k) {
    const std::string when = calendar_time(index, k);  // "2024-03-16 11:00:00"
    if (when.size() < 19) return when;
    return when.substr(5, when.compare(16, 3, ":00") == 0 ? 11 : 14);
}

// The arrow above a mark and its time beside it: the number of the time
// axis, or the date and time on a calendar axis.
void draw_mark(REAL x, REAL y, REAL time, INTEGER index, INTEGER k, REAL head) {
    PLTARW(x, y + 0.3f, x, y, head, 0.0f, 11);
    const REAL tx = x + pp.SIZE(1) * 0.5f, ty = y + kLabelAbove;
    if (calendar_axis()) {
        const std::string label = calendar_label(index, k);
        PLTSYM(tx, ty, pp.SIZE(1), label, 0.0f, static_cast<INTEGER>(label.size()));
    } else {
        PLTNUM(tx, ty, pp.SIZE(1), time, 0.0f, pp.NTX(1));
    }
}

// The sample of a data set placed by PLACE nearest to page x (I1 itself
// when DXI is 0).
INTEGER nearest_sample(REAL x, REAL dxi, INTEGER i1, const Placement& place) {
    if (dxi == 0.0f) return place.identity() ? i1 : place.nearest(i1);
    if (place.identity()) return sample_index((x - pp.XMIN) / dxi, i1);
    return place.nearest(static_cast<double>((x - pp.XMIN) / dxi) + static_cast<double>(i1));
}

// Draws the list into the plot being saved (its table and the emptying of
// the list come with the end of the save, close_plot_with_marks).
void replay_marks() {
    for (INTEGER m = 1; m <= plotw.mark_count; ++m)
        draw_mark(plotw.mark_x(m), plotw.mark_y(m), plotw.mark_time(m), plotw.mark_index(m), plotw.mark_set(m),
                  pp.SIZE(1));
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

constexpr std::string_view kPlacePrompt = "Place cursor near curve [Enter] --> |";
constexpr std::string_view kQuestion = " Select a Time [y/n] --> |";

// The report of a mark follows the cursor prompt when it fits on the row
// with the question; otherwise it takes the row above (cut to the row), so
// that the question is always seen whole.
void report_and_ask(const std::string& report) {
    const size_t width = static_cast<size_t>(std::max(scr.MAXCOL + 1, 1));
    const INTEGER n = static_cast<INTEGER>(report.size());
    if (kPlacePrompt.size() - 1 + report.size() + kQuestion.size() - 1 <= width) {
        SHOWTX(-1, 0, "|", report, n, scr.PRMCOL);
        ASKYN(-1, 0, kQuestion, plotw.mark_again, scr.PRMCOL);
        return;
    }
    const INTEGER row = scr.MAXROW - 1;
    SHOWTX(0, -row, "|", report, std::min(n, static_cast<INTEGER>(width)), scr.PRMCOL);
    ASKYN(0, -scr.MAXROW, kQuestion, plotw.mark_again, scr.PRMCOL);
    CCLEAR(0, row, scr.MAXCOL, row);
}

// The curve's value at a sample: filtered as the curve is drawn.
REAL drawn_value(INTEGER i, INTEGER k) { return pp.NF >= 2 ? filtered_value(plotw.W, i, k) : Y(i, k); }

void marking_step(REAL dxi, INTEGER i1) {
    REAL x = (pp.XMIN + pp.XMAX) / 2.0f;
    REAL y = (pp.YMIN + pp.YMAX) / 2.0f;
    plotw.mark_count = 0;
    do {
        MSGTXT(0, -scr.MAXROW, kPlacePrompt, scr.PRMCOL);
        read_pick(x, y);
        // The arrow and its time stay below the top of the frame, clear of
        // the titles above it.
        y = std::min(y, pp.YMAX - kLabelAbove - pp.SIZE(1));
        const INTEGER k = marked_set(y);
        const Placement place = placement(k);
        // A missing sample is never marked: the nearest present one is.
        const INTEGER nearest = nearest_sample(x, dxi, i1, place);
        const INTEGER present = present_sample(nearest, k);
        const INTEGER index = present > 0 ? present : nearest;
        const REAL value = present > 0 ? Y(present, k) : std::nanf("");
        const REAL drawn = present > 0 ? drawn_value(present, k) : value;
        // The sample's place on the time axis (its index unless the data
        // sets are placed by their starts).
        const double position = place.position(index);
        const REAL time = static_cast<REAL>(position - 1.0) * dset.TSCALE * dset.DT(1);
        x = static_cast<REAL>(position - static_cast<double>(i1)) * dxi + pp.XMIN;
        draw_mark(x, y, time, index, k, kScreenHead);
        if (gp.DEVICE == kDeviceScreen) remember(x, y, time, index, value, k);
        report_and_ask(" Index = " + std::to_string(index) + mark_values_text(time, drawn, value, index, k));
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
