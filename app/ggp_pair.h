// The GGP pair rule, in one place: a GGP file fills both data sets (the
// reader does that), so after reading one the selection shows two data sets
// in separate areas, and R in the data menu goes back to one data set.
#pragma once

namespace datrax {

// Both slots hold the two channels of one file: a GGP file (gravity,
// pressure) or a dated list of two value columns.
bool ggp_pair();

// After a successful read: NDSETS 2 and STYLE 2 when the file filled both
// slots (a GGP file, a dated list of two value columns).
void enter_ggp_pair();
// On leaving the data menu: NDSETS 1 when the slots hold a GGP pair.
void leave_ggp_pair();

}  // namespace datrax
