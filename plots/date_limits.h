// The fixed time limits of a calendar axis, asked as dates.
#pragma once
#include "app/state.h"

namespace datrax {

// Asks for the lower and upper limit as "yyyy-mm-dd hh:mm" (UTC) until the
// upper one is later; Enter alone keeps the date shown. LO and HI are times
// of the plot's time unit from the axis origin, as the window keeps them. A
// text that is no date is named and asked again.
void set_date_limits(REAL& LO, REAL& HI);

}  // namespace datrax
