#include "plotlib/pen.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "console/console.h"
#include "platform/window.h"
#include "plotlib/coords.h"
#include "plotlib/device.h"
#include "plotlib/hpgl.h"
#include "plotlib/plotlib.h"

namespace datrax {

using plotlib_detail::plot;

namespace {

// |v| without overflow for the most negative INTEGER.
int64_t magnitude(INTEGER v) { return v < 0 ? -static_cast<int64_t>(v) : v; }

// The line mode replaces draw codes 2, 5, 6 (also 12, 15, 16), keeping
// the sign; moves are never replaced.
INTEGER apply_line_mode(INTEGER ipen) {
    const INTEGER mode = plot.LMODE;
    if (mode != 2 && mode != 5 && mode != 6) return ipen;
    const int64_t a = magnitude(ipen);
    const int64_t v = (a >= 10 && a < 20) ? a - 10 : a;
    if (v != 2 && v != 5 && v != 6) return ipen;
    const int64_t replaced = a - v + mode;
    return static_cast<INTEGER>(ipen < 0 ? -replaced : replaced);
}

void shift_origin(REAL x, REAL y) {
    plot.XLO -= x;
    plot.XHI -= x;
    plot.YLO -= y;
    plot.YHI -= y;
}

void screen_move(REAL x, REAL y, INTEGER ipen) {
    platform::Canvas& cv = platform::window().canvas();
    const int64_t k = magnitude(ipen) % 10;
    if (k == 2 && plot.pen_down) {
        cv.line_to_world(x, y);
    } else if (k == 1 || k == 3) {
        cv.move_to_world(x, y);
        plot.pen_down = false;
    } else {
        plot.screen_mask = plotlib_detail::line_mask(static_cast<INTEGER>(k), plot.screen_mask);
        cv.set_line_style(plot.screen_mask);
        cv.line_to_world(x, y);
    }
    if (k != 1 && k != 3) plot.pen_down = true;
    if (ipen < 0) {
        shift_origin(x, y);
        cv.set_world_window(plot.XLO, plot.YLO, plot.XHI, plot.YHI);
    }
}

void append_value(std::string& out, REAL v) {
    char text[32];
    const auto res = std::to_chars(text, text + sizeof text, v);
    out += ' ';
    out.append(text, res.ptr);
}

// A point below the plotter's paper is still written; the values that led
// to it go to standard error, so that every line of the plot file stays an
// HP-GL record.
void report_negative_y(REAL caller_y, REAL y) {
    std::string line = "PENMOV: plotter y below 0:";
    append_value(line, caller_y);
    append_value(line, y);
    append_value(line, plot.HYIN);
    append_value(line, plot.YLO);
    append_value(line, static_cast<REAL>(plot.HPY1));
    diagnostic(line);
}

// A point in plotter units; one below the paper is reported.
void plotter_point(REAL x, REAL y, INTEGER& px, INTEGER& py) {
    px = plotlib_detail::plotter_x(x);
    py = plotlib_detail::plotter_y(y);
    if (py < 0) report_negative_y(y, y);
}

void file_move(REAL x, REAL y, INTEGER ipen) {
    if (ipen == 999) {
        PLTEND();
        return;
    }
    const INTEGER k = static_cast<INTEGER>(magnitude(ipen) % 10);
    if (ipen < 0 && plot.IDEV == kDeviceBoth) shift_origin(-x, -y);  // drawn on the screen against the old extents
    INTEGER px, py;
    plotter_point(x, y, px, py);
    const INTEGER p = plot.file_pen.pen;
    if ((p > 4 && k < 5) || (p != 5 && k == 5) || (p != 6 && k == 6)) hpgl::line_type(k);
    if (k == 1 || k == 3 || k == 4) plot.file_pen.cmd = " PU";
    if (k == 2 || k >= 5) plot.file_pen.cmd = " PD";
    hpgl::move(plot.file_pen.cmd, px, py);
    if (k == 1) hpgl::move(" PD", px, py);
    if (ipen < 0) shift_origin(x, y);
    plot.file_pen.pen = k;
    plot.file_pen.PX = px;
    plot.file_pen.PY = py;
}

// The draws of one run into the plot file: the first as a single move (it
// may change the line type), the rest, all of its command, converted and
// written a block at a time.
void file_draw_run(const REAL* X, const REAL* Y, size_t N, INTEGER ipen) {
    file_move(X[0], Y[0], ipen);
    constexpr size_t kBlock = 1024;
    INTEGER px[kBlock], py[kBlock];
    for (size_t first = 1; first < N; first += kBlock) {
        const size_t n = std::min(kBlock, N - first);
        for (size_t i = 0; i < n; ++i) plotter_point(X[first + i], Y[first + i], px[i], py[i]);
        hpgl::moves(plot.file_pen.cmd, px, py, n);
        plot.file_pen.PX = px[n - 1];
        plot.file_pen.PY = py[n - 1];
    }
}

}  // namespace

void PENMOV(const REAL& X, const REAL& Y, const INTEGER& IPEN) {
    const INTEGER ipen = apply_line_mode(IPEN);
    switch (plot.IDEV) {
        case 2: screen_move(X, Y, ipen); break;
        case 12:
            screen_move(X, Y, ipen);
            file_move(X, Y, ipen);
            break;
        default: file_move(X, Y, ipen); break;
    }
}

INTEGER pen_colour() { return platform::window().canvas().color(); }

void pen_draw_run(const REAL* X, const REAL* Y, size_t N, INTEGER IPEN) {
    if (N == 0) return;
    const INTEGER ipen = apply_line_mode(IPEN);
    const int64_t k = magnitude(ipen) % 10;
    if (ipen < 0 || ipen == 999 || k == 1 || k == 3) {  // moves, origin shifts, the end: one by one
        for (size_t i = 0; i < N; ++i) PENMOV(X[i], Y[i], IPEN);
        return;
    }
    if (plotlib_detail::screen_in_use()) {
        // The first draw sets the line mask; after it every draw of this
        // code is a plain line to the point.
        screen_move(X[0], Y[0], ipen);
        platform::window().canvas().polyline_world(X + 1, Y + 1, N - 1);
    }
    if (plotlib_detail::file_device()) file_draw_run(X, Y, N, ipen);
}

void PENCOL(INTEGER& ICOL) {
    if (ICOL == 999) {
        ICOL = pen_colour();
        return;
    }
    PENCOL(std::as_const(ICOL));
}

void PENCOL(const INTEGER& ICOL) {
    if (ICOL == 999) return;  // the query needs a variable to answer into
    const bool file = plot_file_open();
    if (file && ICOL == -1) {
        hpgl::pen_away();
        return;
    }
    if (file && ICOL == -2) {
        hpgl::pen_select(0);
        return;
    }
    platform::window().canvas().set_color(plotlib_detail::colour_index(ICOL));
    if (file) hpgl::pen_select(ICOL);
}

void PENPOS(REAL& X, REAL& Y, REAL& FACT) {
    FACT = 1.0f;
    if (plotlib_detail::screen_in_use()) {
        double wx = 0, wy = 0;
        platform::window().canvas().world_position(wx, wy);
        X = static_cast<REAL>(wx);
        Y = static_cast<REAL>(wy);
        return;
    }
    X = static_cast<REAL>(static_cast<int64_t>(plot.file_pen.PX) - plot.HPX1) / plot.HXIN + plot.XLO;
    Y = static_cast<REAL>(static_cast<int64_t>(plot.file_pen.PY) - plot.HPY1) / plot.HYIN + plot.YLO;
}

}  // namespace datrax
