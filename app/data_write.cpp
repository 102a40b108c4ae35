#include "app/data_write.h"

#include <cmath>
#include <string>
#include <vector>

#include "app/ggp_pair.h"
#include "console/console.h"
#include "console/prompts.h"
#include "data/filter.h"
#include "data/write_data.h"
#include "plots/table_file.h"
#include "plots/time_window.h"

namespace datrax {

namespace {

// The data sets to write: the answer of the data set question for two
// separate data sets, else the current one. (A GGP file takes both sets of
// a GGP pair whatever the answer.)
std::vector<INTEGER> ask_sets() {
    if (sel.NDSETS != 2 || sel.STYLE != 2) return {sel.slot};
    for (;;) {
        ASKTXT(0, -scr.MAXROW, "Data set [1/2/b=both] --> |", writew.sets, 1, scr.PRMCOL);
        LOWCAS(writew.sets, 1);
        switch (writew.sets(1)) {
            case '1': return {1};
            case '2': return {2};
            case 'b': return {1, 2};
            default: break;
        }
    }
}

// The samples of data set K in the time window, filtered when asked; the
// values of a filtered window are kept in STORE.
SeriesOut series_of(INTEGER k, std::vector<REAL>& store) {
    INTEGER first = 1, last = 0;
    time_window_samples(k, writew.fixed_time, writew.TLO, writew.THI, first, last);
    SeriesOut s;
    const size_t n = last >= first ? static_cast<size_t>(last - first + 1) : 0;
    if (pp.NF > 1) {
        store.resize(n);
        for (size_t i = 0; i < n; ++i) store[i] = filtered_value(plotw.W, first + static_cast<INTEGER>(i), k);
        s.samples = store;
    } else {
        s.samples = std::span<const REAL>(Y.column(k) + (first - 1), n);
    }
    s.interval_seconds = dset.interval_seconds(k);
    s.start = dset.start(k) + static_cast<double>(first - 1) * s.interval_seconds;
    s.dt = dset.DT(k);
    s.time_unit = dset.TUNIT.trimmed();
    s.unit = dset.DUNIT(k).trimmed();
    s.title = dset.LTITLE(k) > 0 && !dset.TITLE(k).is_blank() ? std::string(dset.TITLE(k).trimmed())
                                                              : std::string(dset.FNAME(k).trimmed());
    return s;
}

bool window_holds_samples(const std::vector<INTEGER>& sets) {
    for (const INTEGER k : sets) {
        INTEGER first = 1, last = 0;
        time_window_samples(k, writew.fixed_time, writew.TLO, writew.THI, first, last);
        if (first <= last) return true;
    }
    return false;
}

std::string written_text(const WriteOutcome& w, std::string_view name) {
    return "Written: " + std::to_string(w.samples) + " samples (" + std::to_string(w.missing) + " missing) to " +
           std::string(name) + "|";
}

}  // namespace

std::string default_write_name(std::string_view data_file) {
    const size_t slash = data_file.find_last_of("/\\");
    const size_t dot = data_file.rfind('.');
    // A name that starts with its only point (.profile) has no extension.
    const size_t base = slash == std::string_view::npos ? 0 : slash + 1;
    const bool has_extension = dot != std::string_view::npos && dot > base;
    return std::string(data_file.substr(0, has_extension ? dot : data_file.size())) + "w.csv";
}

void write_data_set() {
    ask_fixed_time_limits(writew.fixed_time, writew.TLO, writew.THI);
    ask_filter_length();
    pp.DTF = dset.DT(1);
    FILTWT(plotw.W);
    std::vector<INTEGER> sets = ask_sets();
    if (!window_holds_samples(sets)) {
        bottom_row_notice("Not written: no samples within the time limits --> |", scr.PRMCOL);
        return;
    }

    const std::string offered = default_write_name(dset.FNAME(sets.front()).trimmed());
    FileName name(offered);
    const std::string prompt = "Write to [" + offered + "] --> |";
    ask_file_name(0, -scr.MAXROW, prompt, name, kNameLength, scr.PRMCOL);
    choose_table_name(name, prompt);
    if (data_file_kind(name.trimmed()) == DataFileKind::Ggp && ggp_pair()) sets = {1, 2};

    std::vector<REAL> stores[2];
    std::vector<SeriesOut> series;
    for (size_t i = 0; i < sets.size(); ++i) series.push_back(series_of(sets[i], stores[i]));
    const WriteOutcome w = write_data_file(std::string(name.trimmed()), series);
    if (w.written)
        bottom_row_notice(written_text(w, name.trimmed()), scr.PRMCOL);
    else
        bottom_row_notice("Not written: " + w.reason + " --> |", scr.PRMCOL);
}

}  // namespace datrax
