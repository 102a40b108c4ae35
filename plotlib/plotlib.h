// The plotting library's own state record. Only plotlib routines touch it;
// everybody else goes through the routines.
#pragma once
#include <array>
#include <cstdint>

#include "base/arr.h"
#include "base/file_name.h"
#include "base/text.h"
#include "base/types.h"
#include "platform/plot_file.h"
#include "plotlib/paper.h"

namespace datrax {

constexpr INTEGER kPlotUnit = 19;  // plot_unit while a plot file is open
constexpr INTEGER kGlyphMax = 35;  // most stroke values of one glyph

// One glyph of the loaded stroke font: values 1..count.
struct Glyph {
    INTEGER count = 0;
    Arr1<INTEGER, kGlyphMax> v;
};

// The pen state of the open plot file (PENMOV, PLTSYM). Each plot file starts
// from these values (PLTOPN): a new file leaves IN; with the pen up and a
// solid line, so its first dotted or dashed move writes its line type.
struct PlotFilePen {
    INTEGER pen = 0;                          // last digit of the pen code of the last file move
    const char* cmd = " PU";                  // move command of the last file move
    INTEGER PX = 0, PY = 0;                   // plotter position of the last file move
    REAL cont_x = -999.0f, cont_y = -999.0f;  // where the last plot-file text ended (999 continues)
};

struct PlotLibRecord {
    INTEGER IDEV = 0;            // 0 nothing open, 1 plot file, 2 screen, 12 both (PLTDEV, PLTCLS, PLTEND)
    INTEGER IPAGE = 11;          // page size code 11 or 17 (PLTDEV, HPPSZE)
    INTEGER IMODE = 0;           // graphics mode 1..4; 0 = no graphics window set up (PLTDEV, SCRINI, PLTEND)
    INTEGER IBACK = 0;           // background colour 0..7 of the graphics window (PLTDEV, SCRINI)
    FileName plot_file_name;     // name of the plot file last opened (PLTOPN; blank after closing)
    INTEGER plot_unit = 0;       // kPlotUnit while a plot file is open, else 0 (PLTOPN, PLTCLS, PLTEND)
    platform::PlotFile file;     // the open plot file itself
    bool file_complete = false;  // the open plot file's drawing is complete: nothing more is written (finish_plot_file)
    bool file_drawn = false;     // its page was written out without a failure (finish_plot_file)
    bool file_saved = false;     // the last plot file closed was put in place, not the null device (PLTCLS)
    PlotFilePen file_pen;        // pen state of the open plot file (reset by PLTOPN)
    paper::Page page;            // the drawing of a PDF, SVG or PNG plot file, written into `file` (PLTOPN, PLTCLS)
    REAL XLO = 0.0f, YLO = 0.0f, XHI = 10.0f, YHI = 7.5f;  // page extents, inches (HPPSZE, origin shifts)
    REAL PXIN = 0.0f, PYIN = 0.0f;                         // screen pixels per inch (SCRINI)
    INTEGER HPX1 = 0, HPY1 = 0, HPX2 = 0, HPY2 = 0;        // plotter units of the page corners (HPPSZE)
    REAL HXIN = 0.0f, HYIN = 0.0f;                         // plotter units per inch (HPPSZE)

    // Drawing style (PLTSTY; reset by every screen set-up).
    INTEGER LMODE = 2;  // line mode 0, 2, 5 or 6 replacing draw codes (2 at program start)
    INTEGER ISYM = -1;  // style marker: -1 none, 0..32 a marker code
    INTEGER SCOL = 0;   // marker colour 1..15, or -1 for the current colour
    INTEGER IFILL = 0;  // 1 = fill screen markers
    REAL THGT = 0.0f;   // forced text height in inches; 0 = the caller's height
    REAL GFACT = 1.5f;  // glyph height factor of the stroke font

    // Screen pen state (PENMOV); kept from one plot to the next.
    bool pen_down = true;           // set after every screen draw, cleared after a screen move
    uint16_t screen_mask = 0xFFFF;  // line mask last set by a screen draw

    std::array<Glyph, 128> font;  // the loaded stroke font by character code (FNTLOD)

    // Screen texts and markers (PLTSYM); kept from one plot to the next.
    REAL screen_cont_x = -999.0f, screen_cont_y = -999.0f;  // where the last screen text ended (999 continues)
    INTEGER marker_ix = 0, marker_iy = 0;                   // pixel of the last screen marker or text
    Text<32> number_text;                                   // number buffer of PLTNUM
};

namespace plotlib_detail {
// The one instance; plotlib routines only.
extern PlotLibRecord plot;
}  // namespace plotlib_detail

// Restores the library's initial state (run start, tests); an open plot
// file is closed.
void reset_plotlib();

}  // namespace datrax
