#include "plots/output.h"

#include "console/console.h"
#include "console/prompts.h"
#include "plotlib/device.h"

namespace datrax {

namespace {

constexpr INTEGER kYesNoWidth = 14;  // "? [y/n] --> " and its answer

// Asks for the plot file name and opens it; the name opened is kept as the
// slot's default.
void start_save(FileName& name, INTEGER& length) {
    gp.DEVICE = kDevicePlotFile;
    FileName work = name;
    show_name(0, -scr.MAXROW, "Save to |", work.view(), length, scr.PRMCOL, kYesNoWidth);
    ASKYN(-1, 0, "? [y/n] --> |", plotw.keep_name, scr.PRMCOL);
    if (!plotw.keep_name) ask_file_name(0, -scr.MAXROW, "Plot filename [.plt] --> |", work, kNameLength, scr.PRMCOL);
    PLTDEV(kDevicePlotFile, gp.PSIZE, 0, gp.GCOL, work.view());
    name = plot_file_name();
    length = LENTXT(name, kNameLength);
}

}  // namespace

void select_output(const INTEGER& MODE, const INTEGER& SLOT) { select_output(MODE, gp.PLTNAM(SLOT), gp.NPLT(SLOT)); }

void select_output(const INTEGER& MODE, FileName& NAME, INTEGER& NAME_LENGTH) {
    // A save left DEVICE at 1 with its file closed; a new save must still
    // open a file of its own rather than draw into none.
    if (MODE == kOutputSave && !plot_file_open()) {
        start_save(NAME, NAME_LENGTH);
    } else if (gp.DEVICE == kDevicePlotFile && MODE == kOutputScreen) {
        gp.DEVICE = kDeviceScreen;
        PLTDEV(kDeviceScreen, gp.PSIZE, gp.CMODE, gp.GCOL, " ");
    } else {
        CLRSCR();
    }
    TXTSIZ(scr.MAXCOL, scr.MAXROW);
}

}  // namespace datrax
