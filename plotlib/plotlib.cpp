#include "plotlib/plotlib.h"

namespace datrax {

namespace plotlib_detail {
PlotLibRecord plot;
}

void reset_plotlib() { plotlib_detail::plot = PlotLibRecord{}; }

}  // namespace datrax
