#include "plots/mark_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "console/console.h"
#include "data/calendar.h"
#include "data/missing.h"
#include "platform/atomic_file.h"
#include "platform/plot_file.h"
#include "plots/series_drawing.h"
#include "plots/time_placement.h"

namespace datrax {

namespace {

std::string fixed4(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", v);
    return text;
}

// The unit of the mark times: the time axis title, or hours on a calendar
// axis (its times are counted in hours from its origin).
std::string time_unit_text() {
    return pp.ITUP == kCalendarUnit ? std::string("hour") : std::string(pp.AXTITX(1).trimmed());
}

}  // namespace

std::string calendar_time(INTEGER index, INTEGER k) {
    if (!std::isfinite(dset.start(k)) || !std::isfinite(dset.interval_seconds(k))) return {};
    const double offset = static_cast<double>(index - 1) * dset.interval_seconds(k);
    return format_start(std::round(dset.start(k) + offset));
}

INTEGER marked_set(REAL y) {
    if (const INTEGER k = lone_set(); k != 0) return k;
    return separate_areas() && y < kUpperBase ? 2 : 1;
}

INTEGER present_sample(INTEGER index, INTEGER k) {
    const INTEGER n = dset.NPTS(k);
    if (n < 1) return 0;
    index = std::clamp(index, INTEGER{1}, n);
    for (INTEGER d = 0; index - d >= 1 || index + d <= n; ++d) {
        if (index - d >= 1 && !is_missing(Y(index - d, k))) return index - d;
        if (index + d <= n && !is_missing(Y(index + d, k))) return index + d;
    }
    return 0;
}

std::string mark_values_text(REAL time, REAL value, REAL raw, INTEGER index, INTEGER k) {
    std::string y = is_missing(value) ? std::string()
                                      : "   y = " + fixed4(value) + " " + std::string(dset.DUNIT(k).trimmed());
    if (!is_missing(value) && !is_missing(raw) && raw != value) y += " (raw " + fixed4(raw) + ")";
    // On a calendar axis the date and time follow the value (the hours from
    // the axis origin would say little there).
    const std::string when = calendar_axis() ? calendar_time(index, k) : std::string();
    if (!when.empty()) return y + "   t = " + when;
    return "   t = " + fixed4(time) + " " + time_unit_text() + y;
}

std::string mark_table() {
    std::string table = "# index time [" + time_unit_text() + "] value unit";
    if (plotw.mark_count > 0 && !calendar_time(plotw.mark_index(1), plotw.mark_set(1)).empty())
        table += " calendar time (UTC)";
    table += '\n';
    for (INTEGER m = 1; m <= plotw.mark_count; ++m) {
        table += std::to_string(plotw.mark_index(m)) + " " + fixed4(plotw.mark_time(m)) + " " +
                 (is_missing(plotw.mark_value(m)) ? std::string("nan") : fixed4(plotw.mark_value(m))) + " " +
                 std::string(dset.DUNIT(plotw.mark_set(m)).trimmed());
        const std::string when = calendar_time(plotw.mark_index(m), plotw.mark_set(m));
        if (!when.empty()) table += " " + when;
        table += '\n';
    }
    return table;
}

bool write_mark_table(std::string_view plot_name) {
    if (plot_name.empty() || platform::is_null_device_name(plot_name)) return true;
    Text<40> name(plot_name);
    SETEXT(name, "mrk");
    std::string error;
    return platform::replace_file(platform::plot_file_path(name.trimmed()), mark_table(), error);
}

}  // namespace datrax
