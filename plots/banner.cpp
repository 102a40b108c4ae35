#include "plots/banner.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "plotlib/figures.h"
#include "plotlib/symbols.h"

namespace datrax {

void draw_file_banner(const Text<40>& DATA_NAME, std::string_view PLOT_NAME, const INTEGER& PLOT_LENGTH) {
    const REAL xr = 9.9f - 0.07f * static_cast<REAL>(PLOT_LENGTH);
    const INTEGER nch = DATA_NAME.trimmed_length();
    const REAL x1 = xr - 0.07f * static_cast<REAL>(nch) - 0.2f;
    const REAL x0 = x1 - 0.62f;
    PLTSYM(x0, 0.05f, 0.07f, "DATRAX", 0.0f, 6);
    PLTSYM(x1, 0.05f, 0.07f, DATA_NAME.view(), 0.0f, nch);
    PLTSYM(xr, 0.05f, 0.07f, PLOT_NAME, 0.0f, PLOT_LENGTH);
    RECTNG(x0 - 0.1f, 0.0f, 0.17f, 10.1f - x0, 0.0f, 3);
}

void draw_plot_title(REAL y, REAL height, std::string_view text, INTEGER count) {
    std::string shown(text.substr(0, static_cast<size_t>(std::clamp<INTEGER>(count, 0, static_cast<INTEGER>(text.size())))));
    // A character of the stroke font is as wide as it is high.
    const double room = height > 0.0f ? std::floor((pp.XMAX - pp.XMIN) / height + 1e-4) : 0.0;
    if (room >= 3.0 && static_cast<double>(shown.size()) > room) {
        shown.resize(static_cast<size_t>(room) - 3);
        shown += "...";
    }
    PLTSYM(pp.XMIN, y, height, shown, 0.0f, static_cast<INTEGER>(shown.size()));
}

}  // namespace datrax
