// Developer pages drawn through the library on the current device: every
// glyph of the stroke font, and a page of axes. The developer command
// datrax-plotsheet writes them as PNG and HP-GL; the tests keep golden
// copies.
#pragma once

namespace datrax {

// All 128 glyphs at heights 0.12 and 0.2 inch, at 0 and 90 degrees, on
// page 11.
void draw_glyph_sheet();
// Axes of both orientations and sides, with and without "*10", on page 11.
void draw_axes_page();

}  // namespace datrax
