#include "plotlib/symbols.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "console/console.h"
#include "platform/window.h"
#include "plotlib/coords.h"
#include "plotlib/device.h"
#include "plotlib/font.h"
#include "plotlib/glyph_draw.h"
#include "plotlib/hpgl.h"
#include "plotlib/pen.h"
#include "plotlib/plotlib.h"

namespace datrax {

using plotlib_detail::plot;

namespace {

constexpr REAL kNoPoint = -999.0f;      // continuation point before the first text
constexpr REAL kContinue = 999.0f;      // X or Y asking for the continuation point
constexpr INTEGER kLongestLabel = 100;  // characters of a plot-file label
constexpr REAL kBoldStep = 0.003f;      // inches between the passes of a bold plot-file text
constexpr INTEGER kLastSymbol = 126;    // last character the plotter draws in symbol mode

// The characters of a text to draw, after the end rules: a final "^"
// centres the text on the page and is not drawn; trailing blanks are
// dropped (a single blank stays one empty character).
struct TextRun {
    std::string_view chars;
    bool centred = false;
};

TextRun trim_text(std::string_view text, INTEGER nchar) {
    const int64_t size = static_cast<int64_t>(text.size());
    auto at = [&](int64_t pos) { return pos >= 1 && pos <= size ? text[static_cast<size_t>(pos - 1)] : ' '; };
    int64_t k = nchar;
    if (k >= 1 && at(k) == '^') return {text.substr(0, static_cast<size_t>(k - 1)), true};
    if (k > 1 && at(k) == ' ') {
        k = std::min(k, size);
        while (k > 0 && at(k) == ' ') --k;
        if (k >= 1 && at(k) == '^') return {text.substr(0, static_cast<size_t>(k - 1)), true};
        return {text.substr(0, static_cast<size_t>(k)), false};
    }
    if (k > size) return {" ", false};  // a one-character text of nothing but the blank
    return {text.substr(0, static_cast<size_t>(k)), false};
}

REAL centred_x(size_t count, REAL height) {
    return ((plot.XHI - plot.XLO) - static_cast<REAL>(count) * std::fabs(height)) / 2.0f;
}

INTEGER first_code(std::string_view text) { return text.empty() ? ' ' : static_cast<unsigned char>(text[0]); }

void to_pixel(REAL x, REAL y, INTEGER& ix, INTEGER& iy) { INCPIX(x, y, ix, iy, 0); }

// ------------------------------------------------------------ screen path

// A printable character asked for as a marker: drawn centred on the point,
// as the plotter draws it in symbol mode.
void screen_character_marker(INTEGER ix, INTEGER iy, REAL h, INTEGER code, REAL c, REAL s, INTEGER passes) {
    if (code > 127) {
        SCGLYF(ix, iy, h, code, c, s, passes);  // reports the code, draws "Z"
        return;
    }
    const plotlib_detail::GlyphScale scale = plotlib_detail::glyph_scale(code, h);
    REAL dx = 0, dy = 0;
    plotlib_detail::glyph_offset(-2.0f, -4.0f, scale, c, s, plot.PXIN, plot.PYIN, dx, dy);
    SCGLYF(ix + plotlib_detail::nearest_int(dx), iy + plotlib_detail::nearest_int(dy), h, code, c, s, passes);
}

void screen_symbol(REAL X, REAL Y, REAL height, std::string_view text, REAL angle, INTEGER nchar) {
    const REAL c = std::cos(angle * 0.0174533f);
    const REAL s = std::sin(angle * 0.0174533f);
    const INTEGER code = plot.ISYM >= 0 && nchar < 0 ? plot.ISYM : first_code(text);
    const REAL h = std::fabs(height);
    const INTEGER passes = height < 0.0f ? plotlib_detail::nearest_int(10.0f * h) : 1;
    const REAL x0 = X == kContinue ? plot.screen_cont_x : X;
    const REAL y0 = Y == kContinue ? plot.screen_cont_y : Y;
    INTEGER ix = 0, iy = 0;
    to_pixel(x0, y0, ix, iy);

    if (nchar < 0) {
        if (nchar == -2) {
            const uint16_t mask = plotlib_detail::line_mask(plot.LMODE, plotlib_detail::kSolidMask);
            plotlib_detail::screen_line(plot.marker_ix, plot.marker_iy, ix, iy, platform::window().canvas().color(),
                                        mask);
        }
        if (code <= plotlib_detail::kLastMarker)
            SCGLYF(ix, iy, h, code, c, s, passes);
        else
            screen_character_marker(ix, iy, h, code, c, s, passes);
        // The pen goes back to the marker's centre, so that a curve through
        // the markers continues from the data point.
        platform::window().canvas().move_to_world(x0, y0);
        plot.screen_cont_x = x0;
        plot.screen_cont_y = y0;
    } else {
        const TextRun run = trim_text(text, nchar);
        REAL x = run.centred ? centred_x(run.chars.size(), height) : x0, y = y0;
        to_pixel(x, y, ix, iy);
        for (const char ch : run.chars) {
            SCGLYF(ix, iy, h, static_cast<unsigned char>(ch), c, s, passes);
            x += h * c;
            y += h * s;
            to_pixel(x, y, ix, iy);
        }
        platform::window().canvas().move_to_world(x, y);
        plot.screen_cont_x = x;
        plot.screen_cont_y = y;
    }
    plot.marker_ix = ix;
    plot.marker_iy = iy;
}

// --------------------------------------------------------- plot-file path

void file_marker(REAL x, REAL y, INTEGER code, INTEGER nchar, INTEGER passes) {
    if (code > kLastSymbol) return;
    if (code <= plotlib_detail::kLastMarker) {
        if (nchar == -2) PENMOV(x, y, 2);
        for (INTEGER i = 0; i < passes; ++i) {
            PENMOV(x + kBoldStep * static_cast<REAL>(i), y + kBoldStep * static_cast<REAL>(i), 3);
            hpgl::marker_field(code);
        }
        PENMOV(x, y, 3);
        return;
    }
    for (INTEGER i = 0; i < passes; ++i) {
        PENMOV(x + kBoldStep * static_cast<REAL>(i), y + kBoldStep * static_cast<REAL>(i), 3);
        hpgl::symbol_mode(static_cast<char>(code));
    }
    PENMOV(x, y, 3);
    hpgl::symbol_mode_end();
}

bool continuation(REAL given, REAL cont, REAL& value) {
    if (given != kContinue) {
        value = given;
        return true;
    }
    if (cont == kNoPoint) {
        console_line(" *** Error- First label of plot. Cannot use 999 code");
        return false;
    }
    value = cont;
    return true;
}

void file_symbol(REAL X, REAL Y, REAL height, std::string_view text, REAL angle, INTEGER nchar) {
    if (nchar > kLongestLabel) {
        char n[6];
        hpgl::put_int(n, 6, nchar);
        console_line(" *** Error - String length n = " + std::string(n, 6) + " is out of range");
        return;
    }
    REAL x = 0, y = 0;
    if (!continuation(X, plot.file_pen.cont_x, x) || !continuation(Y, plot.file_pen.cont_y, y)) return;
    const REAL h = std::fabs(height);
    const INTEGER passes = height < 0.0f ? plotlib_detail::truncate_int(h / 0.03f) + 1 : 1;
    const REAL width_cm = h * 2.54f * 0.666667f;
    hpgl::char_size(width_cm, width_cm * plot.GFACT);
    const REAL c = std::cos(angle * 0.01745329f);
    const REAL s = std::sin(angle * 0.01745329f);
    hpgl::label_direction(c, s);

    int64_t count = 0;
    if (nchar < 0) {
        file_marker(x, y, first_code(text), nchar, passes);
        count = -static_cast<int64_t>(nchar);
    } else {
        const TextRun run = trim_text(text, nchar);
        const REAL tx = run.centred ? centred_x(run.chars.size(), height) : x;
        for (INTEGER i = 0; i < passes; ++i) {
            PENMOV(tx + kBoldStep * static_cast<REAL>(i), y + kBoldStep * static_cast<REAL>(i), 3);
            hpgl::label(run.chars);
        }
        count = static_cast<int64_t>(run.chars.size());
    }
    plot.file_pen.cont_x = x + static_cast<REAL>(count) * h * c;
    plot.file_pen.cont_y = y + static_cast<REAL>(count) * h * s;
}

// A text as it may be drawn: its control characters (codes 0-31 and 127)
// become blanks, so that a text read from a data file can neither end a
// plot-file label and run on as plotter commands nor draw marker shapes.
std::string printable_text(std::string_view text) {
    std::string out(text);
    for (char& ch : out)
        if (static_cast<unsigned char>(ch) < 32 || ch == '\x7f') ch = ' ';
    return out;
}

}  // namespace

void PLTSYM(const REAL& X, const REAL& Y, const REAL& HEIGHT, std::string_view TEXT, const REAL& ANGLE,
            const INTEGER& NCHAR) {
    if (NCHAR < 0) return plotlib_detail::draw_glyphs(X, Y, HEIGHT, TEXT, ANGLE, NCHAR);  // a marker code
    plotlib_detail::draw_glyphs(X, Y, HEIGHT, printable_text(TEXT), ANGLE, NCHAR);
}

namespace plotlib_detail {

void draw_glyphs(const REAL& X, const REAL& Y, const REAL& HEIGHT, std::string_view TEXT, const REAL& ANGLE,
                 const INTEGER& NCHAR) {
    const REAL height = std::fabs(plot.THGT) >= 0.0001f ? plot.THGT : HEIGHT;
    if (screen_in_use()) screen_symbol(X, Y, height, TEXT, ANGLE, NCHAR);
    if (file_device()) file_symbol(X, Y, height, TEXT, ANGLE, NCHAR);
}

}  // namespace plotlib_detail

}  // namespace datrax
