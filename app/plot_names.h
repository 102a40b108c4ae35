// Default plot file names derived from a data file name.
#pragma once
#include <string_view>

#include "app/state.h"

namespace datrax {

// PLTNAM(1) = the data file name with extension plt, PLTNAM(2) the name with
// the suffix "h" (histograms), the spectrum's name the suffix "a"; the
// lengths kept in step.
void DEFPLT(const Arr1<FileName, 2>& FNAME, const INTEGER& K);
// Turns a file name into a plot file name with a one-letter suffix: LETTER
// is appended to the base name (which is cut only when the name would
// outgrow its text) and the extension becomes plt.
void SUFNAM(TextRef NAME, std::string_view LETTER);

}  // namespace datrax
