#include "plots/spectrum_plot.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "console/console.h"
#include "console/prompts.h"
#include "data/limits.h"
#include "data/spectrum.h"
#include "data/units.h"
#include "plots/grid.h"
#include "plots/output.h"
#include "plots/spectrum_drawing.h"
#include "plots/spectrum_table.h"
#include "plots/time_window.h"

namespace datrax {

namespace {

constexpr std::string_view kTooLarge = "Data range too large to draw Press [Enter] --> |";

struct Source {
    SpectrumWindow window;  // samples the spectrum is taken of
    double dt = 1.0;        // sampling interval in hours, or in the data's own time unit
    bool cph = true;        // the time unit is known: frequencies in cycles per hour
    std::string unit;       // "cph" or "cycles/<time unit>"
};

// The interval as the file wrote it: the shortest decimal that reads back
// as the stored value (1/60 of an hour is not a single-precision number).
double written_interval(REAL dt) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, dt).ptr;
    double value = dt;
    std::from_chars(text, end, value);
    return value;
}

Source source_of(INTEGER k) {
    Source s;
    s.cph = dset.ITU >= 1 && dset.ITU <= 4;
    s.dt = written_interval(dset.DT(k));
    if (s.cph) {
        // In double: a frequency step from single-precision factors puts bins
        // that lie on a band limit just below it.
        s.dt *= seconds_per_time_unit(dset.TUNIT.view()) / 3600.0;
        s.unit = "cph";
    } else {
        s.unit = "cycles/" + (dset.TUNIT.is_blank() ? std::string("unit") : dset.TUNIT.str());
    }
    return s;
}

// The whole record, or the samples of the fixed time limits (in the plot's
// time unit) within it.
SpectrumWindow ask_window(INTEGER k) {
    ask_fixed_time_limits(specw.fixed_time, specw.TLO, specw.THI);
    SpectrumWindow w;
    time_window_samples(k, specw.fixed_time, specw.TLO, specw.THI, w.first, w.last);
    return w;
}

// The maximum frequency; Enter keeps the value shown.
void ask_maximum_frequency(const Source& src) {
    do {
        char prompt[96];
        std::snprintf(prompt, sizeof prompt, "Maximum Frequency (%s), [default %g] --> |", src.unit.c_str(),
                      static_cast<double>(specw.FMAX));
        ASKRL(0, -scr.MAXROW, prompt, specw.FMAX, 4, scr.PRMCOL);
    } while (!(specw.FMAX > 0.0f));
}

REAL nyquist(const Spectrum& s) { return static_cast<REAL>(s.frequency(s.amplitude.size() - 1)); }

// Frequency limits within 0 .. Nyquist; limits that leave nothing to draw
// give 0 .. the maximum frequency.
void keep_frequencies_in_range(const Spectrum& s) {
    specw.FLO = std::max(specw.FLO, 0.0f);
    specw.FHI = std::min(specw.FHI, nyquist(s));
    if (specw.FHI <= specw.FLO) {
        specw.FLO = 0.0f;
        specw.FHI = std::min(specw.FMAX, nyquist(s));
    }
}

// Amplitudes from 0 to a round number of round divisions (1, 2, 2.5 or 5
// times a power of ten each) that holds the largest drawn amplitude; an
// upper limit single precision cannot hold stays infinite.
void automatic_amplitudes(const Spectrum& s) {
    const double top = largest_amplitude(s, specw.FLO, specw.FHI);
    const double ngy = divisions(pp.NGY(1));
    specw.ALO = 0.0f;
    specw.AHI = 1.0f;
    if (!(top > 0.0) || !std::isfinite(top)) return;
    const double power = std::pow(10.0, std::floor(std::log10(top / ngy)));
    for (const double m : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (m * power * ngy >= top) {
            specw.AHI = static_cast<REAL>(m * power * ngy);
            return;
        }
    }
}

void ask_amplitudes(const Spectrum& s) {
    ASKYN(0, -scr.MAXROW, "Fixed Amplitude Limits [y/n] --> |", specw.fixed_amplitude, scr.PRMCOL);
    if (specw.fixed_amplitude)
        SETLIM(specw.ALO, specw.AHI);
    else
        automatic_amplitudes(s);
}

bool drawable(const Spectrum& s) {
    if (std::isfinite(specw.AHI) && std::isfinite(static_cast<REAL>(largest_amplitude(s, 0.0, nyquist(s)))))
        return true;
    bottom_row_notice(kTooLarge, scr.PRMCOL);
    return false;
}

void tell_filled(const Spectrum& s) {
    if (s.filled == 0) return;
    char line[96];
    std::snprintf(line, sizeof line, "Missing samples filled : %d of %d|", s.filled, s.samples);
    MSGTXT(0, -(scr.MAXROW - 1), line, scr.PRMCOL);
}

// The spectrum of the window, or a message when it is refused.
bool compute(const Source& src, INTEGER k, Spectrum& s) {
    const INTEGER count = src.window.last - src.window.first + 1;
    const std::span<const REAL> samples(Y.column(k) + (src.window.first - 1), static_cast<size_t>(std::max(count, 0)));
    switch (amplitude_spectrum(samples, src.dt, s)) {
        case SpectrumStatus::Ok: return true;
        case SpectrumStatus::TooFewSamples:
            bottom_row_notice("Too few samples for a spectrum --> |", scr.PRMCOL);
            return false;
        case SpectrumStatus::TooLarge: bottom_row_notice(kTooLarge, scr.PRMCOL); return false;
        case SpectrumStatus::TooManyMissing: break;
    }
    char line[96];
    std::snprintf(line, sizeof line, "Too many missing samples : %d of %d --> |", s.filled, s.samples);
    bottom_row_notice(line, scr.PRMCOL);
    return false;
}

}  // namespace

void spectrum_plot() {
    const INTEGER K = sel.slot;
    Source src = source_of(K);
    src.window = ask_window(K);
    ask_maximum_frequency(src);
    Spectrum s;
    if (!compute(src, K, s)) return;
    specw.FLO = 0.0f;
    specw.FHI = std::min(specw.FMAX, nyquist(s));
    automatic_amplitudes(s);
    if (!drawable(s)) return;
    specw.command = "";
    SpectrumDrawing d{&s, K, src.cph, src.unit, kOutputScreen};
    for (;;) {
        draw_spectrum(d);
        tell_filled(s);
        for (bool redraw = false; !redraw;) {
            ASKTXT(0, -scr.MAXROW, "[Zoom/Yscale/Save/Quit] -> |", specw.command, 1, scr.PRMCOL);
            switch (specw.command(1)) {
                case 'z':
                    SETLIM(specw.FLO, specw.FHI);
                    keep_frequencies_in_range(s);
                    if (!specw.fixed_amplitude) automatic_amplitudes(s);
                    redraw = true;
                    break;
                case 'y':
                    ask_amplitudes(s);
                    redraw = true;
                    break;
                case 's':
                    d.output = kOutputSave;
                    redraw = true;
                    break;
                case 'q': spectrum_table(src.window, s, src.cph); return;
                default: break;
            }
        }
    }
}

}  // namespace datrax
