// The plot device: screen, plot file or both; page size, graphics mode,
// background colour, plot file opening, and the coordinate conversions.
// Routines that set and report a value report it for a negative first
// argument; the forms taking const arguments only set.
#pragma once
#include <string_view>

#include "base/text.h"
#include "base/types.h"

namespace datrax {

// Device codes of PLTDEV.
constexpr INTEGER kDeviceNone = 0;      // nothing open
constexpr INTEGER kDevicePlotFile = 1;  // plot file only
constexpr INTEGER kDeviceScreen = 2;    // screen only
constexpr INTEGER kDeviceBoth = 12;     // screen and plot file

// Named queries of the device state (the stated routines also answer
// through their arguments).
INTEGER plot_device();
bool plot_file_open();  // the device draws into a plot file (1 or 12)
std::string_view plot_file_name();
INTEGER page_size();  // 11 or 17
// Completes the drawing of the open plot file (pen put away, page written
// out) without putting the file in place; nothing more is drawn into it.
// Questions about files that go with the plot come between this and
// PLTCLS, so a run that ends at one leaves the old plot file as it was.
// True when a real file (not the null device) holds the whole drawing.
bool finish_plot_file();
// True when the last PLTCLS put a real plot file in place.
bool plot_file_saved();
// Drops an open plot file without putting it in place (the run ends before
// its drawing was finished): the old file of its name stays as it was.
void abandon_plot_file();

// IDEV < 0 returns IDEV, IPAGE, IMODE, IBACK and the plot file name (FILE
// blank padded or cut); otherwise sets them (IDEV 0 -> 2, IPAGE 0 -> 11,
// IMODE clamped to 0..4, IBACK to 0..7) and starts the device.
void PLTDEV(INTEGER& IDEV, INTEGER& IPAGE, INTEGER& IMODE, INTEGER& IBACK, TextRef FILE);
void PLTDEV(const INTEGER& IDEV, const INTEGER& IPAGE, const INTEGER& IMODE, const INTEGER& IBACK,
            std::string_view FILE);
// Opens the plot file of the stored name (devices 1, 12), then sets up the
// screen (devices 2, 12).
void PLTSTA();
// Opens FILE as the plot file, with the overwrite dialogue and the
// extension ".plt"; an empty name discards the plot.
void PLTOPN(std::string_view FILE);
// Sets up the graphics window for IMODE and starts a new drawing state.
void SCRINI();
// Titles the window (every device but 1) and clears it.
void WINTTL(std::string_view TITLE);
// IPAGE < 0 returns the page size; otherwise selects page 11 or 17.
void HPPSZE(INTEGER& IPAGE);
void HPPSZE(const INTEGER& IPAGE);
// Limits drawing to the page rectangle (0, 0)-(XW, YH) inches.
void CLIPWN(const REAL& XW, const REAL& YH);
// Sizes and clears the window for a mode (0 becomes 1, and a mode outside
// 1..4 the nearest one, in the caller's variable).
void WINSIZ(INTEGER& IMODE, const INTEGER& IBACK);
// Reads the window's size back: pixels, cell height and the mode.
void WINMOD(INTEGER& IMODE, INTEGER& WIDTH, INTEGER& HEIGHT, INTEGER& CELLH);
// DIR 0: page inches to screen pixels; otherwise pixels to inches.
void INCPIX(REAL& X, REAL& Y, INTEGER& IX, INTEGER& IY, const INTEGER& DIR);
// Closes the plot file (every device but 2); the screen stays as it is.
void PLTCLS();
// End of plot (pen code 999): waits for a key on device 12, closes the file.
void PLTEND();

}  // namespace datrax
