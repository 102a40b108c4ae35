// The banner at the bottom right of the histogram and the spectrum:
// "DATRAX", the data file name and the plot file name in a box; and the
// titles above a frame.
#pragma once
#include <string>
#include <string_view>

#include "app/state.h"

namespace datrax {

// A file name as a plot shows it: its first LENGTH characters, shortened
// from the left to the 40 characters the plot's layout leaves for a name.
std::string name_on_plot(std::string_view NAME, INTEGER LENGTH);

// PLOT_NAME is drawn with PLOT_LENGTH characters, ending at 9.9 inches.
void draw_file_banner(const FileName& DATA_NAME, std::string_view PLOT_NAME, const INTEGER& PLOT_LENGTH);

// A plot title of COUNT characters of TEXT drawn at HEIGHT from the left of
// the frame: cut to the frame's width, its last three characters "...", when
// it would run past the frame's right edge.
void draw_plot_title(REAL y, REAL height, std::string_view text, INTEGER count);

}  // namespace datrax
