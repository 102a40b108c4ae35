// The data-input dialogue of the main menu's D command: a file name for each
// data set in turn, the read, and then the data menu.
#pragma once
#include <span>
#include <string>

namespace datrax {

void data_input_dialogue();
// The same dialogue for files named on the command line: FILES(1) into
// slot 1, FILES(2) into slot 2 with NDSETS 2 (a GGP file fills both). A
// missing file asks, as the dialogue does, whether to retry with another
// name; any failure ends in the main menu.
void open_data_files(std::span<const std::string> files);

}  // namespace datrax
