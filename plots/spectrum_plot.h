// The amplitude spectrum of a data set: the data menu's A command.
#pragma once
#include "app/state.h"

namespace datrax {

// Asks for the time window and the maximum frequency, draws the spectrum of
// the current data set (sel.slot) and loops on Zoom, Yscale, Save and Quit; Quit writes the band
// table beside the data file. A window that is too short or misses too many
// samples is refused with a message.
void spectrum_plot();

}  // namespace datrax
