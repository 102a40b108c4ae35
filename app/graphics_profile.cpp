#include "app/graphics_profile.h"

#include <string>
#include <string_view>

#include "console/console.h"
#include "console/prompts.h"

namespace datrax {

namespace {

void show_profile_values(const INTEGER& TMODE, const INTEGER& GMODE, const INTEGER& MENUC, const Arr1<INTEGER, 5>& KS) {
    SHOWIN(5, 15, " PSIZE    Paper Size (11 or 17)           : |", gp.PSIZE, MENUC);
    SHOWIN(5, 16, " TMODE    Text Mode (1-4)                 : |", TMODE, MENUC);
    SHOWIN(5, 17, " GMODE    Graphics Mode (1-4)             : |", GMODE, MENUC);
    SHOWIN(5, 18, " BCOL     Text Background Colour (0-7)    : |", gp.BCOL, MENUC);
    SHOWIN(5, 19, " GCOL     Graphics Background Colour (0-7): |", gp.GCOL, MENUC);
    SHOWIN(5, 20, " KS       Screen Menu Box Colours (0-7)   : |", KS(1), MENUC);
    for (int i = 2; i <= 5; ++i) SHOWIN(-1, 0, " |", KS(i), MENUC);
}

void change_profile_values(INTEGER& TMODE, INTEGER& GMODE, Arr1<INTEGER, 5>& KS) {
    const INTEGER above = scr.MAXROW - 1, bottom = scr.MAXROW;
    SHOWIN(0, -above, "PSIZE   |", gp.PSIZE, scr.VALCOL);
    SHOWIN(12, above, "TMODE   |", TMODE, scr.VALCOL);
    SHOWIN(24, above, "GMODE   |", GMODE, scr.VALCOL);
    SHOWIN(36, above, "BCOL    |", gp.BCOL, scr.VALCOL);
    SHOWIN(48, above, "GCOL    |", gp.GCOL, scr.VALCOL);
    ASKINT(0, -bottom, "PSIZE ->|", gp.PSIZE, scr.PRMCOL);
    ASKINT(12, bottom, "TMODE ->|", TMODE, scr.PRMCOL);
    ASKINT(24, bottom, "GMODE ->|", GMODE, scr.PRMCOL);
    ASKINT(36, bottom, "BCOL  ->|", gp.BCOL, scr.PRMCOL);
    ASKINT(48, bottom, "GCOL  ->|", gp.GCOL, scr.PRMCOL);
    MSGTXT(0, -above, " 0=black, 1=blue, 2=green, 3=cyan, |", scr.VALCOL);
    MSGTXT(-1, 0, "4=red, 5=magenta, 6=yellow, 7=white|", scr.VALCOL);
    ASKINT(0, -bottom, "KS(1) -> |", KS(1), scr.PRMCOL);
    for (int i = 2; i <= 5; ++i) {
        SHOWIN(-1, 0, ",  (|", i, scr.PRMCOL);
        ASKINT(-1, 0, ") -> |", KS(i), scr.PRMCOL);
    }
    cblank(0, above, scr.MAXCOL, above, gp.BCOL);
}

constexpr INTEGER kNameField = 40;  // the box shows this much of each name

// A plot name in its 40-column field of the box, shortened from the left
// when longer.
void show_plot_name(INTEGER slot, const INTEGER& MENUC) {
    constexpr std::string_view kLabels[] = {" data         ________[.plt]: |", " histogram    _______[h.plt]: |"};
    const std::string shown = shown_name(gp.PLTNAM(slot).view(), kNameField);
    SHOWTX(5, 14 + slot, kLabels[slot - 1], shown, kNameField, MENUC);
}

void show_plot_names(const INTEGER& MENUC) {
    show_plot_name(1, MENUC);
    show_plot_name(2, MENUC);
}

void change_plot_names(const INTEGER& MENUC) {
    ask_file_name(0, -scr.MAXROW, "data         filename -> |", gp.PLTNAM(1), kNameLength, scr.PRMCOL);
    show_plot_name(1, MENUC);
    ask_file_name(0, -scr.MAXROW, "histogram    filename -> |", gp.PLTNAM(2), kNameLength, scr.PRMCOL);
    show_plot_name(2, MENUC);
    gp.NPLT(1) = LENTXT(gp.PLTNAM(1), -kNameLength);
    gp.NPLT(2) = LENTXT(gp.PLTNAM(2), -kNameLength);
}

}  // namespace

void GPROF(INTEGER& TMODE, INTEGER& GMODE, const INTEGER& MENUC, Arr1<INTEGER, 5>& KS) {
    cblank(5, 13, 74, 22, KS(1));
    MSGTXT(5, 14, " GRAPHICS PROFILE|", MENUC);
    show_profile_values(TMODE, GMODE, MENUC, KS);
    ASKYN(0, -scr.MAXROW, "Change Parameters [y/n] --> |", menus.gprof_change, scr.PRMCOL);
    if (menus.gprof_change) change_profile_values(TMODE, GMODE, KS);

    cblank(5, 13, 74, 22, KS(1));
    MSGTXT(5, 14, "DEFAULT PLOT FILENAMES|", MENUC);
    show_plot_names(MENUC);
    ASKYN(0, -scr.MAXROW, "Change Filenames [y/n] --> |", menus.gprof_change, scr.PRMCOL);
    if (menus.gprof_change) change_plot_names(MENUC);
}

}  // namespace datrax
