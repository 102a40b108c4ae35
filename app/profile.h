// The profile file: the settings that outlive a run (graphics profile,
// switches, menu colours, line and symbol colours, band table).
#pragma once

namespace datrax {

// Start-up: reads the profile file, or creates it when it is missing or its
// first two records are damaged.
void read_profile();
// Quit: writes the profile file from the current values. False when it
// could not be written (the old file is then unchanged).
bool write_profile();

}  // namespace datrax
