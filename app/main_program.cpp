// Start-up, the screen set-up and the end of the run.
#include "app/main_program.h"

#include <cstdio>
#include <string>

#include "app/profile.h"
#include "base/numbers.h"
#include "console/console.h"
#include "console/prompts.h"
#include "data/units.h"
#include "platform/config_path.h"
#include "platform/run_stop.h"
#include "plotlib/device.h"
#include "plotlib/plotlib.h"

namespace datrax {

namespace {

// The program's part of the window title; the data file read last comes
// before it.
constexpr std::string_view kBanner = "DATRAX 1.1";

void start_up() {
    pp.XLEN = pp.XMAX - pp.XMIN;
    pp.YLEN = pp.YMAX - pp.YMIN;
    mainv.new_data = true;
    TFACTS();
    AXLABS();
    sel.slot = 1;
    scr.PRMCOL = 15;
    mainv.header_mode = 1;
    read_profile();
    scr.VALCOL = 16 * gp.BCOL + 15;
    if (pp.ZCOL) {
        pp.LTYP(1) = 2;
        pp.LTYP(2) = 2;
        pp.LTYP(3) = 2;
    }
    screen_setup();
}

// What q does before the run ends; a closed window ends the run the same way.
// Returns false when the profile could not be written.
bool quit_actions() {
    scr.VALCOL = 16 * gp.BCOL + 15;
    return write_profile();
}

std::string profile_not_written() {
    return "The profile file could not be written: " + platform::profile_file_path() + " --> |";
}

int finish_run(const RunStop& stop) {
    switch (stop.reason) {
        case RunStop::Reason::Quit:
        case RunStop::Reason::ScriptEnd: return 0;
        case RunStop::Reason::WindowClosed:
            if (!quit_actions()) std::fprintf(stderr, "datrax: %s\n", profile_not_written().c_str());
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
    // The text screen is a screen device: a save left DEVICE at 1, and a
    // plot file must not be opened here.
    gp.DEVICE = kDeviceScreen;
    PLTDEV(gp.DEVICE, gp.PSIZE, gp.CMODE, gp.BCOL, ".");
    WINTTL(kBanner);
    TXTSIZ(scr.MAXCOL, scr.MAXROW);
    INTEGER digits = 8;
    NUMDIG(digits);
}

void reset_state() {
    reset_plotlib();
    reset_records();
}

int run_datrax(std::span<const std::string> files) {
    try {
        start_up();
        run_main_menu(files);
        if (!quit_actions()) {
            write_long_line(0, -scr.MAXROW, profile_not_written(), scr.PRMCOL);
            WAITKY();
        }
    } catch (const RunStop& stop) {
        abandon_plot_file();  // a plot the run did not finish leaves the old file
        return finish_run(stop);
    }
    return 0;
}

}  // namespace datrax
