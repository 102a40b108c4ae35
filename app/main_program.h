// The main program: start-up, the main menu and the end of the run.
#pragma once
#include <span>
#include <string>
#include <string_view>

#include "app/state.h"

namespace datrax {

// Runs DATRAX in the window set with platform::set_window(); returns the
// exit status (0 after q or a closed window, 1 after a fatal stop). FILES
// are data files named on the command line (at most two).
int run_datrax(std::span<const std::string> files = {});

// Restores every load value: the program-wide records and the plotting
// library's state, the fresh start of a run or a test.
void reset_state();

// Screen set-up: opens the plot device for the text screen in mode TMODE,
// titles the window and measures the text grid.
void screen_setup();

// The main-menu header row.
void MAINHD(const INTEGER& ISLOT, std::string_view NAME, const INTEGER& NLEN, const INTEGER& MODE, const INTEGER& MAXP,
            const INTEGER& MAXS);

// Draws the main-menu header row for the current slot (the name is
// left-justified in place and measured afresh).
void draw_main_header();

// Draws the main menu and runs its command loop until q. FILES (at most
// two, from the command line) are first read as the data-input dialogue
// reads them, and the data menu opens.
void run_main_menu(std::span<const std::string> files = {});

// The NDSETS dialogue shared by the main and the data menu: asks until NDSETS
// is 1 or 2 and brings STYLE, LTYP(2) and the current slot in step.
void ask_ndsets();
// Sets NDSETS to N (1 or 2) with the same consequences.
void set_ndsets(INTEGER n);

}  // namespace datrax
