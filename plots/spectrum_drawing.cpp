#include "plots/spectrum_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "plotlib/axes.h"
#include "plotlib/device.h"
#include "plotlib/figures.h"
#include "plotlib/pen.h"
#include "plotlib/symbols.h"
#include "plots/banner.h"
#include "plots/grid.h"
#include "plots/output.h"

namespace datrax {

namespace {

constexpr REAL kPeakHeight = 0.1f;
constexpr REAL kLabelHeight = 0.08f;
constexpr INTEGER kBandColour = 14;  // band limits and labels on a colour screen
constexpr INTEGER kDashed = 6;       // pen code of the band limit lines

// Decimals that show about three significant digits of V (at least MIN).
int decimals_for(double v, int min) {
    if (!(std::fabs(v) > 0.0)) return min;
    return std::clamp(2 - static_cast<int>(std::floor(std::log10(std::fabs(v)))), min, 8);
}

// Decimals of an axis step: the fewest that write it exactly, at most
// those of three significant digits.
int axis_decimals(double step) {
    const int most = decimals_for(step, 0);
    for (int d = 0; d < most; ++d) {
        const double scaled = step * std::pow(10.0, d);
        if (std::fabs(scaled - std::round(scaled)) < 1e-3 * scaled) return d;
    }
    return most;
}

void text_at(REAL x, REAL y, REAL height, std::string_view text) {
    PLTSYM(x, y, height, text, 0.0f, static_cast<INTEGER>(std::min<size_t>(text.size(), 80)));
}

REAL x_of(double f) { return pp.XMIN + static_cast<REAL>((f - specw.FLO) / (specw.FHI - specw.FLO)) * pp.XLEN; }

REAL y_of(double a) {
    const double y = (a - specw.ALO) / (static_cast<double>(specw.AHI) - specw.ALO) * pp.YLEN + pp.YMIN;
    return static_cast<REAL>(std::clamp(y, static_cast<double>(pp.YMIN), static_cast<double>(pp.YMAX)));
}

void draw_titles(const SpectrumDrawing& d) {
    draw_file_banner(dset.FNAME(d.K), specw.PLTNAM.view(), specw.NPLT);
    draw_plot_title(7.3f, 0.15f, dset.TITLE(d.K).view(), dset.LTITLE(d.K));
    if (pp.ZSUBT) text_at(pp.XMIN, 7.0f, 0.1f, "AMPLITUDE SPECTRUM");
}

// The three largest peaks of the drawn frequencies, one a line.
void draw_peaks(const SpectrumDrawing& d) {
    const std::vector<SpectrumPeak> peaks = largest_peaks(*d.spectrum, specw.FLO, specw.FHI, 3);
    REAL y = 7.05f;
    for (const SpectrumPeak& p : peaks) {
        text_at(pp.XMAX - 3.0f, y, kPeakHeight, peak_text(p, d.unit, dset.DUNIT(d.K).trimmed()));
        y -= 0.15f;
    }
}

void draw_axes_and_frame(const SpectrumDrawing& d) {
    const INTEGER ngx = divisions(pp.NGX(1)), ngy = divisions(pp.NGY(1));
    const REAL fstep = (specw.FHI - specw.FLO) / static_cast<REAL>(ngx);
    const std::string title = "frequency (" + d.unit + ")";
    PLTAXS(pp.XMIN, pp.YMIN, title, -static_cast<INTEGER>(title.size()), pp.XLEN, 0.0f, specw.FLO, fstep,
           axis_decimals(fstep), 0.0f, pp.XLEN / static_cast<REAL>(ngx));
    // The amplitude axis has round steps of its own: its decimals follow
    // them, not the time-series axis parameters.
    const Text<20>& unit = dset.DUNIT(d.K);
    const REAL astep = (specw.AHI - specw.ALO) / static_cast<REAL>(ngy);
    const INTEGER adec = axis_decimals(astep);  // whole numbers without a point
    PLTAXS(pp.XMIN, pp.YMIN, unit.view(), unit.trimmed_length(), -pp.YLEN, 90.0f, specw.ALO, astep,
           adec == 0 ? -1 : adec, 0.0f, pp.YLEN / static_cast<REAL>(ngy));
    RECTNG(pp.XMIN, pp.YMIN, pp.YLEN, pp.XLEN, 0.0f, 3);
    if (pp.ZGRD) draw_grid(pp.YMIN, pp.YLEN, 1);
}

bool shown(double f) { return f >= specw.FLO && f <= specw.FHI; }

// Each band limit once, as a dashed line across the frame; each labelled
// band's label centred over it along the top.
void draw_bands() {
    if (pp.ZCOL) PENCOL(kBandColour);
    std::vector<REAL> limits;
    for (INTEGER b = 1; b <= std::clamp(band.NBAND, 0, MAXBND); ++b) {
        limits.push_back(band.BANDLO(b));
        limits.push_back(band.BANDHI(b));
    }
    std::sort(limits.begin(), limits.end());
    limits.erase(std::unique(limits.begin(), limits.end()), limits.end());
    for (const REAL f : limits) {
        if (!shown(f)) continue;
        PENMOV(x_of(f), pp.YMIN, 3);
        PENMOV(x_of(f), pp.YMAX, kDashed);
    }
    for (INTEGER b = 1; b <= std::clamp(band.NBAND, 0, MAXBND); ++b) {
        const std::string_view label = band.BANDID(b).trimmed();
        const double centre = (static_cast<double>(band.BANDLO(b)) + band.BANDHI(b)) / 2.0;
        if (label.empty() || !shown(centre)) continue;
        const REAL width = kLabelHeight * static_cast<REAL>(label.size());
        text_at(x_of(centre) - width / 2.0f, pp.YMAX + 0.05f, kLabelHeight, label);
    }
}

void draw_curve(const SpectrumDrawing& d) {
    if (pp.ZCOL) PENCOL(pp.LCOL(1));
    const Spectrum& s = *d.spectrum;
    const size_t first = static_cast<size_t>(std::max(0.0, std::ceil(specw.FLO / s.df - 1e-6)));
    const size_t end = std::min(s.amplitude.size(), static_cast<size_t>(std::floor(specw.FHI / s.df + 1e-6)) + 1);
    for (size_t j = first; j < end; ++j)
        PENMOV(x_of(s.frequency(j)), y_of(s.amplitude[j]), j == first ? 3 : pp.LTYP(1));
}

}  // namespace

std::string peak_text(const SpectrumPeak& p, std::string_view unit, std::string_view data_unit) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.*f %.*s  %.*f %.*s", decimals_for(p.frequency, 4), p.frequency,
                  static_cast<int>(unit.size()), unit.data(), decimals_for(p.amplitude, 0), p.amplitude,
                  static_cast<int>(data_unit.size()), data_unit.data());
    return buf;
}

void draw_spectrum(SpectrumDrawing& d) {
    select_output(d.output, specw.PLTNAM, specw.NPLT);
    PENCOL(15);
    if (pp.ZTITL) draw_titles(d);
    draw_peaks(d);
    draw_axes_and_frame(d);
    if (d.cph) draw_bands();
    draw_curve(d);
    PENCOL(15);
    if (d.output == kOutputSave) {
        PLTCLS();
        d.output = kOutputScreen;
    }
}

}  // namespace datrax
