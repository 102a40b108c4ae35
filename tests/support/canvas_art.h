// A canvas (or a rectangle of it) as ASCII art: one hex digit per pixel, the
// palette index, one line per pixel row. Small raster tests state their
// expected pictures this way.
#pragma once
#include <string>

#include "platform/canvas.h"

namespace datrax::testing {

std::string canvas_art(const platform::Canvas& canvas);
std::string canvas_art(const platform::Canvas& canvas, int x, int y, int width, int height);

}  // namespace datrax::testing
