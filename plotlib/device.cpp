#include "plotlib/device.h"

#include <algorithm>
#include <string>
#include <utility>

#include "base/numbers.h"
#include "console/console.h"
#include "console/prompts.h"
#include "platform/window.h"
#include "plotlib/coords.h"
#include "plotlib/font.h"
#include "plotlib/hpgl.h"
#include "plotlib/paper.h"
#include "plotlib/pen.h"
#include "plotlib/plotlib.h"

namespace datrax {

using plotlib_detail::plot;
using plotlib_detail::plotter_x;
using plotlib_detail::plotter_y;
using plotlib_detail::screen_in_use;
using plotlib_detail::truncate_int;

namespace {

constexpr INTEGER kPenOnStart = 15;  // colour selected by every plot start
constexpr INTEGER kYesNoWidth = 14;  // "? [y/n] --> " and its answer

struct PageRow {
    INTEGER paper_code, hpx1, hpy1, hpx2, hpy2;
};
constexpr PageRow kPage11{4, 100, 200, 10315, 7870};
constexpr PageRow kPage17{3, 0, 100, 16320, 10315};

platform::Canvas& canvas() { return platform::window().canvas(); }

// Makes the drawing of the open plot file complete, once: the pen put away
// and the page written out. False when the page could not be written.
bool complete_drawing() {
    if (!plot.file_complete) {
        hpgl::pen_away();
        plot.file_drawn = plot.page.finish();
        plot.file_complete = true;
    }
    return plot.file_drawn;
}

// Completes the plot file and puts it in place; a file whose writing failed
// is dropped (the old file stays) and reported instead of passing for a
// finished plot.
void close_plot_file() {
    if (plot.plot_unit != kPlotUnit) return;
    const FileName name = plot.plot_file_name;
    const bool null_device = plot.file.discards();
    bool written = complete_drawing();
    if (written)
        written = plot.file.close();
    else
        plot.file.abandon();
    plot.file_saved = written && !null_device;
    plot.plot_unit = 0;
    plot.plot_file_name = "";
    plot.file_complete = false;
    if (!written) bottom_row_notice("Cannot write |", name.trimmed(), 15);
}

// Left-justifies the name and returns its length (0 when blank).
INTEGER justified_length(FileName& name) {
    const INTEGER n = LENTXT(name, -kNameLength);
    return name.is_blank() ? 0 : n;
}

// The overwrite dialogue: returns the name to write, "nul" when the user
// ends up with an empty name.
FileName choose_plot_name(FileName work) {
    INTEGER len = justified_length(work);
    while (len != 0) {
        if (platform::is_null_device_name(work.trimmed())) return work;
        // A PDF, SVG or PNG name keeps its extension; every other name is
        // an HP-GL file ending in ".plt".
        if (paper::kind_of(work.trimmed()) == paper::Kind::hpgl) SETEXT(work, "plt");
        len = work.trimmed_length();
        if (!platform::plot_file_exists(work.trimmed())) return work;
        INTEGER maxc = 0, maxr = 0;
        TXTSIZ(maxc, maxr);
        show_name(0, -maxr, "Overwrite |", work.view(), len, 15, kYesNoWidth);
        LOGICAL overwrite = false;
        ASKYN(-1, 0, "? [y/n] --> |", overwrite, 15);
        if (overwrite) return work;
        ask_file_name(0, -maxr, "New plot filename  [.plt] --> |", work, kNameLength, 15);
        CCLEAR(0, maxr, maxc, maxr);
        len = justified_length(work);
    }
    return FileName("nul");
}

// Opens the chosen name; a name that cannot be opened is reported and the
// plot goes to the null device, the stored name staying the user's.
void open_plot_file(const FileName& name) {
    if (platform::is_null_device_name(name.trimmed())) {
        // Said whatever the device: a plot that goes nowhere must not pass
        // for a saved one.
        bottom_row_notice("Plot not written (null device)|", 15);
        plot.file.open("nul");
    } else {
        if (screen_in_use()) {
            INTEGER maxc = 0, maxr = 0;
            TXTSIZ(maxc, maxr);
            show_name(0, -maxr, "Writing to file : |", name.view(), name.trimmed_length(), 15);
        }
        std::string error;
        if (!plot.file.open(name.trimmed())) {
            bottom_row_notice("Cannot open |", name.trimmed(), 15);
            plot.file.open("nul");
        } else if (!plot.page.start(paper::kind_of(name.trimmed()), plot.file, error)) {
            // Without the library no PDF, SVG or PNG page can be drawn: the
            // old file of the name stays, the reason goes to standard error.
            plot.file.abandon();
            diagnostic("datrax: " + error);
            bottom_row_notice("No PDF, SVG or PNG plot without the cairo library: |", name.trimmed(), 15);
            plot.file.open("nul");
        }
    }
    plot.plot_unit = kPlotUnit;
    plot.plot_file_name = name;
    plot.file_complete = false;
    plot.file_saved = false;
    plot.file_pen = {};  // nothing of the last file's pen state holds in this one
}

// The plot start of a plot file without a graphics window.
void start_plot_file() {
    if (plot.IDEV == kDeviceNone) plot.IDEV = kDevicePlotFile;
    HPPSZE(plot.IPAGE);
    CLIPWN(plot.XHI, plot.YHI);
    PENCOL(kPenOnStart);
    INTEGER digits = 6;
    NUMDIG(digits);
    FNTLOD();
}

void reset_drawing_style() {
    plot.ISYM = -1;
    plot.THGT = 0.0f;
    plot.LMODE = 0;
    plot.IFILL = 0;
    plot.SCOL = 0;
    plot.GFACT = 1.5f;
}

void apply_world_window() { canvas().set_world_window(plot.XLO, plot.YLO, plot.XHI, plot.YHI); }

}  // namespace

INTEGER plot_device() { return plot.IDEV; }

bool plot_file_open() { return plot.IDEV == kDevicePlotFile || plot.IDEV == kDeviceBoth; }

std::string_view plot_file_name() { return plot.plot_file_name.trimmed(); }

bool finish_plot_file() {
    if (plot.plot_unit != kPlotUnit) return false;
    return complete_drawing() && plot.file.flush_all() && !plot.file.discards();
}

bool plot_file_saved() { return plot.file_saved; }

void abandon_plot_file() {
    if (plot.plot_unit != kPlotUnit) return;
    plot.page = paper::Page();
    plot.file.abandon();
    plot.plot_unit = 0;
    plot.plot_file_name = "";
    plot.file_complete = false;
}

INTEGER page_size() { return plot.IPAGE; }

void PLTDEV(INTEGER& IDEV, INTEGER& IPAGE, INTEGER& IMODE, INTEGER& IBACK, TextRef FILE) {
    if (IDEV >= 0) {
        PLTDEV(std::as_const(IDEV), std::as_const(IPAGE), std::as_const(IMODE), std::as_const(IBACK), FILE.view());
        return;
    }
    IDEV = plot.IDEV;
    IPAGE = plot.IPAGE;
    IMODE = plot.IMODE;
    IBACK = plot.IBACK;
    FILE.assign(plot.plot_file_name.view());
}

void PLTDEV(const INTEGER& IDEV, const INTEGER& IPAGE, const INTEGER& IMODE, const INTEGER& IBACK,
            std::string_view FILE) {
    if (IDEV < 0) return;  // a query needs variables to answer into
    plot.IDEV = IDEV == kDeviceNone ? kDeviceScreen : IDEV;
    plot.IPAGE = IPAGE == 0 ? 11 : IPAGE;
    plot.IMODE = std::clamp(IMODE, 0, 4);
    plot.IBACK = std::clamp(IBACK, 0, 7);
    const FileName name(FILE);
    // A plot file left open under another name is finished first, so the
    // new plot can never run on into it.
    if (!(name == plot.plot_file_name)) close_plot_file();
    plot.plot_file_name = name;
    PLTSTA();
}

void PLTSTA() {
    if (plot_file_open()) PLTOPN(plot.plot_file_name.view());
    if (screen_in_use()) SCRINI();
}

void PLTOPN(std::string_view FILE) {
    const FileName work(FILE);
    const bool same_file_open = plot.plot_unit == kPlotUnit && work == plot.plot_file_name;
    if (!same_file_open) {
        close_plot_file();
        open_plot_file(choose_plot_name(work));
    }
    if (plot.IMODE < 1) start_plot_file();
}

void SCRINI() {
    if (plot.IMODE == 0) {
        plot.IBACK = 0;
        plot.IDEV = 2;
        plot.IPAGE = 11;
    }
    WINSIZ(plot.IMODE, plot.IBACK);
    INTEGER width = 0, height = 0, cellh = 0;
    WINMOD(plot.IMODE, width, height, cellh);
    canvas().set_viewport(0, 0, width, height);
    HPPSZE(plot.IPAGE);
    plot.PXIN = static_cast<REAL>(width - 1) / (plot.XHI - plot.XLO);
    plot.PYIN = static_cast<REAL>(height - 1) / (plot.YHI - plot.YLO);
    CLIPWN(plot.XHI, plot.YHI);
    apply_world_window();
    reset_drawing_style();
    PENCOL(kPenOnStart);
    INTEGER digits = 7;
    NUMDIG(digits);
    FNTLOD();
}

void WINTTL(std::string_view TITLE) {
    if (plot.IDEV == kDevicePlotFile) return;
    platform::window().set_title(TITLE);
    apply_world_window();
    canvas().set_bk_color(plot.IBACK);
    canvas().clear_screen();
}

void HPPSZE(INTEGER& IPAGE) {
    if (IPAGE < 0) {
        IPAGE = plot.IPAGE;
        return;
    }
    HPPSZE(std::as_const(IPAGE));
}

void HPPSZE(const INTEGER& IPAGE) {
    if (IPAGE < 0) return;
    plot.IPAGE = IPAGE;
    if (IPAGE == 11) {
        plot.XLO = 0.0f, plot.XHI = 10.0f, plot.YLO = 0.0f, plot.YHI = 7.5f;
    } else if (IPAGE == 17) {
        plot.XLO = 0.0f, plot.XHI = 16.0f, plot.YLO = 0.0f, plot.YHI = 10.0f;
    } else {
        console_line(" HPPSZE: unknown page size");
    }
    if (plot.IDEV == kDeviceScreen) return;
    const PageRow& row = IPAGE <= 11 ? kPage11 : kPage17;
    plot.HPX1 = row.hpx1;
    plot.HPY1 = row.hpy1;
    plot.HPX2 = row.hpx2;
    plot.HPY2 = row.hpy2;
    plot.HXIN = static_cast<REAL>(plot.HPX2 - plot.HPX1) / (plot.XHI - plot.XLO);
    plot.HYIN = static_cast<REAL>(plot.HPY2 - plot.HPY1) / (plot.YHI - plot.YLO);
    hpgl::page_size(row.paper_code);
}

void CLIPWN(const REAL& XW, const REAL& YH) {
    if (screen_in_use()) {
        canvas().set_clip_rect(truncate_int((0.0f - plot.XLO) * plot.PXIN), truncate_int((plot.YHI - YH) * plot.PYIN),
                               truncate_int((XW - plot.XLO) * plot.PXIN), truncate_int((plot.YHI - 0.0f) * plot.PYIN));
    }
    if (plot_file_open()) hpgl::input_window(plotter_x(0.0f), plotter_y(0.0f), plotter_x(XW), plotter_y(YH));
}

void WINSIZ(INTEGER& IMODE, const INTEGER& IBACK) {
    IMODE = std::clamp(IMODE, 1, 4);
    const platform::ModeSize size = platform::mode_size(IMODE);
    platform::Window& win = platform::window();
    if (win.canvas().width() != size.width || win.canvas().height() != size.height)
        win.set_size(size.width, size.height);
    canvas().restore_text_window();
    canvas().set_bk_color(std::clamp(IBACK, 0, 7));
    canvas().clear_screen();
}

void WINMOD(INTEGER& IMODE, INTEGER& WIDTH, INTEGER& HEIGHT, INTEGER& CELLH) {
    const int cols = canvas().cols();
    WIDTH = cols * platform::kCellW;
    HEIGHT = canvas().rows() * platform::kCellH;
    CELLH = platform::kCellH;
    IMODE = cols > 128 ? 4 : cols > 100 ? 3 : cols > 80 ? 2 : 1;
}

void INCPIX(REAL& X, REAL& Y, INTEGER& IX, INTEGER& IY, const INTEGER& DIR) {
    if (DIR == 0) {
        IX = truncate_int((X - plot.XLO) * plot.PXIN);
        IY = truncate_int((plot.YHI - Y) * plot.PYIN);
    } else {
        X = static_cast<REAL>(IX) / plot.PXIN + plot.XLO;
        Y = plot.YHI - static_cast<REAL>(IY) / plot.PYIN;
    }
}

void PLTCLS() {
    if (plot.IDEV == kDeviceScreen) return;
    close_plot_file();
    plot.plot_unit = 0;
    plot.plot_file_name = "";
    plot.IDEV = 0;
}

void PLTEND() {
    if (plot.IDEV == kDeviceBoth) {
        WAITKY();
        plot.IMODE = 0;
    }
    PLTCLS();
}

}  // namespace datrax
