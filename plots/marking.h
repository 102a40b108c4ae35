// Point marking on the time-series plot: picks snapped to the nearest sample,
// each marked by an arrow with the sample's time, and the mark list that the
// next saved plot carries.
#pragma once
#include "app/state.h"

namespace datrax {

// With DEVICE 2, one marking step on the screen: the user picks times with
// the graphics cursor until answering n; the list restarts with this step's
// marks. With DEVICE 1 (a plot being saved), the list is drawn into the plot
// file (close_plot_with_marks then writes its table and empties it). DXI is the plot's inches per sample, I1 the first
// sample of its time window.
void mark_points(const REAL& DXI, const INTEGER& I1);

}  // namespace datrax
