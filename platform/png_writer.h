// PNG output of the canvas: an 8-bit palette image with the 16 colours, one
// palette index per pixel, exactly as the framebuffer holds them.
#pragma once
#include <string>

#include "platform/canvas.h"

namespace datrax::platform {

// Writes the canvas to `path`. On failure returns false with a one-line
// reason in `error` and leaves no partial file behind.
bool write_png(const Canvas& canvas, const std::string& path, std::string& error);

}  // namespace datrax::platform
