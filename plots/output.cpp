#include "plots/output.h"

#include "console/console.h"
#include "console/prompts.h"
#include "plotlib/device.h"

namespace datrax {

namespace {

// True while the plot device writes a plot file.
bool plot_file_open() {
    INTEGER idev = -1, ipage = 0, imode = 0, iback = 0;
    Text<40> name;
    PLTDEV(idev, ipage, imode, iback, name);
    return idev == 1 || idev == 12;
}

// Asks for the plot file name and opens it; the name opened is kept as the
// slot's default.
void start_save(INTEGER slot) {
    gp.DEVICE = 1;
    Text<40> work = gp.PLTNAM(slot);
    SHOWTX(0, -scr.MAXROW, "Save to |", work.view(), gp.NPLT(slot), scr.PRMCOL);
    ASKYN(-1, 0, "? [y/n] --> |", plotw.keep_name, scr.PRMCOL);
    if (!plotw.keep_name) ASKTXT(0, -scr.MAXROW, "Plot filename [.plt] --> |", work, 40, scr.PRMCOL);
    PLTDEV(1, gp.PSIZE, 0, gp.GCOL, work.view());
    INTEGER idev = -1, ipage = 0, imode = 0, iback = 0;
    PLTDEV(idev, ipage, imode, iback, gp.PLTNAM(slot));
    gp.NPLT(slot) = LENTXT(gp.PLTNAM(slot), 40);
}

}  // namespace

void select_output(const INTEGER& MODE, const INTEGER& SLOT) {
    // A save left DEVICE at 1 with its file closed; a new save must still
    // open a file of its own rather than draw into none.
    if (MODE == kOutputSave && !plot_file_open()) {
        start_save(SLOT);
    } else if (gp.DEVICE == 1 && MODE == kOutputScreen) {
        gp.DEVICE = 2;
        PLTDEV(2, gp.PSIZE, gp.CMODE, gp.GCOL, " ");
    } else {
        CLRSCR();
    }
    TXTSIZ(scr.MAXCOL, scr.MAXROW);
}

}  // namespace datrax
