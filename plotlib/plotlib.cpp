#include "plotlib/plotlib.h"

#include "base/numbers.h"

namespace datrax {

namespace plotlib_detail {
PlotLibRecord plot;
}

void reset_plotlib() {
    plotlib_detail::plot = PlotLibRecord{};
    INTEGER no_limit = 0;
    NUMDIG(no_limit);
}

}  // namespace datrax
