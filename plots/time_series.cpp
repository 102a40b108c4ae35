#include "plots/time_series.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "app/ggp_pair.h"
#include "console/console.h"
#include "console/prompts.h"
#include "data/file_series.h"
#include "data/filter.h"
#include "data/limits.h"
#include "data/units.h"
#include "plotlib/device.h"
#include "plots/grid.h"
#include "plots/marking.h"
#include "plots/sample_index.h"
#include "plots/series_drawing.h"
#include "plots/time_placement.h"
#include "plots/time_window.h"

namespace datrax {

namespace {

constexpr REAL kMinRange = 1.0e-8f;  // smallest data range an area is scaled to

// Where a drawing starts: the steps it repeats, in the order the plot takes
// them (the browse commands re-enter at one of them).
enum class Entry { FixedTime, Window, Spans, DataLimits, Output, Quit };

void set_record_length(SeriesDrawing& d) {
    d.NMAX = axis_length();
    d.TEND = static_cast<REAL>(d.NMAX - 1) * dset.DT(1) * dset.TSCALE;
}

void prompt_yn(std::string_view prompt, LOGICAL& answer) { ASKYN(0, -scr.MAXROW, prompt, answer, scr.PRMCOL); }

// The data ranges of data sets placed at different times, each over its own
// samples at axis positions first..last.
void ranges_of_placed_sets(const Placement& p1, const Placement& p2, INTEGER first, INTEGER last) {
    INTEGER from1 = 0, to1 = 0, from2 = 0, to2 = 0;
    p1.samples_within(first, last, dset.NPTS(1), from1, to1);
    p2.samples_within(first, last, dset.NPTS(2), from2, to2);
    // A data set without a sample in the window widens nothing.
    if (from1 > to1) from1 = to1 = 0;
    if (from2 > to2) from2 = to2 = 0;
    set_ranges(plotw.YLO1, plotw.YHI1, plotw.YLO2, plotw.YHI2, from1, to1, from2, to2);
}

// The data ranges of the samples at axis positions first..last.
void ranges_over(INTEGER first, INTEGER last) {
    const Placement p1 = placement(1), p2 = placement(2);
    if (p1.identity() && p2.identity())
        DRANGE(plotw.YLO1, plotw.YHI1, plotw.YLO2, plotw.YHI2, first, last);
    else
        ranges_of_placed_sets(p1, p2, first, last);
    // Data set 2 drawn alone fills the one area.
    if (lone_set() == 2) {
        plotw.YLO1 = plotw.YLO2;
        plotw.YHI1 = plotw.YHI2;
    }
}

// The automatic data limits of the drawn samples; a window that holds no
// sample keeps the limits it had.
void automatic_limits() {
    if (plotw.J1 <= plotw.J2) ranges_over(plotw.J1, plotw.J2);
}

// The sample window. Fixed time limits need a time per sample; without one
// the whole record is drawn.
void set_window(const SeriesDrawing& d) {
    const REAL per_sample = dset.TSCALE * dset.DT(1);
    if (plotw.fixed_time && per_sample != 0.0f) {
        plotw.I1 = sample_index(plotw.TLO / per_sample, 1);
        plotw.I2 = sample_index(plotw.THI / per_sample, 1);
        plotw.J1 = std::max(plotw.I1, 1);
        plotw.J2 = std::min(plotw.I2, d.NMAX);
    } else {
        plotw.I1 = plotw.J1 = 1;
        plotw.I2 = plotw.J2 = d.NMAX;
    }
}

void set_spans(SeriesDrawing& d) {
    const int64_t samples = static_cast<int64_t>(plotw.I2) - plotw.I1;
    const REAL ngx = static_cast<REAL>(divisions(pp.NGX(1)));
    d.TSTART = static_cast<REAL>(static_cast<int64_t>(plotw.I1) - 1) * dset.DT(1) * dset.TSCALE;
    d.TSTEP = static_cast<REAL>(samples) * dset.DT(1) * dset.TSCALE / ngx;
    d.XDIV = pp.XLEN / ngx;
    // A window of one sample spans the whole axis.
    d.DXI = samples > 0 ? pp.XLEN / static_cast<REAL>(samples) : pp.XLEN;
}

// True when the fixed-data question follows.
bool review_data_limits(bool new_data) {
    switch (plotw.command(1)) {
        case 'p':
        case 'n':
        case 'f':
        case 'b':
            if (!plotw.fixed_data) automatic_limits();
            return false;
        default: break;
    }
    if (new_data) return true;
    prompt_yn("Change Data Limits [y/n] --> |", plotw.change_data);
    return plotw.change_data;
}

void ask_data_limits() {
    prompt_yn("Fixed Data Limits [y/n] --> |", plotw.fixed_data);
    if (!plotw.fixed_data) {
        automatic_limits();
    } else if (!separate_areas()) {
        SETLIM(plotw.YLO1, plotw.YHI1);
    } else {
        const INTEGER label_row = scr.MAXROW - 1;
        MSGTXT(0, label_row, "Upper Data Set (1)|", scr.PRMCOL);
        SETLIM(plotw.YLO1, plotw.YHI1);
        MSGTXT(0, label_row, "Lower Data Set (2)|", scr.PRMCOL);
        SETLIM(plotw.YLO2, plotw.YHI2);
        CCLEAR(0, label_row, scr.MAXCOL, label_row);
    }
}

// Data per division, inches per data unit and division length of one area.
// A range that single precision cannot hold (limits near its ends) is
// reported and leaves the area without a curve (scale 0). A range widened to
// the minimum leaves its message in NOTE, for after the drawing.
void scale_area(REAL lo, REAL hi, REAL height, std::string_view message, REAL& step, REAL& scale, REAL& div,
                std::string_view& note) {
    REAL range = static_cast<REAL>(static_cast<double>(hi) - static_cast<double>(lo));
    if (!std::isfinite(range)) {
        bottom_row_notice("Data range too large to draw Press [Enter] --> |", scr.PRMCOL);
        step = scale = 0.0f;
        div = height / static_cast<REAL>(divisions(pp.NGY(1)));
        return;
    }
    if (std::fabs(range) <= kMinRange) {
        note = message;
        range = kMinRange;
    }
    const REAL ngy = static_cast<REAL>(divisions(pp.NGY(1)));
    step = range / ngy;
    scale = height / range;
    div = height / ngy;
}

void set_scales(SeriesDrawing& d) {
    d.range_note = {};
    scale_area(plotw.YLO1, plotw.YHI1, d.H1, "Data range set to minimum |", d.ystep1, d.scale1, d.ydiv1, d.range_note);
    if (separate_areas())
        scale_area(plotw.YLO2, plotw.YHI2, d.H2, "Data range 2 set to minimum |", d.ystep2, d.scale2, d.ydiv2,
                   d.range_note);
}

// The drawing clears the screen: a range set to the minimum is told after it.
void draw_and_tell(SeriesDrawing& d) {
    draw_time_series(d);
    if (!d.range_note.empty()) SHOWRL(0, -(scr.MAXROW - 1), d.range_note, kMinRange, 4, scr.PRMCOL);
}

// Everything a drawing needs from its entry step up to the filter.
void prepare(SeriesDrawing& d, Entry from, bool new_data) {
    if (from == Entry::FixedTime) ask_fixed_time_limits(plotw.fixed_time, plotw.TLO, plotw.THI);
    if (from <= Entry::Window) set_window(d);
    if (from <= Entry::Spans) set_spans(d);
    const bool ask_fixed = from <= Entry::Spans ? review_data_limits(new_data) : from == Entry::DataLimits;
    if (ask_fixed) ask_data_limits();
    set_scales(d);
    if (plotw.command(1) == ' ') ask_filter_length();
    FILTWT(plotw.W);
}

// The plot of a new call: areas, record length, and where its first drawing
// starts.
Entry start_call(SeriesDrawing& d, bool new_data) {
    set_record_length(d);
    d.H1 = separate_areas() ? pp.YMAX - kUpperBase : pp.YLEN;
    d.H2 = kLowerTop - pp.YMIN;
    if (new_data) {
        plotw.last_scale = dset.TSCALE;
        if (d.NMAX >= 1) ranges_over(1, d.NMAX);
    }
    pp.DTF = dset.DT(1);
    plotw.command = " ";
    d.output = kOutputScreen;
    if (new_data) return Entry::FixedTime;
    prompt_yn("Change Time Limits [y/n] --> |", plotw.change_time);
    if (plotw.change_time) return Entry::FixedTime;
    return dset.TSCALE == plotw.last_scale ? Entry::Spans : Entry::Window;
}

// Previous or Next: steps the data files; false when the (last) step failed.
// A file of another time unit (a logger that changed its rate) brings its
// own unit, so that the axis and the time factor stay right.
bool step_files(char direction) {
    INTEGER status = 0;
    const bool pair = ggp_pair();  // one GGP file fills both slots
    const Text<20> shown_unit = dset.TUNIT;
    NEWFIL(direction, dset.FNAME, 1, status);
    if (sel.NDSETS == 2 && !pair) NEWFIL(direction, dset.FNAME, 2, status);
    follow_stepped_units(shown_unit);
    return status != 1;
}

// Asks for browse commands until one needs a drawing; returns where it starts.
Entry browse(SeriesDrawing& d, bool file_steps) {
    for (;;) {
        ASKTXT(0, -scr.MAXROW,
               file_steps ? "[Mark/Forward/Back/Zoom/Yscale/Previous/Next/Save/Quit] -> |"
                          : "[Mark/Forward/Back/Zoom/Yscale/Save/Quit] -> |",
               plotw.command, 1, scr.PRMCOL);
        const char c = plotw.command(1);
        d.output = kOutputScreen;
        switch (c) {
            case 'm':
                // Right after a save the plot file is closed: the plot comes
                // back on the screen first, and the marks go there.
                if (gp.DEVICE == kDevicePlotFile) draw_time_series(d);
                mark_points(d.DXI, plotw.I1);
                break;
            case 'f':
                if (plotw.THI < d.TEND) {
                    const REAL span = plotw.THI - plotw.TLO;
                    plotw.TLO = plotw.THI;
                    plotw.THI = plotw.THI + span;
                    return Entry::Window;
                }
                break;
            case 'b':
                if (plotw.TLO > 0.0f) {
                    const REAL span = plotw.THI - plotw.TLO;
                    plotw.THI = plotw.TLO;
                    plotw.TLO = std::max(plotw.TLO - span, 0.0f);
                    return Entry::Window;
                }
                break;
            case 'z': return Entry::FixedTime;
            case 'y': return Entry::DataLimits;
            case 'n':
            case 'p':
                if (file_steps && step_files(c)) {
                    set_record_length(d);
                    plotw.fixed_time = false;
                    return Entry::Window;
                }
                break;
            case 's': d.output = kOutputSave; return Entry::Output;
            case 'q': return Entry::Quit;
            default: break;
        }
    }
}

}  // namespace

void time_series_plot() { time_series_plot(true); }

void time_series_plot(bool file_steps) {
    SeriesDrawing d;
    // Every file read since the last drawing is new data, whatever the
    // histogram has drawn in between.
    if (plotw.files_drawn != mainv.files_read) mainv.new_data = true;
    Entry next = start_call(d, mainv.new_data);
    while (next != Entry::Quit) {
        if (next != Entry::Output) prepare(d, next, mainv.new_data);
        draw_and_tell(d);
        next = browse(d, file_steps);
    }
}

}  // namespace datrax
