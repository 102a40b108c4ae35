#include "plots/banner.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "plotlib/figures.h"
#include "plotlib/symbols.h"

namespace datrax {

std::string name_on_plot(std::string_view NAME, INTEGER LENGTH) {
    constexpr size_t kWidth = 40;
    const auto used = static_cast<size_t>(std::clamp<INTEGER>(LENGTH, 0, static_cast<INTEGER>(NAME.size())));
    return shown_name(NAME.substr(0, used), kWidth);
}

void draw_file_banner(const FileName& DATA_NAME, std::string_view PLOT_NAME, const INTEGER& PLOT_LENGTH) {
    const std::string plot_name = name_on_plot(PLOT_NAME, PLOT_LENGTH);
    const std::string data_name = name_on_plot(DATA_NAME.view(), DATA_NAME.trimmed_length());
    const auto plot_length = static_cast<INTEGER>(plot_name.size());
    const auto nch = static_cast<INTEGER>(data_name.size());
    const REAL xr = 9.9f - 0.07f * static_cast<REAL>(plot_length);
    const REAL x1 = xr - 0.07f * static_cast<REAL>(nch) - 0.2f;
    const REAL x0 = x1 - 0.62f;
    PLTSYM(x0, 0.05f, 0.07f, "DATRAX", 0.0f, 6);
    PLTSYM(x1, 0.05f, 0.07f, data_name, 0.0f, nch);
    PLTSYM(xr, 0.05f, 0.07f, plot_name, 0.0f, plot_length);
    RECTNG(x0 - 0.1f, 0.0f, 0.17f, 10.1f - x0, 0.0f, 3);
}

void draw_plot_title(REAL y, REAL height, std::string_view text, INTEGER count) {
    std::string shown(
        text.substr(0, static_cast<size_t>(std::clamp<INTEGER>(count, 0, static_cast<INTEGER>(text.size())))));
    // A character of the stroke font is as wide as it is high.
    const double room = height > 0.0f ? std::floor((pp.XMAX - pp.XMIN) / height + 1e-4) : 0.0;
    if (room >= 3.0 && static_cast<double>(shown.size()) > room) {
        shown.resize(static_cast<size_t>(room) - 3);
        shown += "...";
    }
    PLTSYM(pp.XMIN, y, height, shown, 0.0f, static_cast<INTEGER>(shown.size()));
}

}  // namespace datrax
