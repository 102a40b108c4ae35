// Where a drawing goes: the screen, cleared first, or a plot file whose name
// the user confirms or types. Every drawing of the plots starts here; in save
// mode the caller closes the file (PLTCLS) when its drawing is complete.
#pragma once
#include "app/state.h"

namespace datrax {

constexpr INTEGER kOutputSave = 1;    // output mode: draw into a plot file
constexpr INTEGER kOutputScreen = 2;  // output mode: draw on the screen

// Selects the device for one drawing. SLOT picks the plot file name PLTNAM(SLOT)
// (1 time series, 2 histogram); the name actually opened becomes the slot's
// default for the next save.
void select_output(const INTEGER& MODE, const INTEGER& SLOT);
// The same for a plot whose default name is kept elsewhere: NAME and its
// length NAME_LENGTH.
void select_output(const INTEGER& MODE, FileName& NAME, INTEGER& NAME_LENGTH);

}  // namespace datrax
