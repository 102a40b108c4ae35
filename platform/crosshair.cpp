#include "platform/crosshair.h"

namespace datrax::platform {

void Crosshair::put(int x, int y, int colour) {
    canvas_.set_color(colour);
    canvas_.set_pixel(x, y);
}

void Crosshair::show(int x, int y) {
    hide();
    const int previous = canvas_.color();
    for (int d = -kArm; d <= kArm; ++d) {
        const int px[2] = {x + d, x};
        const int py[2] = {y, y + d};
        for (int k = 0; k < 2; ++k) {
            if (k == 1 && d == 0) continue;  // the centre belongs to the horizontal arm
            if (px[k] < 0 || py[k] < 0 || px[k] >= canvas_.width() || py[k] >= canvas_.height()) continue;
            const uint8_t under = canvas_.pixel(px[k], py[k]);
            saved_.push_back({px[k], py[k], under});
            put(px[k], py[k], 15 - under);
        }
    }
    canvas_.set_color(previous);
}

void Crosshair::hide() {
    if (saved_.empty()) return;
    const int previous = canvas_.color();
    // Restored in reverse, so a pixel saved twice gets its first colour back.
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) put(it->x, it->y, it->colour);
    saved_.clear();
    canvas_.set_color(previous);
}

}  // namespace datrax::platform
