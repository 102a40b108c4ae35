// The parameter menu (axes, units, and the miscellaneous parameters screen).
#pragma once
#include "app/state.h"

namespace datrax {

// Runs the parameter menu until R; KS(4) and KS(5) colour its two screens.
void parameter_menu(const Arr1<INTEGER, 5>& KS);

}  // namespace datrax
