// The program-wide records. Every menu, reader and plot reads and writes these
// fields directly by name; reset_state() restores every load value.
#pragma once
#include <array>
#include <cstdint>
#include <limits>
#include <memory>

#include "base/arr.h"
#include "base/file_name.h"
#include "base/text.h"
#include "base/types.h"

namespace datrax {

constexpr INTEGER MAXPTS = 6000000;   // most samples one data set can hold
constexpr INTEGER MAXSET = 2;         // most data sets held at once
constexpr INTEGER kStyleEntries = 3;  // entries of the per-data-set style arrays
constexpr INTEGER MAXBND = 50;        // capacity of the band table
constexpr INTEGER kCalendarUnit = 5;  // ITUP of the calendar axis (dates and times in UTC)

// The sample values: column k holds data set k. Allocated once for the run
// (2 x 6,000,000 floats), never reallocated and never filled at start-up: the
// system hands out its pages zeroed, and nothing reads past NPTS(k), so a page
// is touched only when a reader first stores a sample in it.
class SampleArray {
public:
    SampleArray();
    REAL& operator()(int i, int k) {
        DATRAX_CHECK_INDEX(i >= 1 && i <= MAXPTS && k >= 1 && k <= MAXSET);
        return v_[static_cast<size_t>(k - 1) * MAXPTS + (i - 1)];
    }
    REAL operator()(int i, int k) const {
        DATRAX_CHECK_INDEX(i >= 1 && i <= MAXPTS && k >= 1 && k <= MAXSET);
        return v_[static_cast<size_t>(k - 1) * MAXPTS + (i - 1)];
    }
    // Raw column for the sample loops: column(k)[0] is sample 1.
    REAL* column(int k) { return v_.get() + static_cast<size_t>(k - 1) * MAXPTS; }
    const REAL* column(int k) const { return v_.get() + static_cast<size_t>(k - 1) * MAXPTS; }
    // Zeroes samples 1..n of column k (n clamped to 0..MAXPTS).
    void clear(int k, INTEGER n);

private:
    struct Release {
        void operator()(REAL* p) const;
    };
    std::unique_ptr<REAL[], Release> v_;
};

// The codes of IFORM and form(k): the format a data file was read in.
struct FileFormat {
    static constexpr INTEGER Datra = 1;
    static constexpr INTEGER Velk = 2;
    static constexpr INTEGER Ggp = 3;
    static constexpr INTEGER List = 4;
};

// Data-set store: filled by the readers, limited and filtered, then plotted.
struct DataSetRecord {
    Arr1<INTEGER, 2> NPTS{0, 0};   // samples held per data set (load 0; set by the readers)
    Arr1<REAL, 2> DT{1.0f, 1.0f};  // sampling interval in TUNIT (load 1.0; readers)
    Arr1<Text<20>, 2> DUNIT{Text<20>("microgal"), Text<20>("volt")};  // data unit texts (load; readers, parameter menu)
    Text<20> TUNIT{"hour"};             // time unit of the sampling interval (load; readers, TUNITS)
    Arr1<Text<80>, 2> TITLE;            // title line per data set (load blanks; readers)
    Arr1<INTEGER, 2> LTITLE{0, 0};      // trimmed length of TITLE(k) (load 0; readers)
    INTEGER IFORM = FileFormat::Datra;  // format of the last file read (FileFormat)
    Arr1<INTEGER, 2> form{FileFormat::Datra, FileFormat::Datra};  // format of each slot's own file (load DATRA; reader)
    Arr1<double, 2> start{std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::quiet_NaN()};  // time of sample 1: seconds since 1970-01-01
                                                                      // 00:00:00 UTC, NaN when unknown (reader)
    Arr1<double, 2> interval_seconds{
        std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::quiet_NaN()};  // DT(k) in seconds by the slot's own file's time unit, NaN when not
                                                    // a standard unit (reader)
    Arr1<INTEGER, 2> missing{0, 0};  // samples of 1..NPTS(k) that are missing (quiet NaN in Y) (load 0; reader)
    Arr1<double, 2> latitude{std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::quiet_NaN()};  // station latitude in degrees from a GGP
                                                                         // header, NaN when not given (reader)
    Arr1<Text<20>, 2>
        zone;  // time zone of the file's stamps as its header names it ("UTC+09:30"), blank when unnamed (reader)
    Arr1<Text<20>, 2> date_order;  // "day first" / "month first" for dates written either way, "(assumed)" when the
                                   // file did not decide; blank otherwise (reader)
    LOGICAL list_pair = false;     // slots 1 and 2 hold the two value columns of one dated list (reader)
    INTEGER ITU = 0;               // time-unit code of the data, from TUNIT (TUNITS)
    REAL TSCALE = 0.0f;            // data time unit -> plotting unit factor, to hours for ITUP 5 (AXLABS)
    Arr2<REAL, 4, 4> TFAC;         // time-unit conversion table (TFACTS at start-up)
    Arr1<FileName, 2> FNAME;       // data file name per slot, any path (load blanks; data-input dialogue)
    Arr1<Text<10>, 2> DSLABL;      // "Data" once a file was accepted for the slot (load blanks)
};

// Selection of data sets and plot style (main and data menus).
struct SelectionRecord {
    INTEGER NDSETS = 1;  // data sets per plot, 1 or 2 (load; main and data menus)
    INTEGER STYLE = 1;   // style for multiple plots; forced to 1 whenever NDSETS is 1
    INTEGER slot = 1;    // current slot shown and acted on by F and the data menu (set at start-up)
};

// Plot parameters, edited by the parameter menu. Entry 1 of the axis arrays
// belongs to the time-series plot, entry 2 to the histogram.
struct PlotParamRecord {
    Arr1<INTEGER, 2> NTX{-1, 1};    // decimals of the X-axis annotation (load)
    Arr1<INTEGER, 2> NTY{2, 2};     // decimals of the Y-axis annotation (load)
    Arr1<REAL, 2> TEX{0.0f, 0.0f};  // X-axis label exponent (load)
    Arr1<REAL, 2> TEY{0.0f, 0.0f};  // Y-axis label exponent (load)
    Arr1<INTEGER, 2> NGX{10, 10};   // X grid divisions (load)
    Arr1<INTEGER, 2> NGY{5, 5};     // Y grid divisions (load)
    Arr1<Text<40>, 2> AXTITX;       // X-axis titles (AXLABS at start-up; parameter menu)
    Arr1<Text<40>, 2> AXTITY;       // Y-axis titles (AXLABS at start-up; parameter menu)
    Text<40> AXTITY2;               // Y-axis title of the second data set of a time-series plot
    Arr1<INTEGER, 2> LAXTX{0, 0};   // trimmed lengths of AXTITX (kept in step with the titles)
    Arr1<INTEGER, 2> LAXTY{0, 0};   // trimmed lengths of AXTITY
    INTEGER LAXTY2 = 0;             // trimmed length of AXTITY2

    Arr1<INTEGER, kStyleEntries> LINF{1, 1, 1};        // line style: 1 continuous, 2 feather (load)
    Arr1<INTEGER, kStyleEntries> LTYP{2, 2, 2};        // line type: 2 solid, 5 dot, 6 dash (load; ZCOL forces 2)
    Arr1<INTEGER, kStyleEntries> ISYM{-1, -1, -1};     // symbol code 0..32, negative for none (load)
    Arr1<REAL, kStyleEntries> SIZE{0.1f, 0.1f, 0.1f};  // symbol size in inches (load)
    Arr1<INTEGER, kStyleEntries> LCOL{15, 9, 12};      // line colour index (load; profile)
    Arr1<INTEGER, kStyleEntries> ISCOL{15, 9, 12};     // symbol colour index (load; profile)

    REAL XMIN = 1.5f, YMIN = 1.0f;   // plot origin on the page in inches (load)
    REAL XLEN = 0.0f, YLEN = 0.0f;   // axis lengths (start-up: XMAX - XMIN, YMAX - YMIN)
    REAL XMAX = 9.5f, YMAX = 6.5f;   // right and top edge; kept at XMIN + XLEN, YMIN + YLEN
    Text<80> PTITLE;                 // main plot title; blank means the file titles (load blanks)
    INTEGER LPTITL = 0;              // trimmed length of PTITLE (set when edited)
    Text<80> SUBTD{"DATA"};          // subtitle of the time-series plot (load)
    Text<80> SUBTH{"HISTOGRAM"};     // subtitle of the histogram (load)
    INTEGER LSUBTD = 0, LSUBTH = 0;  // trimmed subtitle lengths (TFACTS at start-up; edits)
    INTEGER IR = 5;                  // rounding integer for automatic Y scaling (load)
    INTEGER ITUP = 2;                // time plotting unit: 0 user, 1 s, 2 min, 3 h, 4 day, 5 calendar date (load)

    LOGICAL ZCOL = true;    // colour on screen plots (load; profile)
    LOGICAL ZNAME = true;   // plot file name at the top of the plot (load; profile)
    LOGICAL ZTITL = true;   // plot title shown (load; profile)
    LOGICAL ZSUBT = true;   // subtitles shown (load; profile)
    LOGICAL ZGRD = true;    // grid drawn (load; profile)
    LOGICAL ZOPT6 = false;  // carried through the profile file unchanged
    LOGICAL ZOPT7 = false;  // carried through the profile file unchanged

    INTEGER NF = 1;   // filter length (load; time-series plot)
    REAL DTF = 0.0f;  // sampling interval used by the filter, set from DT(1) before plotting
};

// Graphics profile: stored in the profile file, handed to the plot device.
struct GraphicsProfileRecord {
    INTEGER PSIZE = 11;                  // paper size 11 or 17 (start-up default; profile)
    INTEGER TMODE = 3;                   // screen mode of the text menus 1..4 (start-up default; profile)
    INTEGER GMODE = 3;                   // screen mode of plots 1..4 (start-up default; profile)
    INTEGER BCOL = 0;                    // text background colour 0..7 (start-up default; profile)
    INTEGER GCOL = 0;                    // graphics background colour 0..7 (start-up default; profile)
    Arr1<INTEGER, 5> KS{4, 2, 3, 6, 5};  // menu box colours: main, data, -, parameter, misc (load; profile)
    INTEGER DEVICE = 2;                  // current plot device: 1 plot file, 2 screen (start-up; output selection)
    INTEGER CMODE = 3;            // screen mode handed to the plot device (TMODE at screen set-up, GMODE for plots)
    Arr1<FileName, 2> PLTNAM;     // default plot file names: 1 time series, 2 histogram (load: NUL bytes)
    Arr1<INTEGER, 2> NPLT{0, 0};  // trimmed lengths of PLTNAM (kept in step with PLTNAM)
    GraphicsProfileRecord() {
        PLTNAM(1).fill('\0');
        PLTNAM(2).fill('\0');
    }
};

// Table of frequency bands, kept only in the profile file.
struct BandRecord {
    INTEGER NBAND = 22;            // rows in use (load; profile)
    Arr1<Text<3>, MAXBND> BANDID;  // band labels
    Arr1<REAL, MAXBND> BANDLO;     // lower band limits, cycles per hour
    Arr1<REAL, MAXBND> BANDHI;     // upper band limits, cycles per hour
    BandRecord();
};

// Screen layout state used by every dialogue.
struct ScreenRecord {
    INTEGER MAXCOL = 79;  // text columns - 1 (TXTSIZ at every screen set-up)
    INTEGER MAXROW = 29;  // text rows - 1 (TXTSIZ at every screen set-up)
    INTEGER MENUCL = 79;  // colour of the current menu box: 16 x KS(i) + 15 (each menu on entry)
    INTEGER PRMCOL = 15;  // colour of input prompts (start-up: 15)
    INTEGER VALCOL = 15;  // colour for listing current values: 16 x BCOL + 15 (after profile, G, quit)
};

// Working values of the main program that live for the whole run.
struct MainProgramRecord {
    LOGICAL new_data = true;               // handed to the plots, which clear it after drawing (start-up: true)
    INTEGER files_read = 0;                // files the data-input dialogue has read so far (during the run)
    INTEGER header_mode = 1;               // 1 for the first main-menu header, 2 afterwards
    Text<1> command;                       // last command letter; Enter alone repeats it
    INTEGER name_length = 0;               // trimmed length of FNAME(slot) as last measured for the header
    LOGICAL keep = false;                  // answer to the Keep question of the data-input dialogue
    LOGICAL profile_band_skipped = false;  // an unreadable band record was skipped at start-up
};

// Working values of the menus that keep their value between calls.
struct MenuRecord {
    LOGICAL gprof_change = false;                  // answer of the graphics-profile y/n questions (first call: false)
    Text<1> data_command;                          // last command letter of the data menu; Enter repeats it
    std::array<INTEGER, 1000> histogram_counts{};  // bar counts the data menu hands to the histogram
};

// ---- Working values of the data-input routines (file checks, series) ----
struct DataInputRecord {
    LOGICAL retry = false;        // answer of FEXIST's Retry question; kept between calls (load: false)
    Arr1<FileName, 2> step_from;  // FNAME(k) when the last Previous/Next step of slot k began (NEWFIL)
    Arr1<FileName, 2> step_at;    // the name slot k was last stepped to, found or not (NEWFIL)
};

constexpr INTEGER kMaxMarks = 100;     // marks one marking step keeps for the next saved plot
constexpr INTEGER kMaxWeights = 5001;  // most filter weights (FILTWT and the time-series plot)

// Working values of the plots that live for the whole run (never saved).
struct PlotWorkRecord {
    REAL TLO = 0.0f, THI = 0.0f;          // fixed time window in the scaled time unit (time-series plot)
    LOGICAL fixed_time = false;           // the time window is fixed (answer of "Fixed Time Limits")
    INTEGER I1 = 0, I2 = 0;               // first and last sample of the time window; may lie outside the record
    INTEGER J1 = 0, J2 = 0;               // first and last sample drawn: max(I1, 1), min(I2, NMAX)
    REAL YLO1 = 0.0f, YHI1 = 0.0f;        // data limits of the first (or only) plot area
    REAL YLO2 = 0.0f, YHI2 = 0.0f;        // data limits of the lower plot area of separate plots
    LOGICAL fixed_data = false;           // the data limits are fixed (answer of "Fixed Data Limits")
    REAL last_scale = 0.0f;               // TSCALE at the end of the last drawing
    INTEGER files_drawn = 0;              // mainv.files_read when the time-series plot last drew
    INTEGER NH = 0;                       // (NF - 1) / 2, set with the filter length
    Arr1<REAL, kMaxWeights> W;            // filter weights W(1..NF), filled by FILTWT before each drawing
    Text<1> command;                      // last browse command; Enter alone repeats it (blank on each call)
    LOGICAL change_time = false;          // answer of "Change Time Limits"
    LOGICAL change_data = false;          // answer of "Change Data Limits"
    LOGICAL keep_name = false;            // answer of "Save to <name>?" (output selection)
    LOGICAL mark_again = false;           // answer of "Select a Time" (point marking)
    INTEGER mark_count = 0;               // marks in the list (emptied by each marking step and each save)
    Arr1<REAL, kMaxMarks> mark_x;         // page x of each mark, inches
    Arr1<REAL, kMaxMarks> mark_y;         // page y of each mark, inches
    Arr1<REAL, kMaxMarks> mark_time;      // time of each marked sample, (index - 1) x TSCALE x DT(1)
    Arr1<INTEGER, kMaxMarks> mark_index;  // index of each marked sample in Y
    Arr1<REAL, kMaxMarks> mark_value;     // value of each marked sample (NaN when its data set has none)
    Arr1<INTEGER, kMaxMarks> mark_set;    // data set (1 or 2) whose value each mark shows
};

extern SampleArray Y;
extern DataSetRecord dset;
extern SelectionRecord sel;
extern PlotParamRecord pp;
extern GraphicsProfileRecord gp;
extern BandRecord band;
extern ScreenRecord scr;
extern MainProgramRecord mainv;
extern MenuRecord menus;
extern DataInputRecord datain;
extern PlotWorkRecord plotw;

// Working values of the histogram plot that live for the whole run.
struct HistogramWorkRecord {
    REAL lower = 0.0f, upper = 0.0f;  // value range of the X axis, kept between H commands
    LOGICAL change_limits = false;    // answer to "Change Data Limits"
    LOGICAL fixed_limits = false;     // answer to "Fixed Data Limits"
    LOGICAL save = false;             // answer to "Save Plot"
    LOGICAL quit = false;             // answer to "Quit"
    LOGICAL has_limits = false;       // lower/upper were set by a histogram drawing (run)
    INTEGER limits_slot = 0;          // slot of the data set they belong to (run)
    FileName limits_file;             // file name of that data set (run)
};
extern HistogramWorkRecord histw;

// Working values of the amplitude spectrum that live for the whole run.
struct SpectrumWorkRecord {
    LOGICAL fixed_time = false;       // answer to "Fixed Time Limits" (spectrum)
    REAL TLO = 0.0f, THI = 0.0f;      // fixed time window in the plotting time unit
    REAL FMAX = 0.5f;                 // maximum frequency asked for, cph or cycles per time unit (load 0.5)
    REAL FLO = 0.0f, FHI = 0.0f;      // frequency limits of the drawing (FMAX, then Zoom)
    REAL ALO = 0.0f, AHI = 0.0f;      // amplitude limits of the drawing (automatic, or Yscale)
    LOGICAL fixed_amplitude = false;  // answer to "Fixed Amplitude Limits"
    Text<1> command;                  // last command of the spectrum prompt; Enter repeats it (blank on each call)
    FileName PLTNAM;                  // default plot file name: the data file name with the suffix "a" (DEFPLT)
    INTEGER NPLT = 0;                 // trimmed length of PLTNAM
};
extern SpectrumWorkRecord specw;

// Working values of the writing of a data file (data menu W) that live for
// the whole run.
struct WriteWorkRecord {
    LOGICAL fixed_time = false;   // answer to "Fixed Time Limits" (writing)
    REAL TLO = 0.0f, THI = 0.0f;  // fixed time window in the plotting time unit
    Text<1> sets{"1"};            // answer to "Data set [1/2/b=both]"; Enter repeats it (load "1")
};
extern WriteWorkRecord writew;
// Working values of the tidal analysis that live for the whole run.
struct TideWorkRecord {
    LOGICAL fixed_time = false;   // answer to "Fixed Time Limits" (tidal analysis)
    REAL TLO = 0.0f, THI = 0.0f;  // fixed time window in the plotting time unit
    LOGICAL admittance = false;   // answer to "Pressure admittance from data set 2"
    Text<1> command;              // last command of the result prompt; Enter repeats it (blank on each call)
    FileName PLTNAM;   // default plot file name of the residual: the data file name with the suffix "r" (DEFPLT)
    INTEGER NPLT = 0;  // trimmed length of PLTNAM
};
extern TideWorkRecord tidew;

// Restores every load value of the program-wide records; of Y only the
// samples that NPTS claimed are zeroed. reset_state() of the main program
// also resets the plotting library.
void reset_records();

// Keeps STYLE = 1 whenever NDSETS = 1, and the current slot within NDSETS.
void keep_selection_in_step();
// XMAX = XMIN + XLEN and YMAX = YMIN + YLEN.
void keep_page_edges_in_step();

}  // namespace datrax
