#include "tests/support/canvas_art.h"

namespace datrax::testing {

std::string canvas_art(const platform::Canvas& canvas) {
    return canvas_art(canvas, 0, 0, canvas.width(), canvas.height());
}

std::string canvas_art(const platform::Canvas& canvas, int x, int y, int width, int height) {
    std::string out;
    for (int py = y; py < y + height; ++py) {
        for (int px = x; px < x + width; ++px) out += "0123456789ABCDEF"[canvas.pixel(px, py) & 15];
        out += '\n';
    }
    return out;
}

}  // namespace datrax::testing
