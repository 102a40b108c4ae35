// The parameter menu and its miscellaneous-parameters screen.
#include "app/parameter_menu.h"

#include <string_view>

#include "app/menu_fields.h"
#include "console/console.h"
#include "console/prompts.h"
#include "data/units.h"
#include "plots/time_placement.h"

namespace datrax {

namespace {

// Screen texts, one screen line to a source line.
// clang-format off
constexpr std::string_view kTitle = " PARAMETER MENU |";
constexpr std::string_view kCommands =
    " D - DATA            Axes Parameters~, ~"
    " H - HISTOGRAM       Axes Parameters~, ~"
    " U - UNITS           for Axes ~, ~"
    " M - MISCELLANEOUS   Parameters ~, ~"
    " ------------------------------------~, ~"
    " R - RETURN          To Previous Menu|";
constexpr std::string_view kExplanation =
    " AXES PARAMETERS : Tick mark annotations and grid spacing~,  ~"
    " UNITS           : Time plotting units~,  ~"
    " MISC PARAMETERS : Line type, colour~,  ~"
    "                   plot origin, size and titles |";
constexpr std::string_view kAxesExplanation[2] = {
    " PARAMETERS FOR X AXIS (TIME), Y AXIS (DATA) : ~,  ~"
    " NTX    - Number of Decimals in Tick Mark Annotation X~,  ~"
    " TEX    - Label Exponent X~,  ~"
    " NGX    - Number of Grid Divisions X~,  ~"
    " NTY    - Number of Decimals in Tick Mark Annotation Y~,  ~"
    " TEY    - Label Exponent Y~,  ~"
    " NGY    - Number of Grid Divisions Y|",
    " X AXIS (DATA), Y AXIS (RELATIVE FREQUENCY) : ~,  ~"
    " NTX   - Number of Decimals in Tick Mark Annotation X~,  ~"
    " TEX   - Label Exponent X~,  ~"
    " NGX   - Number of Grid Divisions X~,  ~"
    " NTY   - Number of Decimals in Tick Mark Annotation Y~,  ~"
    " TEY   - Label Exponent Y~,  ~"
    " NGY   - Number of Grid Divisions Y |",
};
constexpr std::string_view kTitlesExplanation[2] = {
    " TITLES FOR X AXIS (TIME), Y AXIS (DATA) : ~,  ~"
    " AXTITX  - x axis title~,  ~"
    " AXTITY  - y axis title|",
    " TITLES FOR X AXIS (DATA), Y AXIS (RELATIVE FREQUENCY) : ~,  ~"
    " AXTITX  - x axis title~,  ~"
    " AXTITY  - y axis title|",
};
constexpr std::string_view kUnitsExplanation =
    " UNITS FOR TIME (X) AXIS : ~,  ~"
    " ITUP : 0 = user units (nonstandard) ~,  ~"
    "      : 1 = sec, 2 = min, 3 = hour, 4 = day~,  ~"
    "      : 5 = calendar date and time (when the data's start is known)|";

constexpr std::string_view kMiscTitle = " MISCELLANEOUS PARAMETERS|";
constexpr std::string_view kMiscCommands =
    " L - LINE AND SYMBOLS : LT1   LTYP ISYM   SIZE~, ~"
    " C - COLOURS          : LCOL  ISCOL~, ~"
    " P - POSITION OF PLOT : XMIN  YMIN  XLEN YLEN~, ~"
    " T - TITLES FOR PLOT  : PTITLE SUBT(A-B)~, ~"
    " S - SWITCHES         : ZCOL  ZNAME ZTITL ZSUBT ZGRD~, ~"
    " O - OTHER PARAMETERS : IR    ~, ~"
    " -----------------------------------------------------~, ~"
    " R - RETURN            To parameter menu|";
constexpr std::string_view kMiscExplanation =
    " LINES AND SYMBOLS  Line type, symbol type & size~, ~"
    " COLOURS            Line and symbol colours~, ~"
    " POSITION OF PLOT   On page~, ~"
    " TITLES FOR PLOT    Plot title, subtitles~, ~"
    " SWITCHES           Enable colors, symbols, titles ...~, ~"
    " OTHER PARAMETERS   Rounding integer |";
constexpr std::string_view kLinesExplanation =
    " LINES AND SYMBOLS ~,  ~"
    " LINF: Line Style (1=continuous, 2=feather)~,  ~"
    " LTYP: Line Type (2=solid, 5=dot, 6=dash)~,  ~"
    " ISYM: Symbol Code (0-32; < 0 for no symbol)~,  ~"
    " SIZE: Symbol Size (inches)|";
constexpr std::string_view kColoursExplanation =
    " LCOL  : Line   Colour~,,  ~"
    " ISCOL : Symbol Colour|";
constexpr std::string_view kPositionExplanation =
    " XMIN : X origin of plots~,  ~"
    " YMIN : Y origin of plots~,  ~"
    " XLEN : length of X axis~,  ~"
    " YLEN : length of Y axis |";
constexpr std::string_view kTitlesForPlotExplanation =
    " PTITLE    : main plot title~,  ~"
    "             (if blank, file title(s) will be used on plot)~,  ~"
    " SUBTD     : data      plot subtitle~,  ~"
    " SUBTH     : histogram plot subtitle|";
constexpr std::string_view kSwitchesExplanation =
    " ZCOL  = T enables colour (on screen plots)~,  ~"
    " ZNAME = T displays plot filename at top of plot~,  ~"
    " ZTITL = T displays plot title    ~,  ~"
    " ZSUBT = T displays plot subtitles~,  ~"
    " ZGRD  = T plot a grid|,   ";
constexpr std::string_view kOtherExplanation =
    " OTHER PARAMETERS~,  ~"
    " IR   = rounding integer for automatic scaling of Y axes|,  ";
// clang-format on

// Title row in the menu colour, rows below in BCOL, the command list.
void draw_screen(std::string_view title, std::string_view commands, INTEGER box_colour, INTEGER last_blank_row) {
    scr.MENUCL = 16 * box_colour + 15;
    cblank(0, 0, scr.MAXCOL, -1, box_colour);
    MSGTXT(0, 0, title, scr.MENUCL);
    cblank(0, 1, scr.MAXCOL, last_blank_row, gp.BCOL);
    MSGTXT(5, 3, commands, scr.VALCOL);
}

char ask_letter(Text<1>& command) {
    ASKTXT(0, -scr.MAXROW, "Select letter --> |", command, 1, scr.PRMCOL);
    LOWCAS(command, 1);
    return command(1);
}

void edit_axes(int kind, INTEGER box_colour) {
    explain(kAxesExplanation[kind - 1], 13, 21, 14, box_colour);
    edit_fields({{"NTX  = |", "NTX  ->|", 0, &pp.NTX(kind)},
                 {"TEX  = |", "TEX  ->|", 20, &pp.TEX(kind), 3},
                 {"NGX  = |", "NGX  ->|", 40, &pp.NGX(kind)}});
    edit_fields({{"NTY = |", "NTY ->|", 0, &pp.NTY(kind)},
                 {"TEY = |", "TEY ->|", 20, &pp.TEY(kind), 3},
                 {"NGY = |", "NGY ->|", 40, &pp.NGY(kind)}});
    explain(kTitlesExplanation[kind - 1], 13, 21, 14, box_colour);
    edit_title("AXTITX = |", "AXTITX ->|", pp.AXTITX(kind), pp.LAXTX(kind));
    edit_title("AXTITY = |", "AXTITY ->|", pp.AXTITY(kind), pp.LAXTY(kind));
    cblank(0, 13, scr.MAXCOL, scr.MAXROW - 1, gp.BCOL);
}

// Calendar time needs the start of every data set shown: true when it is
// known, else the reason is shown above the question (which is asked again).
bool calendar_time_known() {
    const INTEGER k = set_without_start();
    const INTEGER row = scr.MAXROW - 2;
    cblank(0, row, scr.MAXCOL, row, gp.BCOL);
    if (k == 0) return true;
    SHOWIN(0, -row, "ITUP 5 needs the start date of the data; not known for data set |", k, scr.PRMCOL);
    return false;
}

void edit_time_unit(INTEGER box_colour) {
    explain(kUnitsExplanation, 13, 21, 14, box_colour);
    const MenuField itup{"ITUP   = |", "ITUP   ->|", 0, &pp.ITUP};
    list_fields({itup});
    if (pp.ITUP > 0) {
        do {
            ask_fields({itup});
        } while (pp.ITUP > kCalendarUnit || (pp.ITUP == kCalendarUnit && !calendar_time_known()));
    }
    // User units are stored as 0 whatever was typed at or below it.
    if (pp.ITUP < 0) pp.ITUP = 0;
    AXLABS();
    // The value row keeps ITUP listed while the menu asks for a letter.
    list_fields({itup});
    cblank(0, 13, scr.MAXCOL, scr.MAXROW - 2, gp.BCOL);
}

void edit_lines_and_symbols() {
    for (int k = 1; k <= sel.NDSETS; ++k) {
        SHOWIN(0, -(scr.MAXROW - 2), "Dataset #: |", k, scr.VALCOL);
        edit_fields({{"LINF = |", "LINF ->|", 0, &pp.LINF(k)},
                     {"LTYP = |", "LTYP ->|", 12, &pp.LTYP(k)},
                     {"ISYM = |", "ISYM ->|", 24, &pp.ISYM(k)},
                     {"SIZE = |", "SIZE ->|", 36, &pp.SIZE(k), 4}});
    }
    cblank(0, scr.MAXROW - 2, scr.MAXCOL, scr.MAXROW - 2, gp.BCOL);
}

void edit_colours() {
    edit_fields({{"LCOL = |", "LCOL ->|", 0, &pp.LCOL(1)},
                 {"  |", "  |", -1, &pp.LCOL(2)},
                 {"  |", "  |", -1, &pp.LCOL(3)},
                 {"ISCOL = |", "ISCOL ->|", 20, &pp.ISCOL(1)},
                 {"  |", "  |", -1, &pp.ISCOL(2)},
                 {"  |", "  |", -1, &pp.ISCOL(3)}});
}

void edit_position() {
    edit_fields({{"XMIN  = |", "XMIN -> |", 0, &pp.XMIN, 2},
                 {"YMIN  = |", "YMIN -> |", 20, &pp.YMIN, 2},
                 {"XLEN  = |", "XLEN -> |", 40, &pp.XLEN, 2},
                 {"YLEN  = |", "YLEN -> |", 60, &pp.YLEN, 2}});
    keep_page_edges_in_step();
}

void edit_plot_titles() {
    edit_title("PTITLE =  |", "PTITLE -> |", pp.PTITLE, pp.LPTITL);
    edit_title("SUBTD =  |", "SUBTD -> |", pp.SUBTD, pp.LSUBTD);
    edit_title("SUBTH =  |", "SUBTH -> |", pp.SUBTH, pp.LSUBTH);
}

void edit_switches() {
    edit_fields({{"ZCOL   = |", "ZCOL  -> |", 0, &pp.ZCOL},
                 {"ZNAME  = |", "ZNAME -> |", 12, &pp.ZNAME},
                 {"ZTITL  = |", "ZTITL -> |", 24, &pp.ZTITL},
                 {"ZSUBT  = |", "ZSUBT -> |", 36, &pp.ZSUBT},
                 {"ZGRD   = |", "ZGRD  -> |", 48, &pp.ZGRD}});
}

void edit_other(INTEGER box_colour) {
    explain(kOtherExplanation, 12, 21, 13, box_colour);
    edit_fields({{"IR  = |", "IR  ->|", 0, &pp.IR}});
    cblank(0, scr.MAXROW - 1, scr.MAXCOL, scr.MAXROW - 1, gp.BCOL);
}

void miscellaneous_screen(INTEGER box_colour) {
    draw_screen(kMiscTitle, kMiscCommands, box_colour, 13);
    Text<1> command;
    for (;;) {
        explain(kMiscExplanation, 12, 21, 14, box_colour);
        char letter = 0;
        for (;;) {
            letter = ask_letter(command);
            if (std::string_view("lcptsor").find(letter) != std::string_view::npos && letter != 0) break;
        }
        switch (letter) {
            case 'l':
                explain(kLinesExplanation, 13, 21, 14, box_colour);
                edit_lines_and_symbols();
                break;
            case 'c':
                explain(kColoursExplanation, 13, 21, 14, box_colour);
                edit_colours();
                break;
            case 'p':
                explain(kPositionExplanation, 13, 21, 14, box_colour);
                edit_position();
                break;
            case 't':
                explain(kTitlesForPlotExplanation, 13, 21, 14, box_colour);
                edit_plot_titles();
                break;
            case 's':
                explain(kSwitchesExplanation, 13, 21, 14, box_colour);
                edit_switches();
                break;
            case 'o': edit_other(box_colour); break;
            default: return;  // r
        }
    }
}

}  // namespace

void parameter_menu(const Arr1<INTEGER, 5>& KS) {
    Text<1> command;
    draw_screen(kTitle, kCommands, KS(4), scr.MAXROW - 1);
    for (;;) {
        explain(kExplanation, 13, 20, 14, KS(4));
        switch (ask_letter(command)) {
            case 'd': edit_axes(1, KS(4)); break;
            case 'h': edit_axes(2, KS(4)); break;
            case 'u': edit_time_unit(KS(4)); break;
            case 'm':
                miscellaneous_screen(KS(5));
                draw_screen(kTitle, kCommands, KS(4), scr.MAXROW - 1);
                break;
            case 'r': return;
            default: break;
        }
    }
}

}  // namespace datrax
