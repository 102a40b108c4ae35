// The banner at the bottom right of the histogram and the spectrum:
// "DATRAX", the data file name and the plot file name in a box.
#pragma once
#include <string_view>

#include "app/state.h"

namespace datrax {

// PLOT_NAME is drawn with PLOT_LENGTH characters, ending at 9.9 inches.
void draw_file_banner(const Text<40>& DATA_NAME, std::string_view PLOT_NAME, const INTEGER& PLOT_LENGTH);

}  // namespace datrax
