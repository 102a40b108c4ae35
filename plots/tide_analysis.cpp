#include "plots/tide_analysis.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "app/ggp_pair.h"
#include "console/console.h"
#include "console/prompts.h"
#include "data/spectrum.h"
#include "data/tide_fit.h"
#include "data/write_data.h"
#include "plots/residual_plot.h"
#include "plots/table_file.h"
#include "plots/tide_table.h"
#include "plots/time_window.h"

namespace datrax {

namespace {

INTEGER ask_drift_degree() {
    INTEGER degree = 1;
    do {
        ASKINT(0, -scr.MAXROW, "Drift, polynomial degree [default 1] --> |", degree, scr.PRMCOL);
    } while (degree < 0 || degree > kMaxDriftDegree);
    return degree;
}

// Data set 2 holds a series on data set 1's time grid over the window:
// offset is the index of data set 2's sample at data set 1's sample 1, less 1.
bool pressure_on_grid(INTEGER k, const SpectrumWindow& w, INTEGER& offset) {
    if (k != 1 || dset.NPTS(2) <= 0 || (!ggp_pair() && dset.DSLABL(2).is_blank())) return false;
    const double step = dset.interval_seconds(1);
    if (!std::isfinite(dset.start(2)) || !(step > 0.0) || std::fabs(dset.interval_seconds(2) - step) > 1e-9 * step)
        return false;
    const double shift = (dset.start(1) - dset.start(2)) / step;
    if (!(std::fabs(shift - std::round(shift)) < 1e-6) || std::fabs(shift) > MAXPTS) return false;
    offset = static_cast<INTEGER>(std::round(shift));
    return w.first + offset >= 1 && w.last + offset <= dset.NPTS(2);
}

// One data unit in m/s^2 when it is a unit of gravity, else 0.
double gravity_unit_in_si(std::string_view unit) {
    std::string u(unit);
    for (char& c : u) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (u == "microgal" || u == "ugal" || u == "\xc2\xb5gal") return 1e-8;
    if (u == "nm/s2" || u == "nm/s^2" || u == "nm/s**2") return 1e-9;
    if (u == "mgal" || u == "milligal") return 1e-5;
    if (u == "m/s2" || u == "m/s^2") return 1.0;
    return 0.0;
}

bool refused(TideStatus status) {
    switch (status) {
        case TideStatus::Ok: return false;
        case TideStatus::TooShort:
            bottom_row_notice("Window too short for a tidal analysis (one day at least) --> |", scr.PRMCOL);
            break;
        case TideStatus::TooFewSamples:
            bottom_row_notice("Too few samples for a tidal analysis --> |", scr.PRMCOL);
            break;
        case TideStatus::Singular:
            bottom_row_notice("The model cannot be solved: its columns are dependent (constant pressure?) --> |",
                              scr.PRMCOL);
            break;
    }
    return true;
}

// The result screen in the data menu's colours: header row, then the table.
void draw_result(INTEGER k, const std::vector<std::string>& lines) {
    CLRSCR();
    scr.MENUCL = 16 * gp.KS(2) + 15;
    cblank(0, 0, scr.MAXCOL, -1, scr.MENUCL / 16);
    MSGTXT(0, 0, " TIDAL ANALYSIS -|", scr.MENUCL);
    SHOWIN(-1, 0, " File |", k, scr.MENUCL);
    SHOWTX(-1, 0, " |", dset.FNAME(k).view(), dset.FNAME(k).trimmed_length(), scr.MENUCL);
    const INTEGER last = std::min<INTEGER>(2 + static_cast<INTEGER>(lines.size()), scr.MAXROW - 2);
    cblank(0, 1, scr.MAXCOL, last, gp.KS(2));
    for (INTEGER row = 2; row < last; ++row) write_long_line(0, row, lines[static_cast<size_t>(row - 2)], scr.MENUCL);
}

std::string table_text(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    return text;
}

void write_tide_table(INTEGER k, const std::vector<std::string>& lines) {
    FileName name(dset.FNAME(k).view());
    SETEXT(name, "tid");
    choose_table_name(name, "Filename for Tidal Analysis --> |");
    write_table(name, table_text(lines));
}

// The residual and the fitted waves through the data files' writer: a CSV
// takes both as columns, a DATRA file (one series) the residual.
void write_residual(INTEGER k, const TideFit& fit, const TideTableSource& src) {
    constexpr int kNameLength = 255;
    std::string offered(tidew.PLTNAM.trimmed());
    offered = offered.substr(0, offered.rfind('.')) + ".csv";
    Text<kNameLength> name(offered);
    const std::string prompt = "Write to [" + offered + "] --> |";
    ask_file_name(0, -scr.MAXROW, prompt, name, kNameLength, scr.PRMCOL);
    choose_table_name(name, prompt);
    const DataFileKind kind = data_file_kind(name.trimmed());
    if (kind == DataFileKind::Ggp) {
        bottom_row_notice("Not written: a GGP file holds gravity and pressure; use .csv or .dat --> |", scr.PRMCOL);
        return;
    }
    SeriesOut residual{fit.residual,
                       src.start,
                       src.interval,
                       dset.DT(k),
                       std::string(dset.TUNIT.trimmed()),
                       src.unit,
                       "Residual of " + src.title};
    SeriesOut tide = residual;
    tide.samples = fit.tide;
    tide.title = "Fitted tide of " + src.title;
    std::vector<SeriesOut> series{residual};
    if (kind == DataFileKind::Csv) series.push_back(tide);
    const WriteOutcome w = write_data_file(std::string(name.trimmed()), series);
    if (w.written)
        bottom_row_notice("Written: " + std::to_string(w.samples) + " samples (" + std::to_string(w.missing) +
                              " missing) to " + std::string(name.trimmed()) + "|",
                          scr.PRMCOL);
    else
        bottom_row_notice("Not written: " + w.reason + " --> |", scr.PRMCOL);
}

}  // namespace

void tide_analysis() {
    const INTEGER k = sel.slot;
    if (!std::isfinite(dset.start(k)) || !(dset.interval_seconds(k) > 0.0)) {
        bottom_row_notice("No tidal analysis: the start time of the data is not known --> |", scr.PRMCOL);
        return;
    }
    ask_fixed_time_limits(tidew.fixed_time, tidew.TLO, tidew.THI);
    SpectrumWindow w;
    time_window_samples(k, tidew.fixed_time, tidew.TLO, tidew.THI, w.first, w.last);
    if (w.last < w.first) {
        bottom_row_notice("No samples in the time limits --> |", scr.PRMCOL);
        return;
    }
    TideInput in;
    in.samples = std::span<const REAL>(Y.column(k) + (w.first - 1), static_cast<size_t>(w.last - w.first + 1));
    in.start = dset.start(k) + (w.first - 1) * dset.interval_seconds(k);
    in.interval = dset.interval_seconds(k);
    in.drift_degree = ask_drift_degree();
    in.latitude = dset.latitude(k);
    in.unit_in_si = gravity_unit_in_si(dset.DUNIT(k).trimmed());
    INTEGER offset = 0;
    if (pressure_on_grid(k, w, offset)) {
        ASKYN(0, -scr.MAXROW, "Pressure admittance from data set 2 [y/n] --> |", tidew.admittance, scr.PRMCOL);
        if (tidew.admittance)
            in.pressure = std::span<const REAL>(Y.column(2) + (w.first - 1 + offset), in.samples.size());
    }
    MSGTXT(0, -scr.MAXROW, "Fitting the tides ...|", scr.PRMCOL);
    TideFit fit;
    if (refused(fit_tides(in, fit))) return;

    const TideTableSource src{std::string(dset.TITLE(k).trimmed()),
                              std::string(dset.FNAME(k).trimmed()),
                              std::string(dset.DUNIT(k).trimmed()),
                              std::string(dset.DUNIT(2).trimmed()),
                              in.start,
                              in.interval,
                              in.latitude,
                              in.unit_in_si > 0.0};
    const std::vector<std::string> lines = tide_table_lines(src, fit);
    draw_result(k, lines);
    write_tide_table(k, lines);
    tidew.command = "";
    for (;;) {
        ASKTXT(0, -scr.MAXROW, "[Plot residual/Write/Quit] -> |", tidew.command, 1, scr.PRMCOL);
        LOWCAS(tidew.command, 1);
        switch (tidew.command(1)) {
            case 'p':
                residual_plot({&fit.residual, k, in.start, "Residual of " + src.title});
                draw_result(k, lines);
                break;
            case 'w':
                write_residual(k, fit, src);
                draw_result(k, lines);
                break;
            case 'q': return;
            default: break;
        }
    }
}

}  // namespace datrax
