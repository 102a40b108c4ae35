#include "plots/spectrum_table.h"

#include <algorithm>
#include <cstdio>

#include "console/console.h"
#include "plots/table_file.h"

namespace datrax {

namespace {

// One band row: (I5, 2X, A3, 2F11.4, 1PE15.5, 0PF11.5, 1PE15.5).
std::string band_line(INTEGER b, const Spectrum& s) {
    const double lo = band.BANDLO(b), hi = band.BANDHI(b);
    const SpectrumPeak peak = band_peak(s, lo, hi);
    char line[128];
    std::snprintf(line, sizeof line, "%5d  %.3s%11.4f%11.4f%15.5E%11.5f%15.5E\n", b, band.BANDID(b).view().data(), lo,
                  hi, band_rms(s, lo, hi), peak.frequency, peak.amplitude);
    return line;
}

}  // namespace

std::string spectrum_table_text(const FileName& name, INTEGER k, const SpectrumWindow& window, const Spectrum& s) {
    std::string text = " AMPLITUDE SPECTRUM of " + std::string(dset.TITLE(k).trimmed()) + "\n";
    text += " Data file : " + name_in_table(name) + "\n";
    char line[128];
    std::snprintf(line, sizeof line, " Samples   :%10d%10d%10d%10d\n", window.first, window.last, s.samples, s.filled);
    text += line;
    std::snprintf(line, sizeof line, " Step (cph):%15.5E\n", s.df);
    text += line;
    text += " Amplitude : " + std::string(dset.DUNIT(k).trimmed()) + "\n";
    std::snprintf(line, sizeof line, "%5s  %3s%11s%11s%15s%11s%15s\n", "row", "id", "lower cph", "upper cph",
                  "rms ampl.", "peak cph", "peak ampl.");
    text += line;
    for (INTEGER b = 1; b <= std::clamp(band.NBAND, 0, MAXBND); ++b) text += band_line(b, s);
    return text;
}

void spectrum_table(const SpectrumWindow& window, const Spectrum& spectrum, bool cph) {
    const INTEGER k = sel.slot;
    if (!cph) {
        bottom_row_notice("No band table: the time unit is not known --> |", scr.PRMCOL);
        return;
    }
    FileName name(dset.FNAME(k).view());
    SETEXT(name, "spc");
    choose_table_name(name, "Filename for Spectrum --> |");
    write_table(name, spectrum_table_text(dset.FNAME(k), k, window, spectrum));
}

}  // namespace datrax
