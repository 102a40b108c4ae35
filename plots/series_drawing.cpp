#include "plots/series_drawing.h"

#include <algorithm>
#include <vector>

#include "app/ggp_pair.h"
#include "plotlib/axes.h"
#include "plotlib/device.h"
#include "plotlib/figures.h"
#include "plotlib/pen.h"
#include "plotlib/symbols.h"
#include "plots/banner.h"
#include "plots/curves.h"
#include "plots/date_axis.h"
#include "plots/grid.h"
#include "plots/mark_table.h"
#include "plots/marking.h"
#include "plots/time_placement.h"
#include "records/missing.h"

namespace datrax {

namespace {

constexpr REAL kTitleHeight = 0.15f;
constexpr REAL kNameHeight = 0.1f;
constexpr REAL kNameRight = 9.9f;  // file names and banner end here
constexpr REAL kBannerHeight = 0.07f;

// A text of COUNT characters (never more than the text holds) at angle 0.
void text_at(REAL x, REAL y, REAL height, std::string_view text, INTEGER count) {
    PLTSYM(x, y, height, text, 0.0f, std::clamp(count, 0, static_cast<INTEGER>(text.size())));
}

// An axis title length as drawn: within the 40 characters a title holds.
INTEGER title_length(INTEGER n) { return std::clamp(n, 0, 40); }

void draw_titles() {
    const auto title = [](INTEGER k, REAL y) {
        draw_plot_title(y, kTitleHeight, dset.TITLE(k).view(), dset.LTITLE(k));
    };
    if (sel.NDSETS == 1) {
        title(1, 6.6f);
    } else if (const INTEGER k = lone_set(); k != 0) {
        title(k, 6.6f);
    } else if (sel.STYLE == 1) {
        title(1, 6.9f);
        title(2, 6.6f);
    } else {
        title(1, 6.6f);
        title(2, 3.65f);
    }
}

// File names end together at the right; a GGP pair names its two channels.
void draw_file_names() {
    std::string first = name_on_plot(dset.FNAME(1).view(), dset.FNAME(1).trimmed_length());
    std::string second = name_on_plot(dset.FNAME(2).view(), dset.FNAME(2).trimmed_length());
    INTEGER nch = static_cast<INTEGER>(first.size());
    if (sel.NDSETS == 2) nch = std::max(nch, static_cast<INTEGER>(second.size()));
    // The shorter name is drawn blank-padded, as its fixed-length text was.
    first.resize(static_cast<size_t>(nch), ' ');
    second.resize(static_cast<size_t>(nch), ' ');
    const REAL x = kNameRight - 0.1f * static_cast<REAL>(nch);
    text_at(x, 7.3f, kNameHeight, first, nch);
    if (sel.NDSETS != 2) return;
    if (!ggp_pair()) {
        text_at(x, 7.1f, kNameHeight, second, nch);
    } else if (lone_set() == 0) {
        text_at(pp.XMAX - 0.7f, 6.6f, kNameHeight, "gravity", 7);
        text_at(pp.XMAX - 0.8f, 3.6f, kNameHeight, "pressure", 8);
    } else {
        const std::string_view channel = lone_set() == 1 ? "gravity" : "pressure";
        const INTEGER n = static_cast<INTEGER>(channel.size());
        text_at(pp.XMAX - 0.1f * static_cast<REAL>(n), 6.6f, kNameHeight, channel, n);
    }
}

// The time axis: numbered in the plot's time unit, or in calendar time (the
// page x of its round dates come back for the grid).
struct TimeAxis {
    bool calendar = false;
    std::vector<REAL> ticks;
};

TimeAxis draw_time_axis(const SeriesDrawing& d) {
    if (!calendar_axis()) {
        PLTAXS(pp.XMIN, pp.YMIN, pp.AXTITX(1).view(), -title_length(pp.LAXTX(1)), -pp.XLEN, 0.0f, d.TSTART, d.TSTEP,
               pp.NTX(1), pp.TEX(1), d.XDIV);
        return {};
    }
    // A window of one sample spans one interval, as its curve does.
    const double step = seconds_per_position();
    const double first = static_cast<double>(plotw.I1) - 1.0;
    const double span = std::max(static_cast<double>(plotw.I2) - static_cast<double>(plotw.I1), 1.0);
    const double t0 = axis_origin() + first * step;
    return {true, draw_date_axis(t0, t0 + span * step)};
}

// The Y axis, frame and grid of one plot area with its frame corner at
// (XMIN, y0).
void draw_area(const TimeAxis& axis, REAL y0, REAL height, const Text<40>& title, INTEGER length, REAL first, REAL step,
               REAL div) {
    PLTAXS(pp.XMIN, y0, title.view(), title_length(length), -height, 90.0f, first, step, pp.NTY(1), pp.TEY(1), div);
    RECTNG(pp.XMIN, y0, height, pp.XLEN, 0.0f, 3);
    if (!pp.ZGRD) return;
    if (axis.calendar)
        draw_date_grid(y0, height, axis.ticks);
    else
        draw_grid(y0, height, 1);
}

void draw_areas(const SeriesDrawing& d, const TimeAxis& axis) {
    if (!separate_areas()) {
        if (lone_set() == 2)
            draw_area(axis, pp.YMIN, d.H1, pp.AXTITY2, pp.LAXTY2, plotw.YLO1, d.ystep1, d.ydiv1);
        else
            draw_area(axis, pp.YMIN, d.H1, pp.AXTITY(1), pp.LAXTY(1), plotw.YLO1, d.ystep1, d.ydiv1);
        return;
    }
    draw_area(axis, kUpperBase, d.H1, pp.AXTITY(1), pp.LAXTY(1), plotw.YLO1, d.ystep1, d.ydiv1);
    draw_area(axis, pp.YMIN, d.H2, pp.AXTITY2, pp.LAXTY2, plotw.YLO2, d.ystep2, d.ydiv2);
}

// "DATRAX" and the plot file name in a box at the bottom right.
void draw_banner() {
    const std::string name = name_on_plot(gp.PLTNAM(1).view(), gp.NPLT(1));
    const auto n = static_cast<INTEGER>(name.size());
    const REAL l = static_cast<REAL>(n) * kBannerHeight;
    const REAL xr = kNameRight - l;
    const REAL x0 = xr - 0.52f;
    text_at(x0, 0.27f, kBannerHeight, "DATRAX", 6);
    text_at(xr, 0.27f, kBannerHeight, name, n);
    RECTNG(x0 - 0.1f, 0.2f, 0.21f, l + 0.72f, 0.0f, 3);
}

}  // namespace

namespace {
bool has_present_sample(INTEGER k) {
    const INTEGER n = std::clamp(dset.NPTS(k), 0, MAXPTS);
    const REAL* y = Y.column(k);
    return std::any_of(y, y + n, [](REAL v) { return !is_missing(v); });
}
}  // namespace

INTEGER lone_set() {
    if (sel.NDSETS != 2) return 0;
    const bool first = has_present_sample(1), second = has_present_sample(2);
    if (first == second) return 0;
    return first ? 1 : 2;
}

bool separate_areas() { return sel.NDSETS > 1 && sel.STYLE != 1 && lone_set() == 0; }

void draw_time_series(SeriesDrawing& d) {
    select_output(d.output, 1);
    PENCOL(15);
    if (pp.ZTITL) draw_titles();
    draw_file_names();
    const TimeAxis axis = draw_time_axis(d);
    draw_areas(d, axis);
    draw_curves(d);
    if (pp.ZCOL) PENCOL(15);
    if (pp.ZNAME && d.output == kOutputSave) draw_banner();
    plotw.last_scale = dset.TSCALE;
    mainv.new_data = false;
    plotw.files_drawn = mainv.files_read;
    if (d.output != kOutputSave) return;
    mark_points(d.DXI, plotw.I1);
    close_plot_with_marks();
    d.output = kOutputScreen;
}

}  // namespace datrax
