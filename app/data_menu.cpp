#include "app/data_menu.h"

#include <cmath>
#include <string>

#include "app/data_write.h"
#include "app/ggp_pair.h"
#include "app/main_program.h"
#include "app/parameter_menu.h"
#include "app/plot_names.h"
#include "console/console.h"
#include "console/prompts.h"
#include "data/calendar.h"
#include "data/limits.h"
#include "plots/histogram.h"
#include "plots/histogram_table.h"
#include "plots/spectrum_plot.h"
#include "plots/tide_analysis.h"
#include "plots/time_series.h"

namespace datrax {

namespace {

// Screen texts, one screen line to a source line.
// clang-format off
constexpr std::string_view kCommands =
    " D - DATA      Plot~, ~"
    " H - HISTOGRAM Plot~, ~"
    " A - AMPLITUDE Spectrum~, ~"
    " W - WRITE     Data File~, ~"
    " T - TIDES     Analysis and Residual~, ~"
    " C - CHANGE    Parameters~, ~"
    " N - NDSETS    Number of Data Sets~, ~"
    " F - FILE      File Summary (NDSETS > 1)~, ~"
    " S - STYLE     Style for Multiple Plots~, ~"
    " -----------------------------------------~, ~"
    " R - RETURN    to Main Menu               |";
// clang-format on

std::string_view format_line(INTEGER iform) {
    switch (iform) {
        case FileFormat::Datra: return " File format           : DATRA|";
        case FileFormat::Velk: return " File format           : VELK|";
        case FileFormat::List: return " File format           : List|";
        default: return " File format           : GGP|";
    }
}

// Below the stated summary, inside the box: the start of the data when it is
// known (with the time zone the file names), how dates written either way
// were read, and how many samples are missing when there are any.
void draw_start_and_gaps(INTEGER k, INTEGER row, INTEGER c) {
    if (!std::isnan(dset.start(k))) {
        const std::string zone = dset.zone(k).is_blank() ? "" : " " + std::string(dset.zone(k).trimmed());
        MSGTXT(5, row++, " Start                 : " + format_start(dset.start(k)) + zone + "|", c);
    }
    if (!dset.date_order(k).is_blank()) {
        MSGTXT(5, row++, " Dates read            : " + std::string(dset.date_order(k).trimmed()) + "|", c);
    }
    if (dset.missing(k) > 0) SHOWIN(5, row, " Missing samples       : |", dset.missing(k), c);
}

INTEGER summary_extra_rows(INTEGER k) {
    return (std::isnan(dset.start(k)) ? 0 : 1) + (dset.date_order(k).is_blank() ? 0 : 1) +
           (dset.missing(k) > 0 ? 1 : 0);
}

void draw_summary(INTEGER k) {
    REAL dlo = 0, dhi = 0;
    EXTREM(dlo, dhi, 1, dset.NPTS(k), k);
    const INTEGER data_unit_length = LENTXT(dset.DUNIT(k), -20);
    const INTEGER time_unit_length = LENTXT(dset.TUNIT, -20);
    cblank(5, 13, 74, 21 + summary_extra_rows(k), gp.KS(2));
    const INTEGER c = scr.MENUCL;
    SHOWTX(5, 14, " |", dset.TITLE(k).view(), dset.LTITLE(k), c);
    SHOWIN(5, 15, " Number of data points : |", dset.NPTS(k), c);
    SHOWRL(5, 16, " Data Limits           : [|", dlo, 6, c);
    SHOWRL(-1, 0, ", |", dhi, 6, c);
    SHOWTX(-1, 0, "] : |", dset.DUNIT(k).view(), data_unit_length, c);
    SHOWRL(5, 17, " Time Interval         : |", dset.DT(k), 6, c);
    SHOWTX(-1, 0, "  : |", dset.TUNIT.view(), time_unit_length, c);
    SHOWRL(5, 18, " Time Scaling Factor   : |", dset.TSCALE, 6, c);
    SHOWTX(5, 19, " Time Axis Label       : |", pp.AXTITX(1).view(), pp.LAXTX(1), c);
    MSGTXT(5, 20, format_line(dset.form(k)), c);
    draw_start_and_gaps(k, 21, c);
}

void draw_data_menu(Arr1<FileName, 2>& FNAME, INTEGER k, const Arr1<INTEGER, 5>& KS) {
    scr.MENUCL = 16 * KS(2) + 15;
    DATAHD(k, FNAME(k));
    // Eleven command lines: they start a row higher, so that R stays above
    // the summary box.
    cblank(5, 2, scr.MAXCOL, 12, gp.BCOL);
    MSGTXT(5, 2, kCommands, scr.VALCOL);
    draw_summary(k);
}

void ask_data_style() {
    do {
        ASKINT(0, -scr.MAXROW, "STYLE for 2 plots: 1=Overlay, 2=Separate --> |", sel.STYLE, scr.PRMCOL);
    } while (sel.STYLE < 1 || sel.STYLE > 2);
    keep_selection_in_step();
}

}  // namespace

void DATAHD(const INTEGER& K, FileName& NAME) {
    const INTEGER n = LENTXT(NAME, -kNameLength);
    cblank(0, 0, scr.MAXCOL, -1, scr.MENUCL / 16);
    MSGTXT(0, 0, " DATA MENU -|", scr.MENUCL);
    SHOWIN(-1, 0, " Ndsets |", sel.NDSETS, scr.MENUCL);
    SHOWIN(-1, 0, " File |", K, scr.MENUCL);
    SHOWIN(-1, 0, " Style |", sel.STYLE, scr.MENUCL);
    show_name(-1, 0, " |", NAME.view(), n, scr.MENUCL);
}

void DATAMN(Arr1<FileName, 2>& FNAME, [[maybe_unused]] const INTEGER& TMODE, const INTEGER& GMODE,
            [[maybe_unused]] LOGICAL& NEWDAT, INTEGER& K, const Arr1<INTEGER, 5>& KS) {
    draw_data_menu(FNAME, K, KS);
    for (;;) {
        ASKTXT(0, -scr.MAXROW, "Select letter --> |", menus.data_command, 1, scr.PRMCOL);
        LOWCAS(menus.data_command, 1);
        switch (menus.data_command(1)) {
            case 'd':
                gp.CMODE = GMODE;
                time_series_plot();
                CLRSCR();
                draw_data_menu(FNAME, K, KS);
                break;
            case 'h':
                gp.CMODE = GMODE;
                if (histogram_plot(menus.histogram_counts, 100)) histogram_table();
                CLRSCR();
                draw_data_menu(FNAME, K, KS);
                break;
            case 'a':
                gp.CMODE = GMODE;
                spectrum_plot();
                CLRSCR();
                draw_data_menu(FNAME, K, KS);
                break;
            case 'w': write_data_set(); break;
            case 't':
                gp.CMODE = GMODE;
                tide_analysis();
                CLRSCR();
                draw_data_menu(FNAME, K, KS);
                break;
            case 'c':
                parameter_menu(KS);
                draw_data_menu(FNAME, K, KS);
                break;
            case 'n': {
                // One data set makes slot 1 current: the summary and the
                // default plot names follow it at once.
                const INTEGER before = K;
                ask_ndsets();
                if (K != before) {
                    DEFPLT(FNAME, K);
                    draw_data_menu(FNAME, K, KS);
                } else {
                    DATAHD(K, FNAME(K));
                }
                break;
            }
            case 'f':
                if (sel.NDSETS == 1) break;
                K = K + 1 > sel.NDSETS ? 1 : K + 1;
                DEFPLT(FNAME, K);
                draw_data_menu(FNAME, K, KS);
                break;
            case 's':
                ask_data_style();
                DATAHD(K, FNAME(K));
                break;
            case 'r': leave_ggp_pair(); return;
            default: break;
        }
    }
}

}  // namespace datrax
