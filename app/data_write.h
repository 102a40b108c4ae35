// The data menu's W command: writes the data set(s) shown, within fixed
// time limits and filtered as asked, as a CSV, DATRA or GGP file.
#pragma once
#include <string>
#include <string_view>

#include "app/state.h"

namespace datrax {

// Asks for the time limits, the filter length, the data set (two separate
// data sets) and the file name, writes the file and says on the bottom row
// what was written.
void write_data_set();

// The name offered: the data file's name without its extension, then
// "w.csv" (bf240301.ggp -> bf240301w.csv), in the data file's folder.
std::string default_write_name(std::string_view data_file);

}  // namespace datrax
