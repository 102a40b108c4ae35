#include <utility>

#include "plotlib/plotlib.h"
#include "plotlib/symbols.h"

namespace datrax {

using plotlib_detail::plot;

void PLTSTY(INTEGER& LMODE, INTEGER& ISYM, INTEGER& SCOL, INTEGER& IFILL, REAL& THGT) {
    if (LMODE != 999) {
        PLTSTY(std::as_const(LMODE), std::as_const(ISYM), std::as_const(SCOL), std::as_const(IFILL),
               std::as_const(THGT));
        return;
    }
    LMODE = plot.LMODE;
    ISYM = plot.ISYM;
    SCOL = plot.SCOL;
    IFILL = plot.IFILL;
    THGT = plot.THGT;
}

void PLTSTY(const INTEGER& LMODE, const INTEGER& ISYM, const INTEGER& SCOL, const INTEGER& IFILL, const REAL& THGT) {
    if (LMODE == 999) return;  // the query needs variables to answer into
    plot.LMODE = (LMODE == 6 || LMODE == 5 || LMODE == 0) ? LMODE : 2;
    plot.ISYM = ISYM < 0 ? -1 : ISYM > 32 ? 0 : ISYM;
    plot.SCOL = SCOL >= 1 ? SCOL % 16 : -1;
    plot.IFILL = IFILL == 1 ? 1 : 0;
    plot.THGT = THGT;
}

}  // namespace datrax
