// Start-up, the screen set-up and the end of the run.
#include "app/main_program.h"

#include <cstdio>

#include "console/console.h"
#include "data/units.h"
#include "platform/run_stop.h"
#include "platform/window.h"
#include "plotlib/numbers.h"

namespace datrax {

namespace {

constexpr std::string_view kBanner = "DATRAX QuickWin V1.1 ";

void start_up() {
    pp.XLEN = pp.XMAX - pp.XMIN;
    pp.YLEN = pp.YMAX - pp.YMIN;
    mainv.new_data = true;
    TFACTS();
    AXLABS();
    sel.slot = 1;
    scr.PRMCOL = 15;
    mainv.header_mode = 1;
    scr.VALCOL = 16 * gp.BCOL + 15;
    if (pp.ZCOL) {
        pp.LTYP(1) = 2;
        pp.LTYP(2) = 2;
        pp.LTYP(3) = 2;
    }
    screen_setup();
}

// What q does before the run ends; a closed window ends the run the same way.
void quit_actions() { scr.VALCOL = 16 * gp.BCOL + 15; }

int finish_run(const RunStop& stop) {
    switch (stop.reason) {
        case RunStop::Reason::Quit:
        case RunStop::Reason::ScriptEnd:
            return 0;
        case RunStop::Reason::WindowClosed:
            quit_actions();
            return 0;
        case RunStop::Reason::Fatal:
            if (!stop.message.empty()) std::fprintf(stderr, "%s\n", stop.message.c_str());
            return 1;
    }
    return 1;
}

}  // namespace

void screen_setup() {
    gp.CMODE = gp.TMODE;
    platform::Window& w = platform::window();
    const platform::ModeSize size = platform::mode_size(gp.CMODE);
    w.set_size(size.width, size.height);
    w.canvas().set_bk_color(gp.BCOL);
    w.canvas().clear_screen();
    w.set_title(kBanner);
    TXTSIZ(scr.MAXCOL, scr.MAXROW);
    INTEGER digits = 8;
    NUMDIG(digits);
}

int run_datrax() {
    try {
        start_up();
        run_main_menu();
        quit_actions();
    } catch (const RunStop& stop) {
        return finish_run(stop);
    }
    return 0;
}

}  // namespace datrax
