// One drawing of the amplitude spectrum, on the screen or into a plot file:
// titles, the three largest peaks, axes, frame, grid, the bands of the band
// table and the curve.
#pragma once
#include <string>
#include <vector>

#include "app/state.h"
#include "data/spectrum.h"

namespace datrax {

// What one drawing shows (the limits live in specw).
struct SpectrumDrawing {
    const Spectrum* spectrum = nullptr;
    INTEGER K = 1;       // data set shown
    bool cph = true;     // frequencies in cycles per hour: the band table is drawn
    std::string unit;    // frequency unit as written: "cph", or "cycles/<time unit>"
    INTEGER output = 2;  // kOutputScreen or kOutputSave
};

// A peak as written above the plot and in the table, e.g.
// "0.0805 cph  34.9 microgal".
std::string peak_text(const SpectrumPeak& p, std::string_view unit, std::string_view data_unit);

// Selects the output and draws the whole plot; a save is closed and the
// output returns to the screen.
void draw_spectrum(SpectrumDrawing& d);

}  // namespace datrax
