#include "plots/histogram.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "base/numbers.h"
#include "console/console.h"
#include "console/prompts.h"
#include "data/limits.h"
#include "plotlib/axes.h"
#include "plotlib/device.h"
#include "plotlib/figures.h"
#include "plotlib/pen.h"
#include "plotlib/symbols.h"
#include "plots/banner.h"
#include "plots/grid.h"
#include "plots/histogram_counts.h"
#include "plots/output.h"

namespace datrax {

namespace {

constexpr REAL kMinimumRange = 1.0e-37f;

std::span<const REAL> samples_of(INTEGER k) {
    return {Y.column(k), static_cast<size_t>(std::clamp(dset.NPTS(k), 0, MAXPTS))};
}

// Asks whether (and how) to change the limits; a new data set always asks
// for fixed or automatic limits.
void choose_limits(LOGICAL new_data, INTEGER k) {
    if (!new_data) {
        ASKYN(0, -scr.MAXROW, "Change Data Limits [y/n] --> |", histw.change_limits, scr.PRMCOL);
        if (!histw.change_limits) return;
    }
    ASKYN(0, -scr.MAXROW, "Fixed Data Limits [y/n] --> |", histw.fixed_limits, scr.PRMCOL);
    if (histw.fixed_limits)
        SETLIM(histw.lower, histw.upper);
    else
        EXTREM(histw.lower, histw.upper, 1, dset.NPTS(k), k);
}

// A range too large for single precision, or too small to scale.
void refuse_range(REAL range) {
    if (!std::isfinite(range)) {
        bottom_row_notice("Data Range too large to draw Press [Enter] --> |", scr.PRMCOL);
        return;
    }
    SHOWRL(0, -scr.MAXROW, "Data Range too small : |", range, 4, scr.PRMCOL);
    MSGTXT(-1, 0, " Press [Enter] --> |", scr.PRMCOL);
    WAITKY();
}

struct Layout {
    REAL bar_width, inches_per_count, x_step, y_step;
};

Layout layout_for(std::span<const INTEGER> counts, REAL range) {
    // A largest count of 0 (every sample outside fixed limits) scales as 1,
    // so the axes and an empty frame are still drawn.
    const INTEGER hmax = std::max(1, *std::max_element(counts.begin(), counts.end()));
    const REAL nbin = static_cast<REAL>(counts.size());
    return {pp.XLEN / nbin, pp.YLEN / static_cast<REAL>(hmax), range / static_cast<REAL>(divisions(pp.NGX(2))),
            static_cast<REAL>(hmax) / static_cast<REAL>(divisions(pp.NGY(2)))};
}

void draw_statistics(const SampleStatistics& s) {
    struct Item {
        std::string_view label;
        REAL lx, ly, value, vx;
    };
    const REAL x = pp.XMIN;
    const Item items[] = {
        {"average power", x + 1.5f, 7.0f, s.power, x + 3.5f}, {"mean      ", x + 1.5f, 6.8f, s.mean, x + 3.5f},
        {"std. dev. ", x + 5.5f, 6.8f, s.sd, x + 7.0f},       {"skewness  ", x + 1.5f, 6.6f, s.skewness, x + 3.5f},
        {"kurtosis  ", x + 5.5f, 6.6f, s.kurtosis, x + 7.0f},
    };
    const INTEGER ndec = pp.NTX(2) + 2;
    for (const Item& it : items) {
        PLTSYM(it.lx, it.ly, 0.12f, it.label, 0.0f, static_cast<INTEGER>(it.label.size()));
        PLTNUM(it.vx, it.ly, 0.12f, it.value, 0.0f, ndec);
    }
}

// The title of the data set drawn; the pressure set of a GGP pair has none
// of its own and shows the station's.
INTEGER title_set(INTEGER k) {
    return k == 2 && dset.IFORM == FileFormat::Ggp && dset.TITLE(2).trimmed_length() == 0 ? 1 : k;
}

// The data axis carries AXTITX(2), which follows data set 1's unit; data
// set 2 shows its own unit instead unless the user has typed a title.
bool own_unit_title(INTEGER k) { return k == 2 && pp.AXTITX(2).trimmed() == dset.DUNIT(1).trimmed(); }

void draw_titles(INTEGER k, const SampleStatistics& stats) {
    draw_file_banner(dset.FNAME(k), gp.PLTNAM(2).view(), gp.NPLT(2));
    const INTEGER t = title_set(k);
    draw_plot_title(7.3f, 0.15f, dset.TITLE(t).view(), dset.LTITLE(t));
    if (pp.ZSUBT) PLTSYM(pp.XMIN, 7.0f, 0.1f, pp.SUBTH.view(), 0.0f, pp.LSUBTH);
    draw_statistics(stats);
}

void draw_axes_and_frame(const Layout& l, INTEGER k) {
    Text<40> title = pp.AXTITX(2);
    INTEGER length = pp.LAXTX(2);
    if (own_unit_title(k)) {
        title = dset.DUNIT(2).view();
        length = LENTXT(title, -40);
    }
    PLTAXS(pp.XMIN, pp.YMIN, title.view(), -length, pp.XLEN, 0.0f, histw.lower, l.x_step, pp.NTX(2), pp.TEX(2),
           pp.XLEN / static_cast<REAL>(divisions(pp.NGX(2))));
    PLTAXS(pp.XMIN, pp.YMIN, pp.AXTITY(2).view(), pp.LAXTY(2), -pp.YLEN, 90.0f, 0.0f, l.y_step, pp.NTY(2), pp.TEY(2),
           pp.YLEN / static_cast<REAL>(divisions(pp.NGY(2))));
    RECTNG(pp.XMIN, pp.YMIN, pp.YLEN, pp.XLEN, 0.0f, 3);
    if (pp.ZGRD) draw_grid(pp.YMIN, pp.YLEN, 2);
}

// Open bars sharing their vertical edges; the axis line closes them below.
void draw_bars(std::span<const INTEGER> counts, const Layout& l) {
    REAL x = pp.XMIN;
    for (const INTEGER count : counts) {
        const REAL xr = x + l.bar_width;
        const REAL top = static_cast<REAL>(count) * l.inches_per_count + pp.YMIN;
        PENMOV(x, pp.YMIN, 3);
        PENMOV(x, top, 2);
        PENMOV(xr, top, 2);
        PENMOV(xr, pp.YMIN, 2);
        x = xr;
    }
}

void draw_histogram(INTEGER k, INTEGER mode, std::span<const INTEGER> counts, const Layout& l,
                    const SampleStatistics& stats) {
    select_output(mode, 2);
    PENCOL(15);
    INTEGER digits = 3;
    NUMDIG(digits);
    if (pp.ZTITL) draw_titles(k, stats);
    digits = 0;
    NUMDIG(digits);
    draw_axes_and_frame(l, k);
    draw_bars(counts, l);
}

}  // namespace

LOGICAL histogram_plot(std::span<INTEGER> counts, const INTEGER& NBIN) {
    const INTEGER k = sel.slot;
    if (dset.NPTS(k) - dset.missing(k) < 1) {
        bottom_row_notice("No samples in this data set --> |", scr.PRMCOL);
        return false;
    }
    // Limits of the histogram's own for this data set; until it has drawn
    // one (after a time-series plot has cleared the new-data flag, say),
    // every pass asks as a first call does.
    LOGICAL new_data =
        mainv.new_data || !(histw.has_limits && histw.limits_slot == k && histw.limits_file == dset.FNAME(k));
    if (new_data) EXTREM(histw.lower, histw.upper, 1, dset.NPTS(k), k);
    const std::span<INTEGER> bars = counts.first(static_cast<size_t>(std::clamp<INTEGER>(NBIN, 1, counts.size())));
    for (;;) {
        INTEGER mode = kOutputScreen;
        choose_limits(new_data, k);
        // The range is taken in double precision: limits near the ends of
        // single precision have a range that single precision cannot hold.
        const REAL range = static_cast<REAL>(static_cast<double>(histw.upper) - static_cast<double>(histw.lower));
        if (!std::isfinite(range) || std::fabs(range) <= kMinimumRange) {
            refuse_range(range);
            continue;
        }
        count_bins(samples_of(k), histw.lower, histw.upper, bars, static_cast<INTEGER>(bars.size()));
        const SampleStatistics stats = sample_statistics(samples_of(k));
        const Layout l = layout_for(bars, range);
        for (;;) {
            draw_histogram(k, mode, bars, l, stats);
            mainv.new_data = new_data = false;
            histw.has_limits = true;
            histw.limits_slot = k;
            histw.limits_file = dset.FNAME(k);
            if (mode == kOutputSave) {
                PLTCLS();
                break;
            }
            ASKYN(0, -scr.MAXROW, "Save Plot [y/n] --> |", histw.save, scr.PRMCOL);
            if (!histw.save) break;
            mode = kOutputSave;
        }
        ASKYN(0, -scr.MAXROW, "Quit [y/n] --> |", histw.quit, scr.PRMCOL);
        if (histw.quit) return true;
    }
}

}  // namespace datrax
