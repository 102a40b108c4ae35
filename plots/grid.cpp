#include "plots/grid.h"

#include "plotlib/figures.h"
#include "plotlib/pen.h"
#include "plotlib/symbols.h"

namespace datrax {

void draw_grid(const REAL& Y0, const REAL& HEIGHT, const INTEGER& KIND) {
    const INTEGER nx = divisions(pp.NGX(KIND));
    const INTEGER ny = divisions(pp.NGY(KIND));
    PLTSTY(5, -1, -1, 0, 0.0f);
    PLTGRD(pp.XMIN, Y0, pp.XLEN / static_cast<REAL>(nx), HEIGHT / static_cast<REAL>(ny), nx, ny);
    PLTSTY(0, -1, -1, 0, 0.0f);
    PENMOV(pp.XMIN, pp.YMIN, 3);
}

}  // namespace datrax
