// The data-input dialogue of the main menu's D command: a file name for each
// data set in turn, the read, and then the data menu.
#pragma once

namespace datrax {

void data_input_dialogue();

}  // namespace datrax
