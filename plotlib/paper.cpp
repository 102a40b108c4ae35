#include "plotlib/paper.h"

#include <cmath>
#include <string_view>

#include "platform/canvas.h"
#include "plotlib/cairo_library.h"
#include "plotlib/coords.h"
#include "plotlib/font.h"
#include "plotlib/plotlib.h"

namespace datrax::paper {

namespace {

constexpr double kPointsPerUnit = 72.0 / 1016.0;  // plotter units are 1/1016 inch
constexpr double kPngDotsPerInch = 150.0;
constexpr double kLineWidth = 0.25 / 25.4 * 72.0;  // a 0.25 mm pen, in points
constexpr int kStrokeBatch = 4096;                 // segments drawn in one stroke at most
constexpr int kWhite = 15, kYellow = 14, kLightGrey = 7, kDarkGrey = 8, kBrown = 6, kBlack = 0;

struct PaperSize {
    double width_pt, height_pt;  // landscape
};
PaperSize paper_of(INTEGER paper_code) {
    if (paper_code == 3) return {420.0 / 25.4 * 72.0, 297.0 / 25.4 * 72.0};  // A3
    return {297.0 / 25.4 * 72.0, 210.0 / 25.4 * 72.0};                       // A4
}

// On white paper the pens the screen draws in white, light grey or yellow
// are drawn in black, dark grey and brown, which can be read there.
platform::Rgb paper_colour(INTEGER pen) {
    const int index = plotlib_detail::colour_index(pen);
    if (index == kWhite) return platform::palette_rgb(kBlack);
    if (index == kLightGrey) return platform::palette_rgb(kDarkGrey);
    if (index == kYellow) return platform::palette_rgb(kBrown);
    return platform::palette_rgb(index);
}

bool ends_with_extension(std::string_view name, std::string_view ext) {
    if (name.size() <= ext.size()) return false;
    const std::string_view tail = name.substr(name.size() - ext.size());
    for (size_t i = 0; i < ext.size(); ++i) {
        const char c = tail[i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != ext[i]) return false;
    }
    return true;
}

}  // namespace

Kind kind_of(std::string_view name) {
    if (ends_with_extension(name, ".pdf")) return Kind::pdf;
    if (ends_with_extension(name, ".svg")) return Kind::svg;
    if (ends_with_extension(name, ".png")) return Kind::png;
    return Kind::hpgl;
}

struct Page::State {
    Kind kind = Kind::hpgl;
    platform::PlotFile* out = nullptr;
    const CairoLibrary* lib = nullptr;  // loaded by start()
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    PaperSize paper{};

    INTEGER pen = 0;                    // selected pen; 0 draws nothing
    double x = 0.0, y = 0.0;            // pen position in points, y downward
    int segments = 0;                   // segments in the path not yet stroked
    double char_w = 0.0, char_h = 0.0;  // character body in points
    double run = 1.0, rise = 0.0;       // label direction, unit length
    char symbol = '\0';                 // symbol-mode character, '\0' none

    static cairo_status_t write(void* closure, const unsigned char* data, unsigned int length) {
        auto* self = static_cast<State*>(closure);
        if (!self->out || !self->out->is_open()) return CAIRO_STATUS_WRITE_ERROR;
        self->out->write({reinterpret_cast<const char*>(data), length});
        return CAIRO_STATUS_SUCCESS;
    }

    double page_x(INTEGER px) const { return static_cast<double>(px) * kPointsPerUnit; }
    double page_y(INTEGER py) const { return paper.height_pt - static_cast<double>(py) * kPointsPerUnit; }

    void create_surface(INTEGER paper_code) {
        paper = paper_of(paper_code);
        switch (kind) {
            case Kind::pdf:
                surface = lib->pdf_surface_create_for_stream(write, this, paper.width_pt, paper.height_pt);
                break;
            case Kind::svg:
                surface = lib->svg_surface_create_for_stream(write, this, paper.width_pt, paper.height_pt);
                break;
            default: {
                const double dots = kPngDotsPerInch / 72.0;
                surface = lib->image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(paper.width_pt * dots),
                                                    static_cast<int>(paper.height_pt * dots));
                break;
            }
        }
        cr = lib->create(surface);
        if (kind == Kind::png) lib->scale(cr, kPngDotsPerInch / 72.0, kPngDotsPerInch / 72.0);
        lib->set_source_rgb(cr, 1.0, 1.0, 1.0);
        lib->paint(cr);
        lib->set_line_width(cr, kLineWidth);
        lib->set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        lib->set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        reset_pen_state();
    }

    // The state a new page starts from: no pen, solid lines, default text.
    void reset_pen_state() {
        stroke();
        pen = 0;
        lib->set_dash(cr, nullptr, 0, 0.0);
        set_char_size(0.19, 0.27);
        run = 1.0, rise = 0.0;
        symbol = '\0';
    }

    void set_char_size(double width_cm, double height_cm) {
        char_w = width_cm / 2.54 * 72.0;
        char_h = height_cm / 2.54 * 72.0;
    }

    void stroke() {
        if (!cr || segments == 0) return;
        const platform::Rgb c = paper_colour(pen);
        lib->set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
        lib->stroke(cr);
        segments = 0;
    }

    void line_to(double tx, double ty) {
        if (segments == 0) lib->move_to(cr, x, y);
        lib->line_to(cr, tx, ty);
        if (++segments >= kStrokeBatch) {
            stroke();
            lib->move_to(cr, tx, ty);
        }
    }

    // The strokes of glyph G from the origin (ox, oy), in glyph units of
    // (ux, uy) points along the label direction: 99 puts the pen down, -99
    // lifts it, other values are displacement pairs; the pen starts up.
    void draw_glyph(const Glyph& g, double ox, double oy, double ux, double uy) {
        if (pen == 0) return;
        double gx = 0.0, gy = 0.0;
        bool down = false;
        for (INTEGER i = 1; i <= g.count;) {
            if (g.v(i) == 99 || g.v(i) == -99) down = g.v(i++) == 99;
            if (i + 1 > g.count) break;
            const double nx = gx + g.v(i) * ux, ny = gy + g.v(i + 1) * uy;
            i += 2;
            if (down) {
                lib->move_to(cr, ox + gx * run - gy * rise, oy - (gx * rise + gy * run));
                lib->line_to(cr, ox + nx * run - ny * rise, oy - (nx * rise + ny * run));
                ++segments;
            }
            gx = nx, gy = ny;
        }
        stroke();
    }

    void draw_symbol_here() {
        const auto code = static_cast<unsigned char>(symbol);
        if (code >= 128) return;
        const double ux = char_w / 4.0, uy = char_h / 8.0;
        // Centred on the point: half the body to the left and below.
        const double ox = x + (-2.0 * ux) * run - (-4.0 * uy) * rise;
        const double oy = y - ((-2.0 * ux) * rise + (-4.0 * uy) * run);
        draw_glyph(plotlib_detail::plot.font[code], ox, oy, ux, uy);
    }
};

Page::Page() : s_(std::make_unique<State>()) {}

Page::~Page() {
    if (!s_) return;
    s_->out = nullptr;  // nothing more reaches the file once the page is dropped
    if (s_->cr) s_->lib->destroy(s_->cr);
    if (s_->surface) s_->lib->surface_destroy(s_->surface);
}

Page::Page(Page&&) noexcept = default;

Page& Page::operator=(Page&& other) noexcept {
    if (this != &other) {
        Page old(std::move(*this));
        s_ = std::move(other.s_);
    }
    return *this;
}

bool Page::start(Kind kind, platform::PlotFile& out, std::string& error) {
    *this = Page();
    if (kind == Kind::hpgl) return true;
    s_->lib = cairo_library(error);
    if (!s_->lib) return false;
    s_->kind = kind;
    s_->out = &out;
    return true;
}

bool Page::is_open() const { return s_ && s_->out != nullptr; }

bool Page::finish() {
    if (!is_open()) return true;
    State& s = *s_;
    if (!s.cr) s.create_surface(4);  // a file without a page is still a valid, empty one
    s.stroke();
    s.lib->destroy(s.cr);
    s.cr = nullptr;
    cairo_status_t status = s.lib->surface_status(s.surface);
    if (status == CAIRO_STATUS_SUCCESS && s.kind == Kind::png)
        status = s.lib->surface_write_to_png_stream(s.surface, State::write, &s);
    s.lib->surface_finish(s.surface);
    if (status == CAIRO_STATUS_SUCCESS) status = s.lib->surface_status(s.surface);
    *this = Page();
    return status == CAIRO_STATUS_SUCCESS;
}

void Page::page_size(INTEGER paper_code) {
    if (!is_open()) return;
    if (!s_->cr)
        s_->create_surface(paper_code);
    else
        s_->reset_pen_state();  // a new plot start in the same file draws on
}

void Page::input_window(INTEGER x1, INTEGER y1, INTEGER x2, INTEGER y2) {
    if (!is_open() || !s_->cr) return;
    State& s = *s_;
    s.stroke();
    s.lib->reset_clip(s.cr);
    const double left = s.page_x(x1), bottom = s.page_y(y1), right = s.page_x(x2), top = s.page_y(y2);
    s.lib->rectangle(s.cr, std::fmin(left, right), std::fmin(top, bottom), std::fabs(right - left),
                     std::fabs(bottom - top));
    s.lib->clip(s.cr);
}

void Page::move(bool pen_down, INTEGER px, INTEGER py) {
    if (!is_open() || !s_->cr) return;
    State& s = *s_;
    const double tx = s.page_x(px), ty = s.page_y(py);
    if (pen_down && s.pen != 0)
        s.line_to(tx, ty);
    else
        s.stroke();
    s.x = tx, s.y = ty;
    if (s.symbol != '\0') {
        s.stroke();
        s.draw_symbol_here();
    }
}

void Page::line_type(INTEGER pen_code) {
    if (!is_open() || !s_->cr) return;
    State& s = *s_;
    s.stroke();
    // Pattern lengths as the plotter takes them: a share of the page diagonal.
    const double diagonal = std::hypot(s.paper.width_pt, s.paper.height_pt);
    if (pen_code == 5) {
        const double dots[2] = {0.0, 0.005 * diagonal};
        s.lib->set_dash(s.cr, dots, 2, 0.0);
    } else if (pen_code == 6) {
        const double half = 0.005 * diagonal;
        const double dashes[2] = {half, half};
        s.lib->set_dash(s.cr, dashes, 2, 0.0);
    } else {
        s.lib->set_dash(s.cr, nullptr, 0, 0.0);
    }
}

void Page::pen_select(INTEGER pen) {
    if (!is_open()) return;
    s_->stroke();
    s_->pen = pen;
}

void Page::char_size(REAL width_cm, REAL height_cm) {
    if (is_open()) s_->set_char_size(width_cm, height_cm);
}

void Page::label_direction(REAL run, REAL rise) {
    if (!is_open()) return;
    const double length = std::hypot(static_cast<double>(run), static_cast<double>(rise));
    if (length <= 0.0) return;
    s_->run = run / length;
    s_->rise = rise / length;
}

void Page::label(std::string_view text) {
    if (!is_open() || !s_->cr) return;
    State& s = *s_;
    s.stroke();
    const double ux = s.char_w / 4.0, uy = s.char_h / 8.0;
    for (const char ch : text) {
        const auto code = static_cast<unsigned char>(ch);
        if (code > 32 && code < 128) s.draw_glyph(plotlib_detail::plot.font[code], s.x, s.y, ux, uy);
        // Each character takes a cell one and a half bodies wide.
        s.x += 1.5 * s.char_w * s.run;
        s.y -= 1.5 * s.char_w * s.rise;
    }
}

void Page::symbol_mode(char symbol) {
    if (is_open()) s_->symbol = symbol;
}

void Page::marker(int code) {
    if (!is_open() || !s_->cr) return;
    State& s = *s_;
    s.stroke();
    s.draw_glyph(plotlib_detail::marker_glyph(code), s.x, s.y, s.char_w / 4.0, s.char_h / 8.0);
}

}  // namespace datrax::paper
