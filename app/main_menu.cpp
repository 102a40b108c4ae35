// The main menu: its screen, its header and its command loop.
#include <string_view>

#include "app/data_input.h"
#include "app/graphics_profile.h"
#include "app/main_program.h"
#include "app/parameter_menu.h"
#include "app/plot_names.h"
#include "console/console.h"
#include "console/prompts.h"

namespace datrax {

namespace {

// Screen texts, one screen line to a source line.
// clang-format off
constexpr std::string_view kCommandList =
    " D - DATA      Read Data File~, ~"
    " C - CHANGE    Parameters ~, ~"
    " G - GRAPHICS  Profile/Filenames ~, ~"
    " N - NDSETS    Number of Data Sets ~, ~"
    " F - FILE      Filenames Loaded~, ~"
    " S - STYLE     Style for Multiple Plots ~, ~"
    " ---------------------------------------------~, ~"
    " Q - QUIT      Quit Program|";

constexpr std::string_view kHelpText =
    " DATA      : Input a data file      --> Data Menu~,  ~"
    " CHANGE    : Axis labels and scaling --> Parameter Menu~,  ~"
    " GRAPHICS  : Changes plot parameters, screen colours~,  ~"
    " NDSETS    : Sets maximum number of data sets per plot~,  ~"
    " FILE      : Displays names of files opened~,  ~"
    " STYLE     : Style for multiple plots|";

constexpr std::string_view kStyleHelp =
    "STYLE 1: 1 plot, 2: 2 plots (1+1), 3: 2 plots (2+1), 4: 2 plots (1+2), 5: 2 plots (2+2)|";
// clang-format on

void draw_main_menu() {
    scr.MENUCL = 16 * gp.KS(1) + 15;
    draw_main_header();
    cblank(5, 3, scr.MAXCOL, 12, gp.BCOL);
    MSGTXT(5, 3, kCommandList, scr.VALCOL);
    cblank(5, 13, 74, 21, gp.KS(1));
    MSGTXT(5, 14, kHelpText, scr.MENUCL);
}

void ask_style() {
    // The explanation is longer than a menu line; it is written whole.
    write_long_line(0, 1 - scr.MAXROW, kStyleHelp, scr.PRMCOL);
    do {
        ASKINT(0, -scr.MAXROW, "Enter style --> |", sel.STYLE, scr.PRMCOL);
    } while (sel.STYLE < 1 || sel.STYLE > 5);
    keep_selection_in_step();
}

void next_slot() {
    if (sel.NDSETS == 1) return;
    sel.slot = sel.slot + 1 > sel.NDSETS ? 1 : sel.slot + 1;
}

}  // namespace

void draw_main_header() {
    mainv.name_length = LENTXT(dset.FNAME(sel.slot), -kNameLength);
    MAINHD(sel.slot, dset.FNAME(sel.slot).view(), mainv.name_length, mainv.header_mode, MAXPTS, MAXSET);
    mainv.header_mode = 2;
}

void MAINHD(const INTEGER& ISLOT, std::string_view NAME, const INTEGER& NLEN, const INTEGER& MODE, const INTEGER& MAXP,
            const INTEGER& MAXS) {
    // Row 0 as a one-row rectangle: Y1 = 0 with Y2 < 0 (Y2 = 0 would only position).
    cblank(0, 0, scr.MAXCOL, -1, scr.MENUCL / 16);
    MSGTXT(0, 0, " MAIN MENU -|", scr.MENUCL);
    if (MODE == 1) {
        SHOWIN(-1, 0, " Max array size: |", MAXP, scr.MENUCL);
        SHOWIN(-1, 0, " Max # data sets: |", MAXS, scr.MENUCL);
        return;
    }
    SHOWIN(-1, 0, " Style |", sel.STYLE, scr.MENUCL);
    SHOWIN(-1, 0, " Ndsets |", sel.NDSETS, scr.MENUCL);
    SHOWIN(-1, 0, " File |", ISLOT, scr.MENUCL);
    show_name(-1, 0, " |", NAME, NLEN, scr.MENUCL);
}

void ask_ndsets() {
    do {
        SHOWIN(0, -scr.MAXROW, "Select NDSETS (maximum |", MAXSET, scr.PRMCOL);
        ASKINT(-1, 0, ") --> |", sel.NDSETS, scr.PRMCOL);
    } while (sel.NDSETS < 1 || sel.NDSETS > MAXSET);
    set_ndsets(sel.NDSETS);
}

void set_ndsets(INTEGER n) {
    sel.NDSETS = n;
    if (sel.NDSETS == 2) {
        sel.STYLE = 2;
        pp.LTYP(2) = 2;
    }
    keep_selection_in_step();
}

void run_main_menu(std::span<const std::string> files) {
    draw_main_menu();
    if (mainv.profile_band_skipped) {
        bottom_row_notice("An unreadable band record of the profile file was skipped --> |", scr.PRMCOL);
        mainv.profile_band_skipped = false;
    }
    if (!files.empty()) {
        open_data_files(files);
        draw_main_menu();
    }
    for (;;) {
        ASKTXT(0, -scr.MAXROW, "Select letter --> |", mainv.command, 1, scr.PRMCOL);
        LOWCAS(mainv.command, 1);
        switch (mainv.command(1)) {
            case 'd':
                data_input_dialogue();
                draw_main_menu();
                break;
            case 'c':
                parameter_menu(gp.KS);
                draw_main_menu();
                break;
            case 'g':
                GPROF(gp.TMODE, gp.GMODE, scr.MENUCL, gp.KS);
                scr.VALCOL = 16 * gp.BCOL + 15;
                screen_setup();
                draw_main_menu();
                break;
            case 'n': {
                const INTEGER before = sel.slot;
                ask_ndsets();
                // Slot 1 became current: its default plot names replace the
                // other data set's.
                if (sel.slot != before && !dset.FNAME(sel.slot).is_blank()) DEFPLT(dset.FNAME, sel.slot);
                draw_main_header();
                break;
            }
            case 'f':
                next_slot();
                draw_main_header();
                break;
            case 's':
                ask_style();
                draw_main_header();
                break;
            case 'q': return;
            default: break;
        }
    }
}

}  // namespace datrax
