// GGP station files of a gravity and pressure pair: header lines naming the
// columns and their units, "77777777", a line per sample with its date and
// time (UTC, whole seconds), "99999999" and "88888888".
#pragma once
#include "data/write_data.h"
#include "data/write_text.h"

namespace datrax::writer {

// Values stand in the stated ten-column fields where they fit (a wider one
// takes the room it needs, after a blank); a missing one is "9999.999".
// Both series have the same start, whole-second interval and count.
void write_ggp(const SeriesOut& gravity, const SeriesOut& pressure, TextOut& out);

}  // namespace datrax::writer
