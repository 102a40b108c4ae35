#include <algorithm>
#include <cmath>
#include <cstdint>

#include "plotlib/figures.h"
#include "plotlib/pen.h"

namespace datrax {

namespace {

constexpr REAL kHatchStep = 0.02f;  // inches between hatch lines of a filled head
constexpr int kMostHatchLines = 10000;

// Pen codes of the five head strokes: to W1, tip, W2, base, tip again.
struct HeadStyle {
    INTEGER to_w1, to_tip, to_w2, to_base, to_tip_again;
    bool hatched;
    bool drawn;
};

HeadStyle head_style(INTEGER style) {
    switch (style) {
        case 0:
        case 1: return {2, 2, 2, 2, 3, false, true};
        case 2: return {2, 2, 2, 2, 2, false, true};
        case 3: return {2, 2, 3, 3, 2, false, true};
        case 4: return {3, 2, 2, 3, 2, false, true};
        case 5: return {3, 2, 3, 3, 2, false, true};
        case 6: return {2, 2, 2, 2, 2, true, true};
        case 7: return {2, 2, 3, 3, 2, true, true};
        default: return {0, 0, 0, 0, 0, false, false};
    }
}

struct Point {
    REAL x, y;
};

// One head pointing along (c, s) with its tip at `tip`; the pen stands at
// the base.
void draw_head(Point tip, REAL c, REAL s, REAL head, REAL half_width, const HeadStyle& hs) {
    if (!hs.drawn) return;
    const Point base{tip.x - head * c, tip.y - head * s};
    const Point wing{half_width * s, -half_width * c};
    PENMOV(base.x + wing.x, base.y + wing.y, hs.to_w1);
    PENMOV(tip.x, tip.y, hs.to_tip);
    PENMOV(base.x - wing.x, base.y - wing.y, hs.to_w2);
    PENMOV(base.x, base.y, hs.to_base);
    PENMOV(tip.x, tip.y, hs.to_tip_again);
    if (!hs.hatched) return;
    for (int i = 1; i <= kMostHatchLines; ++i) {
        const REAL d = half_width - kHatchStep * static_cast<REAL>(i);
        if (!(d > 0.0f)) break;
        PENMOV(base.x + d * s, base.y - d * c, 3);
        PENMOV(tip.x, tip.y, 2);
        PENMOV(base.x - d * s, base.y + d * c, hs.to_w2);
    }
    PENMOV(tip.x, tip.y, 3);
}

}  // namespace

void PLTARW(const REAL& X1, const REAL& Y1, const REAL& X2, const REAL& Y2, const REAL& HEAD, const REAL& WIDTH,
            const INTEGER& ITYPE) {
    if (WIDTH < 0.0f || ITYPE == 0) return;
    const REAL half_width = WIDTH == 0.0f ? HEAD / 3.0f : WIDTH / 2.0f;
    Point start{X1, Y1};
    const int64_t type = ITYPE < 0 ? -static_cast<int64_t>(ITYPE) : ITYPE;
    if (ITYPE < 0) {
        REAL fact = 0;
        PENPOS(start.x, start.y, fact);
    }
    const REAL length = std::sqrt((X2 - start.x) * (X2 - start.x) + (Y2 - start.y) * (Y2 - start.y));
    if (!(length > 0.0f) || !std::isfinite(length)) return;
    const REAL c = (X2 - start.x) / length;
    const REAL s = (Y2 - start.y) / length;
    const int64_t heads = std::min<int64_t>(type / 10, 2);
    const HeadStyle hs = head_style(static_cast<INTEGER>(type % 10));

    PENMOV(start.x, start.y, 3);
    if (heads == 1) PENMOV(start.x, start.y, 3);
    if (heads == 2) PENMOV(start.x + HEAD * c, start.y + HEAD * s, 3);
    PENMOV(X2 - HEAD * c, Y2 - HEAD * s, heads >= 1 ? 2 : 3);
    draw_head({X2, Y2}, c, s, HEAD, half_width, hs);
    if (heads == 2) {
        PENMOV(start.x + HEAD * c, start.y + HEAD * s, 3);
        draw_head(start, -c, -s, HEAD, half_width, hs);
    }
}

}  // namespace datrax
