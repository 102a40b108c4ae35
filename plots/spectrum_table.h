// The band table of a spectrum: RMS amplitude and largest peak of every row
// of the profile's band table, written beside the data file as NAME.spc.
#pragma once
#include <string>

#include "app/state.h"
#include "data/spectrum.h"

namespace datrax {

// Writes the table of the current data set's spectrum (sel.slot) beside its
// data file (overwrite and new-name dialogue on the bottom row). Without a known time unit the bands, given
// in cycles per hour, do not apply: a message, and no file.
void spectrum_table(const SpectrumWindow& window, const Spectrum& spectrum, bool cph);

// The table's text.
std::string spectrum_table_text(const FileName& name, INTEGER k, const SpectrumWindow& window, const Spectrum& s);

}  // namespace datrax
