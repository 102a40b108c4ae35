// The histogram table: a 25-bin count table of a data set written beside
// its data file with the extension hst.
#pragma once
#include <string>

#include "app/state.h"

namespace datrax {

// Writes the table of the current data set (sel.slot) beside its data file
// (overwrite and new-name dialogue on the bottom row).
void histogram_table();

// The table's text for data set K with its minimum and maximum.
std::string histogram_table_text(const FileName& name, INTEGER k, REAL minimum, REAL maximum);

// A limit as a general real field of 9 characters with 2 significant digits;
// nine asterisks when the value cannot be shown.
std::string general_field_9_2(double x);

}  // namespace datrax
