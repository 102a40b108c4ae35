// How the canvas is shown in a window of any size: where the picture lies,
// whether it is a sharp whole multiple or a filtered picture, which canvas
// pixel lies under a window pixel, and the area-average picture itself.
#pragma once
#include <cstdint>

#include "platform/canvas.h"

namespace datrax::platform {

// The canvas' picture inside the window's drawable, in real pixels: as large
// as fits with the canvas' aspect kept, centred, bars around it.
struct PictureLayout {
    int x = 0, y = 0;           // top-left corner of the picture
    int width = 0, height = 0;  // its size
    int multiple = 0;           // > 0: a whole multiple, shown pixel for pixel; 0: filtered
    bool operator==(const PictureLayout&) const = default;
};

PictureLayout layout_picture(int canvas_w, int canvas_h, int drawable_w, int drawable_h);

// The canvas pixel shown at a point of the drawable (real pixels, fractions
// allowed); false when the point lies on the bars.
bool canvas_pixel_at(const PictureLayout& layout, int canvas_w, int canvas_h, double px, double py, int& cx, int& cy);

// The canvas resampled to out_w x out_h by area average: every output pixel
// is the mean colour of the canvas area it covers, so thin lines stay visible
// (dimmed) at every scale. Rows of 0xFFRRGGBB, `pitch` pixels apart.
void area_average(const Canvas& canvas, int out_w, int out_h, uint32_t* out, int pitch);

}  // namespace datrax::platform
