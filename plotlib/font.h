// The stroke font of texts and markers, and the marker commands written
// into plot files.
#pragma once
#include <string_view>

#include "plotlib/plotlib.h"

namespace datrax {

// Loads the stroke font from the glyph table into the library state.
void FNTLOD();

namespace plotlib_detail {
constexpr int kLastMarker = 32;  // codes 0..32 are markers
constexpr int kMarkerCodes = kLastMarker + 1;
// The glyph table's text for a code 0..127.
std::string_view glyph_entry(int code);
// The marker command record " UC...;" of a marker code 0..32.
std::string_view marker_commands(int code);
// The strokes of that record as a glyph, for back ends that draw them.
const Glyph& marker_glyph(int code);
}  // namespace plotlib_detail

}  // namespace datrax
