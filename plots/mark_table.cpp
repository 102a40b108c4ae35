#include "plots/mark_table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "console/console.h"
#include "console/prompts.h"
#include "data/calendar.h"
#include "platform/atomic_file.h"
#include "platform/files.h"
#include "plotlib/device.h"
#include "plots/series_drawing.h"
#include "plots/table_file.h"
#include "plots/time_placement.h"
#include "records/missing.h"

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
    std::string y =
        is_missing(value) ? std::string() : "   y = " + fixed4(value) + " " + std::string(dset.DUNIT(k).trimmed());
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

namespace {

constexpr INTEGER kDeleteWidth = 53;  // "} holds marks of an earlier plot. Delete [y/n] --> " and its answer
constexpr std::string_view kNotWritten = "The table of the marks could not be written --> |";

void table_notice(std::string_view text) {
    MSGTXT(0, -scr.MAXROW, text, scr.PRMCOL);
    WAITKY();
}

// Asks for the table's name (the overwrite question of every table) and
// writes the table into its temporary file. False when no table is to be
// put in place: a blank name, or a file that cannot be written (the user
// is told).
bool start_mark_table(FileName& name, platform::AtomicFile& file) {
    choose_table_name(name, "Filename for Marks --> |");
    if (name.is_blank()) return false;
    std::string error;
    if (!file.open(platform::native_path(name.trimmed()), error)) {
        table_notice(kNotWritten);
        return false;
    }
    file.write(mark_table());
    return true;
}

// A plot saved without marks beside the table of an earlier plot's marks:
// true when the user lets that table go rather than have it pass for the
// new plot's.
bool drop_earlier_table(const FileName& name) {
    if (!platform::file_exists(name.trimmed())) return false;
    show_name(0, -scr.MAXROW, "File {|", name.view(), name.trimmed_length(), scr.PRMCOL, kDeleteWidth);
    LOGICAL drop = false;
    ASKYN(-1, 0, "} holds marks of an earlier plot. Delete [y/n] --> |", drop, scr.PRMCOL);
    return drop;
}

}  // namespace

void close_plot_with_marks() {
    FileName name(plot_file_name());
    SETEXT(name, "mrk");
    platform::AtomicFile table;
    bool has_table = false, drop = false;
    if (finish_plot_file()) {
        if (plotw.mark_count > 0)
            has_table = start_mark_table(name, table);
        else
            drop = drop_earlier_table(name);
    }
    plotw.mark_count = 0;
    PLTCLS();
    if (!plot_file_saved()) return;  // the old plot stays, and so does its table
    std::string error;
    if (has_table && !table.commit(error)) table_notice(kNotWritten);
    if (drop && !platform::delete_file(name.trimmed()))
        table_notice("The table of the earlier marks could not be deleted --> |");
}

}  // namespace datrax
