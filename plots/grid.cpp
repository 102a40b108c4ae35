#include "plots/grid.h"

#include "plotlib/figures.h"
#include "plotlib/pen.h"
#include "plotlib/symbols.h"

namespace datrax {

namespace {

// Draws with the dotted grid pen, then returns to the plain line mode and
// lifts the pen to (XMIN, YMIN).
template <class Lines>
void dotted(Lines lines) {
    PLTSTY(5, -1, -1, 0, 0.0f);
    lines();
    PLTSTY(0, -1, -1, 0, 0.0f);
    PENMOV(pp.XMIN, pp.YMIN, 3);
}

}  // namespace

void draw_grid(const REAL& Y0, const REAL& HEIGHT, const INTEGER& KIND) {
    const INTEGER nx = divisions(pp.NGX(KIND));
    const INTEGER ny = divisions(pp.NGY(KIND));
    dotted([&] { PLTGRD(pp.XMIN, Y0, pp.XLEN / static_cast<REAL>(nx), HEIGHT / static_cast<REAL>(ny), nx, ny); });
}

void draw_date_grid(const REAL& Y0, const REAL& HEIGHT, const std::vector<REAL>& xs) {
    const INTEGER ny = divisions(pp.NGY(1));
    constexpr REAL kEdge = 0.005f;  // a line this near the frame would only retrace it
    dotted([&] {
        bool up = true;
        for (const REAL x : xs) {
            if (x <= pp.XMIN + kEdge || x >= pp.XMIN + pp.XLEN - kEdge) continue;
            PENMOV(x, up ? Y0 : Y0 + HEIGHT, 3);
            PENMOV(x, up ? Y0 + HEIGHT : Y0, 2);
            up = !up;
        }
        // The lines across and the frame, without inner lines along.
        PLTGRD(pp.XMIN, Y0, pp.XLEN, HEIGHT / static_cast<REAL>(ny), 1, ny);
    });
}

}  // namespace datrax
